#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;
class QUrl;

namespace zembra {

// Where the help page of this program lives; the first existing candidate, or the preferred one.
QString HelpFilePath();

// A window showing the help pages.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    // Opens (or raises) the help window on the page, at the anchor of a help context when it has
    // one. False when the page does not exist.
    static bool Show(const QString& path, int context, QWidget* parent);
    // The window shown last, while it is open.
    static HelpWindow* Current();
    QUrl source() const;

private:
    explicit HelpWindow(QWidget* parent);
    QTextBrowser* m_browser;
};

} // namespace zembra
