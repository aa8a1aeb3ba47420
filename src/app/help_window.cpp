#include "app/help_window.h"

#include "app/help_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zembra {

QString HelpFilePath()
{
    const QString exe = QCoreApplication::applicationFilePath();
    const QString name = QString::fromStdString(HelpFileName(exe.toStdString()));
    const QString dir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {dir + QStringLiteral("/help/") + name,
                                    dir + QStringLiteral("/../share/zembra/help/") + name};
    for (const QString& candidate : candidates) {
        if (QFileInfo::exists(candidate)) {
            return QDir::cleanPath(candidate);
        }
    }
    return QDir::cleanPath(candidates.front());
}

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QCoreApplication::applicationName());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setOpenExternalLinks(true);
    resize(640, 520);
}

bool HelpWindow::Show(const QString& path, int context, QWidget* parent)
{
    if (!QFileInfo::exists(path)) {
        return false;
    }
    static QPointer<HelpWindow> window;
    if (!window) {
        window = new HelpWindow(parent);
    }
    QUrl url = QUrl::fromLocalFile(path);
    if (context != 0) {
        url.setFragment(QStringLiteral("context-%1").arg(context, 0, 16));
    }
    window->m_browser->setSource(url);
    window->show();
    window->raise();
    return true;
}

} // namespace zembra
