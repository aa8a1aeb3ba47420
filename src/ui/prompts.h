#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <variant>
#include <vector>

class QDialog;
class QFileDialog;
class QWidget;

namespace zembra {

// Every modal interaction goes through here, so that tests can answer instead of a person.
class Prompts {
public:
    enum class Icon { Information, Warning, Error, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    struct FileRequest {
        QString caption;
        QString folder;
        QString fileName;
        QString filter;
        // Added to a name typed without one ("mid", no dot).
        QString defaultSuffix;
    };

    virtual ~Prompts() = default;

    virtual void message(QWidget* parent, const QString& text, const QString& caption, Icon icon) = 0;
    virtual Answer ask(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
                       Answer defaultAnswer, Icon icon) = 0;
    // An empty string when the user cancelled.
    virtual QString openFileName(QWidget* parent, const FileRequest& request) = 0;
    // The name as it will be written, default suffix included. It does not ask about replacing
    // a file: the caller does that for the name it really writes (confirmReplacing).
    virtual QString saveFileName(QWidget* parent, const FileRequest& request) = 0;
    // An invalid colour when the user cancelled.
    virtual QColor chooseColour(QWidget* parent, const QColor& initial) = 0;
    // Runs a modal dialog and returns its result code (QDialog::Accepted or Rejected).
    virtual int runDialog(QDialog& dialog) = 0;
    // The audible warning that goes with a question.
    virtual void beep() = 0;
};

// The prompts of the running program; the Qt implementation unless a test installed another.
Prompts& prompts();
// Replaces the program's prompts and returns the previous ones.
std::unique_ptr<Prompts> installPrompts(std::unique_ptr<Prompts> replacement);

// True when nothing is at `path`, or the user agreed to replace what is there.
bool confirmReplacing(QWidget* parent, const QString& path);

class QtPrompts : public Prompts {
public:
    void message(QWidget* parent, const QString& text, const QString& caption, Icon icon) override;
    Answer ask(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
               Answer defaultAnswer, Icon icon) override;
    QString openFileName(QWidget* parent, const FileRequest& request) override;
    QString saveFileName(QWidget* parent, const FileRequest& request) override;
    QColor chooseColour(QWidget* parent, const QColor& initial) override;
    int runDialog(QDialog& dialog) override;
    void beep() override;

    // Sets up the save dialog: default suffix, and no question about replacing (the caller asks).
    static void prepareSaveDialog(QFileDialog& dialog, const FileRequest& request);
};

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

// Installs scripted prompts for the lifetime of the object and puts the previous ones back after.
class ScopedScriptedPrompts {
public:
    ScopedScriptedPrompts();
    ~ScopedScriptedPrompts();
    ScriptedPrompts& operator*() { return *m_scripted; }
    ScriptedPrompts* operator->() { return m_scripted; }

private:
    ScriptedPrompts* m_scripted;
    std::unique_ptr<Prompts> m_previous;
};

} // namespace zembra
