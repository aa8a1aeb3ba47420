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
    StopFiltering();
}

void ContextHelpMode::Begin()
{
    if (m_active) {
        return;
    }
    m_active = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    if (!m_filtering) {
        m_filtering = true;
        qApp->installEventFilter(this);
    }
}

void ContextHelpMode::End()
{
    if (!m_active) {
        return;
    }
    m_active = false;
    QApplication::restoreOverrideCursor();
    if (m_releaseButton == Qt::NoButton) {
        StopFiltering();
    }
}

void ContextHelpMode::StopFiltering()
{
    m_releaseButton = Qt::NoButton;
    if (m_filtering) {
        m_filtering = false;
        qApp->removeEventFilter(this);
    }
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
    if (!watched->isWidgetType()) {
        return false;
    }
    if (!m_active) {
        // The click that asked for help is over once its button comes up; the widget under the
        // mouse never saw its press, so it must not see the release either.
        if (m_releaseButton == Qt::NoButton) {
            return false;
        }
        switch (event->type()) {
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == m_releaseButton) {
                StopFiltering();
                return true;
            }
            return false;
        case QEvent::MouseButtonPress:
            // The release was lost (a window took the mouse meanwhile): this press is a click of its own.
            StopFiltering();
            return false;
        default:
            return false;
        }
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
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int id = ControlIdAt(widget, mouse->position().toPoint());
        m_releaseButton = mouse->button();
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
