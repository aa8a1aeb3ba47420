#include "app/outer_height_keeper.h"

#include "app/frame_geometry.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace zembra {

namespace {
// A frame that has not come within this time never will (no window manager, or one that
// draws none); the window keeps the height it has.
constexpr int kFrameWaitMs = 3000;
} // namespace

OuterHeightKeeper::OuterHeightKeeper(QWidget& window, int outerWidth, int outerHeight)
    : QObject(&window)
    , m_window(window)
    , m_outerWidth(outerWidth)
    , m_outerHeight(outerHeight)
{
    m_window.resize(m_outerWidth, m_outerHeight);
    if (Fit()) {
        deleteLater();
        return;
    }
    m_window.installEventFilter(this);
    QTimer::singleShot(kFrameWaitMs, this, [this] { deleteLater(); });
}

bool OuterHeightKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            // Not within the event itself: the resize this asks for is one more Resize event.
            QTimer::singleShot(0, this, [this] {
                if (Fit()) {
                    m_window.removeEventFilter(this);
                    deleteLater();
                }
            });
            break;
        default:
            break;
        }
    }
    return false;
}

bool OuterHeightKeeper::Fit()
{
    if (!m_window.isVisible() || m_window.isMaximized() || m_window.isFullScreen()) {
        return false;
    }
    const int extraWidth = m_window.frameGeometry().width() - m_window.width();
    const int extraHeight = m_window.frameGeometry().height() - m_window.height();
    if (extraHeight <= 0) {
        return false;
    }
    m_window.resize(InnerHeightForOuter(m_outerWidth, extraWidth), InnerHeightForOuter(m_outerHeight, extraHeight));
    return true;
}

} // namespace zembra
