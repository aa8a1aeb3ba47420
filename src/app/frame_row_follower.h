#pragma once

#include <QObject>

class QWidget;

namespace zembra {

class CKelpView;

// Keeps the main window as tall as the song's box needs: when the box gets more or fewer rows,
// the window grows or shrinks by the band's height, up to the screen's free height (the canvas
// scrolls down beyond it). A maximized or full-screen window keeps its size.
class FrameRowFollower : public QObject {
    Q_OBJECT

public:
    FrameRowFollower(QWidget& window, CKelpView& view);

private:
    void Follow(int oldRows, int newRows);

    QWidget& m_window;
    CKelpView& m_view;
};

} // namespace zembra
