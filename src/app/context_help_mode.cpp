#include "app/context_help_mode.h"

#include "app/help_file.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>

namespace zembra {

namespace {
const char* const kHelpIdProperty = "helpId";

int idOfAction(const QAction* action)
{
    return action && action->data().isValid() ? action->data().toInt() : 0;
}
} // namespace

ContextHelpMode::ContextHelpMode(QObject* parent)
    : QObject(parent)
{
}

ContextHelpMode::~ContextHelpMode()
{
    End();
}

void ContextHelpMode::Begin()
{
    if (m_active) {
        return;
    }
    m_active = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    qApp->installEventFilter(this);
}

void ContextHelpMode::End()
{
    if (!m_active) {
        return;
    }
    m_active = false;
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
}

int ContextHelpMode::ControlIdAt(QWidget* widget, const QPoint& localPos)
{
    if (auto* menu = qobject_cast<QMenu*>(widget)) {
        return idOfAction(menu->actionAt(localPos));
    }
    if (auto* button = qobject_cast<QToolButton*>(widget)) {
        if (const int id = idOfAction(button->defaultAction())) {
            return id;
        }
    }
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant id = w->property(kHelpIdProperty);
        if (id.isValid()) {
            return id.toInt();
        }
    }
    return 0;
}

bool ContextHelpMode::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_active || !watched->isWidgetType()) {
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            End();
            return true;
        }
        return false;
    case QEvent::MouseButtonPress: {
        auto* widget = static_cast<QWidget*>(watched);
        const int id = ControlIdAt(widget, static_cast<QMouseEvent*>(event)->position().toPoint());
        End();
        emit requested(HelpContextForControl(id));
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return true; // the click asks for help; it carries nothing out
    default:
        return false;
    }
}

} // namespace zembra
