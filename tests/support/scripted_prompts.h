#pragma once

#include "services/prompts.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace zembra {

// Answers from a script and records what was asked; never shows a window.
class ScriptedPrompts : public Prompts {
public:
    struct Asked {
        enum class Kind { Message, Question, OpenFile, SaveFile, Colour, Dialog } kind;
        QString text;
        QString caption;
        Buttons buttons = Buttons::Ok;
        Answer defaultAnswer = Answer::Ok;
        QString dialogClass;
        QString defaultSuffix; // of a file chooser
    };

    // Scripted replies are consumed in order; when none is left, questions get their default
    // answer, file choosers and colour choosers are cancelled, and dialogs are rejected.
    void pushAnswer(Answer answer) { m_answers.push_back(answer); }
    void pushFileName(const QString& name) { m_fileNames.push_back(name); }
    void pushColour(const QColor& colour) { m_colours.push_back(colour); }
    // A function that plays the user's part inside a dialog before it is closed with its result.
    using DialogScript = std::function<int(QDialog&)>;
    void pushDialog(DialogScript script) { m_dialogs.push_back(std::move(script)); }
    // A script that clicks the dialog's button of that object name ("discard" of the save
    // question, before a song placed from a foreign file is replaced).
    static DialogScript Press(const char* button);

    const std::vector<Asked>& asked() const { return m_asked; }
    QStringList messages() const;
    int beeps() const { return m_beeps; }
    void clear();

    void message(QWidget* parent, const QString& text, const QString& caption, Icon icon) override;
    Answer ask(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
               Answer defaultAnswer, Icon icon) override;
    QString openFileName(QWidget* parent, const FileRequest& request) override;
    QString saveFileName(QWidget* parent, const FileRequest& request) override;
    QColor chooseColour(QWidget* parent, const QColor& initial) override;
    int runDialog(QDialog& dialog) override;
    void beep() override { ++m_beeps; }

private:
    std::vector<Asked> m_asked;
    std::deque<Answer> m_answers;
    std::deque<QString> m_fileNames;
    std::deque<QColor> m_colours;
    std::deque<DialogScript> m_dialogs;
    int m_beeps = 0;
};

} // namespace zembra
