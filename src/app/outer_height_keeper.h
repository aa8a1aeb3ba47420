#pragma once

#include <QObject>

class QWidget;

namespace zembra {

// Gives a top-level window an outer size, frame included. The window manager adds its frame
// only after the window is shown, so the height is set again once the frame's size is known.
class OuterHeightKeeper : public QObject {
    Q_OBJECT

public:
    OuterHeightKeeper(QWidget& window, int outerWidth, int outerHeight);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sets the inner height for the frame as it is now; true once a frame has been seen.
    bool Fit();

    QWidget& m_window;
    int m_outerWidth;
    int m_outerHeight;
};

} // namespace zembra
