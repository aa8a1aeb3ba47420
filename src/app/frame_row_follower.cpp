#include "app/frame_row_follower.h"

#include "app/frame_geometry.h"
#include "canvas/kelp_view.h"

#include <QScreen>
#include <QWidget>

namespace zembra {

FrameRowFollower::FrameRowFollower(QWidget& window, CKelpView& view)
    : QObject(&window)
    , m_window(window)
    , m_view(view)
{
    connect(&m_view, &CKelpView::rowCountChanged, this, &FrameRowFollower::Follow);
}

void FrameRowFollower::Follow(int oldRows, int newRows)
{
    if (m_window.isMaximized() || m_window.isFullScreen()) {
        return;
    }
    // The frame the window manager adds counts against the screen's free height too.
    const int frameExtra = m_window.isVisible() ? m_window.frameGeometry().height() - m_window.height() : 0;
    const QScreen* screen = m_window.screen();
    const int available = screen ? screen->availableGeometry().height() - frameExtra : 0;
    const int height = HeightForRows(m_window.height(), oldRows, newRows, m_view.song().rowHeight, available);
    m_window.resize(m_window.width(), height);
}

} // namespace zembra
