#include "import_ui/arrange_panel.h"

#include "import/arrange_report.h"
#include "import_ui/arrange_changes_dialog.h"
#include "import_ui/arrange_fields.h"
#include "services/prompts.h"
#include "services/qt_text.h"
#include "text/string_ids.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

namespace zembra {

ArrangePanel::ArrangePanel(Runner runner, const std::vector<MelodyTrackChoice>& tracks, int defaultTrack,
                           QWidget* parent)
    : QWidget(parent)
    , m_runner(std::move(runner))
{
    setObjectName(QStringLiteral("arrangePanel"));
    m_fields = new ArrangeFields(tracks, defaultTrack, kDefaultChordLimit, this);
    m_arrange = new QPushButton(TextOf(str::kArrangeButton), this);
    m_arrange->setObjectName(QStringLiteral("arrangeForBox"));
    m_arrange->setToolTip(TextOf(str::kArrangeButtonTip));
    m_arrange->setEnabled(m_fields->hasTracks() && static_cast<bool>(m_runner));
    m_changes = new QPushButton(TextOf(str::kArrangeChangesButton), this);
    m_changes->setObjectName(QStringLiteral("arrangeChanges"));
    m_changes->setEnabled(false);
    m_summary = new QLabel(m_fields->hasTracks() ? QString() : TextOf(str::kArrangeNoMelody), this);
    m_summary->setObjectName(QStringLiteral("arrangeSummary"));
    m_summary->setWordWrap(true);
    m_summary->setVisible(!m_summary->text().isEmpty());

    connect(m_arrange, &QPushButton::clicked, this, &ArrangePanel::Arrange);
    connect(m_changes, &QPushButton::clicked, this, &ArrangePanel::ShowChanges);

    auto* side = new QVBoxLayout;
    side->addWidget(m_arrange);
    side->addWidget(m_changes);
    side->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(m_fields, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(m_summary);
}

void ArrangePanel::Arrange()
{
    if (m_fields->hasTracks()) {
        run(m_fields->choices());
    }
}

void ArrangePanel::Refresh()
{
    if (m_arranged) {
        run(*m_arranged);
    }
}

void ArrangePanel::run(const ArrangeChoices& choices)
{
    if (!m_runner) {
        return;
    }
    m_outcome = m_runner(choices);
    m_arranged = choices;
    const std::string report = ArrangeReportText(m_outcome->result, m_outcome->resolution, m_outcome->beatsPerBar);
    m_summary->setText(Utf8(report.substr(0, report.find('\n'))));
    m_summary->setVisible(true);
    m_changes->setEnabled(true);
    emit arrangedNow(*m_outcome);
}

void ArrangePanel::ShowChanges()
{
    if (!m_outcome) {
        return;
    }
    ArrangeChangesDialog dialog(m_outcome->result, m_outcome->resolution, m_outcome->beatsPerBar, this);
    prompts().runDialog(dialog);
}

} // namespace zembra
