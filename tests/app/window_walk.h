#pragma once

// Walks what a person can see of the main window and of every dialog it opens: each text, tool
// tip, accessible name and window title, with where it was seen, and each label or button whose
// text does not fit the room it was given.
#include "scripted_prompts.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace zembra {

class CMainFrame;

// Kana, kanji, CJK punctuation (the ideographic space among them) and full-width forms.
bool HasJapanese(const QString& text);

class WindowWalk {
public:
    struct Seen {
        QString where;
        QString text;
    };

    // A widget and its visible descendants.
    void Widget(QWidget* widget, const QString& where);
    // The menu bar with every popup and submenu, both toolbars, the status bar and the title.
    void Frame(CMainFrame& frame);
    void Text(const QString& where, const QString& text);

    const std::vector<Seen>& seen() const { return m_seen; }
    // "where: text" of everything seen that holds Japanese.
    QStringList Japanese() const;
    // "where: text (needs N, has M)" of each label or button too narrow or too low for its text.
    const QStringList& cut() const { return m_cut; }
    int dialogsWalked() const { return m_dialogs; }
    QStringList dialogClasses() const { return m_dialogClasses; }

    // Called by the prompts for each dialog they run.
    void Dialog(QWidget& dialog, const QString& className);

private:
    void Menu(QMenu* menu, const QString& where);
    void Action(QAction* action, const QString& where);
    void CheckFits(QWidget* widget, const QString& where);

    std::vector<Seen> m_seen;
    QStringList m_cut;
    QStringList m_dialogClasses;
    int m_dialogs = 0;
};

// Prompts that show each dialog they are asked to run, walk it, press the buttons that open a
// further dialog (the import's editor), and close it; messages, questions and file choosers are
// walked for their texts, captions and filters. Answers come from the script as usual.
class WalkingPrompts : public ScriptedPrompts {
public:
    explicit WalkingPrompts(WindowWalk& walk)
        : m_walk(walk)
    {
    }

    void message(QWidget* parent, const QString& text, const QString& caption, Icon icon) override;
    Answer ask(QWidget* parent, const QString& text, const QString& caption, Buttons buttons, Answer defaultAnswer,
               Icon icon) override;
    QString openFileName(QWidget* parent, const FileRequest& request) override;
    QString saveFileName(QWidget* parent, const FileRequest& request) override;
    int runDialog(QDialog& dialog) override;

private:
    WindowWalk& m_walk;
};

} // namespace zembra
