#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <memory>

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

} // namespace zembra
