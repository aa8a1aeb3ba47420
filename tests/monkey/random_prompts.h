#pragma once

#include "monkey_dice.h"
#include "services/prompts.h"

#include <QStringList>

namespace zembra {
class ImportEditDialog;
}

namespace zembra::monkey {

// A user who answers every question, file chooser and dialog at random (from the run's dice),
// and never waits: dialogs get random values in their fields and are then accepted or rejected.
// File choosers offer a fixed set of names in one temporary folder.
class RandomPrompts : public Prompts {
public:
    RandomPrompts(MonkeyDice& dice, QStringList openNames, QStringList saveNames);

    void message(QWidget* parent, const QString& text, const QString& caption, Icon icon) override;
    Answer ask(QWidget* parent, const QString& text, const QString& caption, Buttons buttons, Answer defaultAnswer,
               Icon icon) override;
    QString openFileName(QWidget* parent, const FileRequest& request) override;
    QString saveFileName(QWidget* parent, const FileRequest& request) override;
    QColor chooseColour(QWidget* parent, const QColor& initial) override;
    int runDialog(QDialog& dialog) override;
    void beep() override {}

    // The names a chooser of box files offers instead of the others.
    void setBoxNames(QStringList names) { m_boxNames = std::move(names); }

    long messages() const { return m_messages; }
    long dialogs() const { return m_dialogs; }
    const QString& lastMessage() const { return m_lastMessage; }

private:
    void fillFields(QDialog& dialog);
    // Clicks the dialog's button of that name, when there is one that is enabled, percent times in 100.
    void clickButton(QDialog& dialog, const char* name, int percent);
    // A few random edits in the import editor before it is closed.
    void editImport(ImportEditDialog& dialog);

    MonkeyDice& m_dice;
    QStringList m_openNames;
    QStringList m_saveNames;
    QStringList m_boxNames;
    long m_messages = 0;
    long m_dialogs = 0;
    QString m_lastMessage;
};

} // namespace zembra::monkey
