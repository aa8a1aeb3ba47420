// The main window's ways into a file besides File > Open: the recent files of the File menu and
// a file dropped on the window.
#include "app/main_frame.h"

#include "canvas/command_state.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"
#include "services/command_ids.h"
#include "services/settings.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace zembra {

void CMainFrame::createRecentFiles()
{
    // Between the print items and Exit, as desktop programs list them.
    QMenu* fileMenu = m_popups.front();
    QAction* exit = m_actions[cmd::kExit];
    QAction* separator = fileMenu->insertSeparator(exit);
    for (int i = 0; i < settings::kRecentFileCount; ++i) {
        auto* act = new QAction(this);
        act->setObjectName(QStringLiteral("recentFile"));
        connect(act, &QAction::triggered, this, [this, act] {
            const QString path = act->data().toString();
            if (!path.isEmpty()) {
                openNamed(path);
            }
        });
        fileMenu->insertAction(separator, act);
        m_recentFiles.push_back(act);
    }
    connect(fileMenu, &QMenu::aboutToShow, this, &CMainFrame::updateRecentFiles);
    setAcceptDrops(true);
    updateRecentFiles();
}

void CMainFrame::updateRecentFiles()
{
    const QStringList files = settings::RecentFiles();
    const bool available = StateOf(cmd::kFileOpen, m_view->facts()).enabled;
    for (std::size_t i = 0; i < m_recentFiles.size(); ++i) {
        QAction* act = m_recentFiles[i];
        const bool present = static_cast<qsizetype>(i) < files.size();
        const QString path = present ? files.at(static_cast<qsizetype>(i)) : QString();
        act->setData(path);
        act->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        act->setVisible(present);
        act->setEnabled(available);
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return;
    }
    event->acceptProposedAction();
    const QString path = urls.front().toLocalFile();
    // The drop returns first: the save question and the import dialog are modal.
    QTimer::singleShot(0, this, [this, path] { openNamed(path); });
}

void CMainFrame::openNamed(const QString& path)
{
    if (!StateOf(cmd::kFileOpen, m_view->facts()).enabled) {
        return;
    }
    runGuarded([this, &path] { m_doc->OpenNamedSong(path); }, false);
    updateRecentFiles();
    updateCommandStates();
}

} // namespace zembra
