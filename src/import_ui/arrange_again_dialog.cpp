#include "import_ui/arrange_again_dialog.h"

#include "import_ui/arrange_fields.h"
#include "services/qt_text.h"
#include "text/string_ids.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace zembra {

ArrangeAgainDialog::ArrangeAgainDialog(const std::vector<MelodyTrackChoice>& tracks, const ArrangeChoices& opening,
                                       QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ArrangeAgainDialog"));
    setWindowTitle(TextOf(str::kArrangeAgainCaption));
    m_fields = new ArrangeFields(tracks, opening.melodyTrack, opening.maxChord, this);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(TextOf(str::kSettingsOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    ok->setEnabled(m_fields->hasTracks());
    QPushButton* cancel = buttons->addButton(TextOf(str::kSettingsCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fields);
    layout->addWidget(buttons);
}

ArrangeChoices ArrangeAgainDialog::choices() const
{
    return m_fields->choices();
}

} // namespace zembra
