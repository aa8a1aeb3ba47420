#include "services/save_confirm_dialog.h"

#include "services/qt_text.h"
#include "text/string_ids.h"
#include "text/strings.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zembra {

namespace {


} // namespace

SaveConfirmDialog::SaveConfirmDialog(bool returnAllowed, QWidget* parent)
    : QDialog(parent)
    , m_save(new QPushButton(TextOf(str::kSaveConfirm), this))
    , m_discard(new QPushButton(TextOf(str::kSaveDiscard), this))
    , m_return(new QPushButton(TextOf(str::kSaveReturn), this))
    , m_saveAsBox(new QCheckBox(TextOf(str::kSaveAsCheck), this))
    , m_returnAllowed(returnAllowed)
{
    setObjectName(QStringLiteral("SaveConfirmDialog"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_save->setObjectName(QStringLiteral("save"));
    m_discard->setObjectName(QStringLiteral("discard"));
    m_return->setObjectName(QStringLiteral("return"));
    m_saveAsBox->setObjectName(QStringLiteral("saveAs"));
    m_save->setDefault(true);
    m_return->setEnabled(returnAllowed);

    auto* question = new QLabel(TextOf(str::kSaveQuestion), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_save);
    buttons->addWidget(m_discard);
    buttons->addWidget(m_return);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addLayout(buttons);
    layout->addWidget(m_saveAsBox);

    connect(m_save, &QPushButton::clicked, this, [this] { finish(m_saveAs ? kSaveAs : kSave); });
    connect(m_discard, &QPushButton::clicked, this, [this] { finish(kDiscard); });
    connect(m_return, &QPushButton::clicked, this, &SaveConfirmDialog::reject);
    connect(m_saveAsBox, &QCheckBox::clicked, this, [this] { m_saveAs = !m_saveAs; });
}

void SaveConfirmDialog::reject()
{
    if (m_returnAllowed) {
        finish(kReturn);
    }
}

void SaveConfirmDialog::finish(int answer)
{
    m_answer = answer;
    done(QDialog::Accepted);
}

} // namespace zembra
