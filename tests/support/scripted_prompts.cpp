#include "scripted_prompts.h"

#include <QDialog>
#include <QPushButton>

namespace zembra {

QStringList ScriptedPrompts::messages() const
{
    QStringList texts;
    for (const Asked& item : m_asked) {
        if (item.kind == Asked::Kind::Message || item.kind == Asked::Kind::Question) {
            texts << item.text;
        }
    }
    return texts;
}

void ScriptedPrompts::clear()
{
    m_asked.clear();
    m_answers.clear();
    m_fileNames.clear();
    m_colours.clear();
    m_dialogs.clear();
    m_beeps = 0;
}

void ScriptedPrompts::message(QWidget*, const QString& text, const QString& caption, Icon)
{
    m_asked.push_back({Asked::Kind::Message, text, caption, Buttons::Ok, Answer::Ok, {}, {}});
}

Prompts::Answer ScriptedPrompts::ask(QWidget*, const QString& text, const QString& caption, Buttons buttons,
                                     Answer defaultAnswer, Icon)
{
    m_asked.push_back({Asked::Kind::Question, text, caption, buttons, defaultAnswer, {}, {}});
    if (m_answers.empty()) {
        return defaultAnswer;
    }
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QString ScriptedPrompts::openFileName(QWidget*, const FileRequest& request)
{
    m_asked.push_back(
        {Asked::Kind::OpenFile, request.fileName, request.caption, Buttons::Ok, Answer::Ok, {}, request.defaultSuffix});
    if (m_fileNames.empty()) {
        return {};
    }
    QString name = m_fileNames.front();
    m_fileNames.pop_front();
    return name;
}

QString ScriptedPrompts::saveFileName(QWidget*, const FileRequest& request)
{
    m_asked.push_back(
        {Asked::Kind::SaveFile, request.fileName, request.caption, Buttons::Ok, Answer::Ok, {}, request.defaultSuffix});
    if (m_fileNames.empty()) {
        return {};
    }
    QString name = m_fileNames.front();
    m_fileNames.pop_front();
    return name;
}

QColor ScriptedPrompts::chooseColour(QWidget*, const QColor&)
{
    m_asked.push_back({Asked::Kind::Colour, {}, {}, Buttons::Ok, Answer::Ok, {}, {}});
    if (m_colours.empty()) {
        return {};
    }
    QColor colour = m_colours.front();
    m_colours.pop_front();
    return colour;
}

ScriptedPrompts::DialogScript ScriptedPrompts::Press(const char* button)
{
    return [button](QDialog& dialog) {
        if (auto* pressed = dialog.findChild<QPushButton*>(QString::fromLatin1(button))) {
            pressed->click();
        }
        return dialog.result();
    };
}

int ScriptedPrompts::runDialog(QDialog& dialog)
{
    m_asked.push_back({Asked::Kind::Dialog, dialog.windowTitle(), {}, Buttons::Ok, Answer::Ok,
                       QString::fromLatin1(dialog.metaObject()->className()), {}});
    if (m_dialogs.empty()) {
        return QDialog::Rejected;
    }
    DialogScript script = std::move(m_dialogs.front());
    m_dialogs.pop_front();
    return script(dialog);
}

} // namespace zembra
