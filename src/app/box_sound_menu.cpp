#include "app/box_sound_menu.h"

#include "canvas/kelp_view.h"
#include "canvas/tuning_command.h"
#include "services/command_ids.h"
#include "services/qt_text.h"
#include "services/settings.h"
#include "text/string_ids.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace zembra {

namespace {

struct TuningItem {
    Tuning tuning;
    int text;
    const char* name;
};

constexpr std::array<TuningItem, 4> kTuningItems = {{
    {Tuning::Equal, str::kTuningEqual, "tuningEqual"},
    {Tuning::Meantone, str::kTuningMeantone, "tuningMeantone"},
    {Tuning::Just, str::kTuningJust, "tuningJust"},
    {Tuning::Box, str::kTuningBox, "tuningBox"},
}};

bool HoldsPlay(const QMenu* menu)
{
    for (const QAction* action : menu->actions()) {
        if (action->data().toInt() == cmd::kPlay) {
            return true;
        }
    }
    return false;
}

} // namespace

BoxSoundMenu::BoxSoundMenu(QMenu* playMenu, CKelpView& view, QObject* owner)
    : QObject(owner)
    , m_view(view)
{
    m_view.playback().SetPlayAsBox(settings::PlayAsBox());

    const QString asBoxPrompt = TextOf(str::kPromptPlayAsBox);
    m_asBox = playMenu->addAction(TextOf(str::kPlayAsBox));
    m_asBox->setObjectName(QStringLiteral("playAsBox"));
    m_asBox->setCheckable(true);
    m_asBox->setStatusTip(asBoxPrompt.section('\n', 0, 0));
    m_asBox->setToolTip(asBoxPrompt.section('\n', -1));
    connect(m_asBox, &QAction::toggled, this, [this](bool on) {
        m_view.playback().SetPlayAsBox(on);
        settings::RememberPlayAsBox(on);
    });

    m_tuningMenu = playMenu->addMenu(TextOf(str::kTuningMenu));
    m_tuningMenu->setObjectName(QStringLiteral("tuningMenu"));
    m_tuningGroup = new QActionGroup(this);
    m_tuningGroup->setExclusive(true);
    for (std::size_t i = 0; i < kTuningItems.size(); ++i) {
        const TuningItem item = kTuningItems[i];
        QAction* action = m_tuningMenu->addAction(TextOf(item.text));
        action->setObjectName(QLatin1String(item.name));
        action->setCheckable(true);
        m_tuningGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, item] {
            SetCanvasTuning(m_view, item.tuning);
            Refresh();
        });
        m_tunings[i] = action;
    }
    m_tuningMenu->addSeparator();
    m_builtInOnly = m_tuningMenu->addAction(TextOf(str::kTuningBuiltInOnly));
    m_builtInOnly->setObjectName(QStringLiteral("tuningBuiltInOnly"));
    m_builtInOnly->setEnabled(false);

    connect(playMenu, &QMenu::aboutToShow, this, &BoxSoundMenu::Refresh);
    connect(m_tuningMenu, &QMenu::aboutToShow, this, &BoxSoundMenu::Refresh);
    Refresh();
}

BoxSoundMenu* BoxSoundMenu::Attach(const std::vector<QMenu*>& popups, CKelpView& view, QObject* owner)
{
    for (QMenu* menu : popups) {
        if (HoldsPlay(menu)) {
            return new BoxSoundMenu(menu, view, owner);
        }
    }
    return nullptr;
}

QAction* BoxSoundMenu::tuningAction(Tuning tuning) const
{
    for (std::size_t i = 0; i < kTuningItems.size(); ++i) {
        if (kTuningItems[i].tuning == tuning) {
            return m_tunings[i];
        }
    }
    return nullptr;
}

std::vector<QAction*> BoxSoundMenu::actions() const
{
    std::vector<QAction*> all{m_asBox};
    all.insert(all.end(), m_tunings.begin(), m_tunings.end());
    return all;
}

void BoxSoundMenu::Refresh()
{
    {
        const QSignalBlocker quiet(m_asBox);
        m_asBox->setChecked(m_view.playback().playAsBox());
    }
    const SongState& song = m_view.song();
    for (std::size_t i = 0; i < kTuningItems.size(); ++i) {
        const Tuning tuning = kTuningItems[i].tuning;
        m_tunings[i]->setChecked(song.tuning == tuning);
        m_tunings[i]->setEnabled(song.tuning == tuning || TuningOffered(song.box, tuning));
    }
    // Only the built-in synthesizer (device -1) takes a tuning: another device plays as it is.
    m_builtInOnly->setVisible(m_view.playback().device() >= 0);
}

} // namespace zembra
