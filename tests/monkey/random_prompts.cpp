#include "random_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSlider>
#include <QDialog>
#include <QAction>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "monkey_arrange_gestures.h"
#include "monkey_fit_gestures.h"
#include "import_ui/import_edit_dialog.h"

#include <algorithm>

namespace zembra::monkey {

RandomPrompts::RandomPrompts(MonkeyDice& dice, QStringList openNames, QStringList saveNames)
    : m_dice(dice)
    , m_openNames(std::move(openNames))
    , m_saveNames(std::move(saveNames))
{
}

void RandomPrompts::message(QWidget*, const QString& text, const QString&, Icon)
{
    ++m_messages;
    m_lastMessage = text;
}

Prompts::Answer RandomPrompts::ask(QWidget*, const QString&, const QString&, Buttons buttons, Answer, Icon)
{
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return m_dice.percent(50) ? Answer::Ok : Answer::Cancel;
    case Buttons::YesNo:
        return m_dice.percent(50) ? Answer::Yes : Answer::No;
    case Buttons::YesNoCancel:
        break;
    }
    constexpr Answer kThree[] = {Answer::Yes, Answer::No, Answer::Cancel};
    return kThree[m_dice.below(3)];
}

QString RandomPrompts::openFileName(QWidget*, const FileRequest& request)
{
    if (!m_boxNames.isEmpty() && request.filter.contains(QLatin1String("*.json"))) {
        // One time in four the user thinks better of it.
        const int pick = m_dice.below(static_cast<int>(m_boxNames.size()) * 4 / 3 + 1);
        return pick < m_boxNames.size() ? m_boxNames[pick] : QString();
    }
    // One time in three the user cancels.
    const int pick = m_dice.below(static_cast<int>(m_openNames.size()) * 3 / 2 + 1);
    return pick < m_openNames.size() ? m_openNames[pick] : QString();
}

QString RandomPrompts::saveFileName(QWidget*, const FileRequest& request)
{
    // Rendering audio takes seconds: mostly the user thinks better of it.
    if (request.fileName.endsWith(QLatin1String(".wav")) && m_dice.percent(80)) {
        return {};
    }
    const int pick = m_dice.below(static_cast<int>(m_saveNames.size()) * 3 / 2 + 1);
    return pick < m_saveNames.size() ? m_saveNames[pick] : QString();
}

QColor RandomPrompts::chooseColour(QWidget*, const QColor&)
{
    if (m_dice.percent(30)) {
        return {};
    }
    return QColor(m_dice.below(256), m_dice.below(256), m_dice.below(256));
}

void RandomPrompts::fillFields(QDialog& dialog)
{
    for (QSpinBox* box : dialog.findChildren<QSpinBox*>()) {
        if (m_dice.percent(50)) {
            // Mostly near the low end of the box's range, sometimes at either end.
            const int nearLow = m_dice.between(box->minimum(), std::min(box->maximum(), box->minimum() + 400));
            const int end = m_dice.percent(50) ? box->minimum() : box->maximum();
            box->setValue(m_dice.percent(20) ? end : nearLow);
        }
    }
    for (QDoubleSpinBox* box : dialog.findChildren<QDoubleSpinBox*>()) {
        if (m_dice.percent(50)) {
            const double span = box->maximum() - box->minimum();
            box->setValue(box->minimum() + span * m_dice.below(1001) / 1000.0);
        }
    }
    for (QComboBox* box : dialog.findChildren<QComboBox*>()) {
        if (box->count() > 0 && m_dice.percent(50)) {
            box->setCurrentIndex(m_dice.below(box->count()));
        }
    }
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
        if (m_dice.percent(30)) {
            box->setChecked(!box->isChecked());
        }
    }
    for (QRadioButton* button : dialog.findChildren<QRadioButton*>()) {
        if (m_dice.percent(20)) {
            button->setChecked(true);
        }
    }
    for (QSlider* slider : dialog.findChildren<QSlider*>()) {
        if (m_dice.percent(40)) {
            slider->setValue(m_dice.between(slider->minimum(), slider->maximum()));
        }
    }
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        // Spin boxes carry a line edit of their own: those were set above.
        if (qobject_cast<QAbstractSpinBox*>(edit->parentWidget()) == nullptr && m_dice.percent(30)) {
            constexpr const char* kTexts[] = {"", "0", "-1", "999999", "abc", "120", "Ünïcödé 曲"};
            edit->setText(QString::fromUtf8(kTexts[m_dice.below(static_cast<int>(std::size(kTexts)))]));
        }
    }
}

