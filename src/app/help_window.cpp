#include "app/help_window.h"
#include "services/app_identity.h"

#include "app/help_file.h"
#include "text/strings.h"

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
    const std::string page = HelpFileName(exe.toStdString());
    const QString name = QString::fromStdString(LocalisedHelpFileName(page, language() == Language::Japanese));
    const QString fallback = QString::fromStdString(page);
    // ZEMBRA_HELP_DIR names the one folder to look in (a guide being written, tests).
    const QString chosen = qEnvironmentVariable("ZEMBRA_HELP_DIR");
    if (!chosen.isEmpty()) {
        const QString localised = chosen + QLatin1Char('/') + name;
        return QDir::cleanPath(QFileInfo::exists(localised) ? localised : chosen + QLatin1Char('/') + fallback);
    }
    const QString dir = QCoreApplication::applicationDirPath();
    // Beside the program in a build tree; in the installed guide folder (ZEMBRA_HELP_FROM_BIN,
    // relative to the installed program, given by the build) otherwise.
    const QString built = dir + QStringLiteral("/help/");
    const QString installed = dir + QStringLiteral("/" ZEMBRA_HELP_FROM_BIN "/");
    // The guide in the table's language first, the English one when it is missing.
    const QStringList candidates = {built + name, installed + name, built + fallback, installed + fallback};
    for (const QString& candidate : candidates) {
        if (QFileInfo::exists(candidate)) {
            return QDir::cleanPath(candidate);
        }
    }
    return QDir::cleanPath(candidates.front());
}

namespace {
QPointer<HelpWindow> s_current;
} // namespace

HelpWindow* HelpWindow::Current()
{
    return s_current;
}

QUrl HelpWindow::source() const
{
    return m_browser->source();
}

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(ProductName());
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
    QPointer<HelpWindow>& window = s_current;
    if (!window) {
        window = new HelpWindow(parent);
    }
    QUrl url = QUrl::fromLocalFile(path);
    if (context != 0) {
        url.setFragment(QString::fromStdString(HelpAnchor(context)));
    }
    window->m_browser->setSource(url);
    window->show();
    window->raise();
    return true;
}

} // namespace zembra
