#pragma once

#include "midi/sync_clock.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace zembra {

class CardCommands;
class CKelpDoc;
class CKelpView;
class ContextHelpMode;
class NoticePump;

// The main window: menus, the two toolbars and the status bar around the canvas.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    CMainFrame(CKelpDoc* doc, CKelpView* view, QWidget* parent = nullptr);
    ~CMainFrame() override;

    SyncClock& clock() { return m_clock; }
    QAction* action(int commandId) const;
    QToolBar* mainToolBar() const { return m_mainToolBar; }
    QToolBar* canvasToolBar() const { return m_canvasToolBar; }
    QLabel* pane(int index) const { return m_panes[static_cast<std::size_t>(index)]; }
    bool printPreviewShown() const { return m_printPreview; }
    CardCommands& cardCommands() { return *m_card; }
    void setPrintPreviewShown(bool shown) { m_printPreview = shown; }
    // The about box that shows once the canvas is first painted; off when the program starts
    // with a file, whose import comes first.
    void setStartupSplash(bool shown) { m_startupSplash = shown; }

    // Every action that carries a command: the one of the toolbars and keys, then the menu
    // items that read differently.
    std::vector<QAction*> commandActions(int commandId) const;
    // The help page to show instead of the one beside the program.
    void setHelpFile(const QString& path) { m_helpFile = path; }

    // Carries out a command as the menu, a toolbar button or a key would.
    void runCommand(int commandId);
    // Re-applies the availability and check mark of every command.
    void updateCommandStates();
    ContextHelpMode& contextHelp() const { return *m_contextHelp; }
    // The help request of a menu, a key or context help: ends every mode and opens the guide at
    // the context (0: its top), or says where the guide was looked for.
    void showHelp(int context);

    // The numbered recent-file items of the File menu, most recent first.
    const std::vector<QAction*>& recentFileActions() const { return m_recentFiles; }
    void updateRecentFiles();

signals:
    // The window closes for good: the user has been asked about the unsaved changes.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* makeAction(int id, const QString& text);
    void carryOut(int commandId);
    void createActions();
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void createRecentFiles();
    // Opens a recent or dropped file as File > Open would.
    void openNamed(const QString& path);
    void runGuarded(const std::function<void()>& work, bool writesSong);
    void fillToolBar(QToolBar* toolBar, std::span<const int> commands);
    void updateTitle();
    void showAbout(bool splash);
    void movePaneFocus(bool forward);

    void showTempoDialog();

    // The one sequencer clock of the program; everything the output port plays is timed by it.
    SyncClock m_clock;
    std::unique_ptr<NoticePump> m_pump;
    std::unique_ptr<CardCommands> m_card;
    ContextHelpMode* m_contextHelp = nullptr;
    CKelpDoc* m_doc;
    CKelpView* m_view;
    std::map<int, QAction*> m_actions;
    std::vector<QAction*> m_menuCopies;
    QString m_helpFile;
    std::vector<QMenu*> m_popups;
    QToolBar* m_mainToolBar = nullptr;
    QToolBar* m_canvasToolBar = nullptr;
    std::array<QLabel*, 11> m_panes{};
    bool m_printPreview = false;
    bool m_startupSplash = true;
    std::vector<QAction*> m_recentFiles;
};

} // namespace zembra