void RandomPrompts::clickButton(QDialog& dialog, const char* name, int percent)
{
    auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    if (button != nullptr && button->isEnabled() && m_dice.percent(percent)) {
        button->click();
    }
}

void RandomPrompts::editImport(ImportEditDialog& dialog)
{
    constexpr const char* kEdits[] = {"octaveUp", "octaveDown", "selectAll", "cut", "deleteDuplicates", "undo",
                                      "play", "stop"};
    const int edits = m_dice.between(0, 6);
    for (int i = 0; i < edits; ++i) {
        clickButton(dialog, kEdits[m_dice.below(static_cast<int>(std::size(kEdits)))], 100);
        if (dialog.playing()) {
            dialog.OnPlayTimer();
        }
    }
}

int RandomPrompts::runDialog(QDialog& dialog)
{
    ++m_dialogs;
    if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) {
        // Never a real printer: the job goes into a PDF in the run's folder, and the dialog's own
        // accept (which would take the printer from its list) is not called.
        if (m_dice.percent(50)) {
            return QDialog::Rejected;
        }
        const QDir folder = QFileInfo(m_saveNames.value(0)).dir();
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(folder.filePath(QStringLiteral("printed.pdf")));
        return QDialog::Accepted;
    }
    if (qobject_cast<QPageSetupDialog*>(&dialog) != nullptr) {
        return m_dice.percent(50) ? QDialog::Accepted : QDialog::Rejected;
    }
    if (qobject_cast<QPrintPreviewDialog*>(&dialog) != nullptr) {
        // Now and then its print button, which goes on through the card settings.
        if (m_dice.percent(30)) {
            for (QAction* action : dialog.findChildren<QAction*>()) {
                if (action->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print")) {
                    action->trigger();
                    return dialog.result();
                }
            }
        }
        dialog.reject();
        return QDialog::Rejected;
    }
    if (m_dice.percent(40)) {
        dialog.reject();
        return QDialog::Rejected;
    }
    fillFields(dialog);
    ChooseTracks(dialog, m_dice);
    FitToComb(dialog, m_dice);
    ArrangeForBox(dialog, m_dice);
    SaveArrangeChanges(dialog, m_dice);
    if (auto* editor = qobject_cast<ImportEditDialog*>(&dialog)) {
        editImport(*editor);
    }
    // The import settings' ">>Editor" opens the import editor (through these prompts again); the
    // card settings' preview button closes them and previews.
    clickButton(dialog, "editor", 30);
    // The save question is answered by its buttons: a person saves or lets the changes go, and
    // only then does a file open (where the import settings and their fit to the comb wait).
    if (dialog.objectName() == QLatin1String("SaveConfirmDialog")) {
        clickButton(dialog, m_dice.percent(50) ? "discard" : "save", 70);
        if (dialog.result() == QDialog::Accepted) {
            return QDialog::Accepted;
        }
    }
    if (dialog.objectName() == QLatin1String("CCardPrintDialog")) {
        clickButton(dialog, "ctl1026", 20);
        if (dialog.result() == QDialog::Accepted) {
            return QDialog::Accepted;
        }
    }
    // accept() may refuse what was typed and keep the dialog open; a person would then cancel.
    dialog.setResult(QDialog::Rejected);
    if (m_dice.percent(20)) {
        dialog.reject();
    } else {
        dialog.accept();
    }
    return dialog.result();
}

} // namespace zembra::monkey
