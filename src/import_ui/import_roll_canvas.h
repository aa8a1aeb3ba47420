#pragma once

#include "import_ui/import_roll_painter.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

#include <optional>

namespace zembra {

class ImportRollEditor;

// The roll's window: shows the scale-1 roll scrolled sideways, the magnifier at scale 2, the
// rubber band and the play line, and turns the mouse into selection and range playback.
class ImportRollCanvas : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMagnifierSize = 120;

    ImportRollCanvas(ImportRollEditor& editor, QWidget* parent = nullptr);

    int scrollX() const;
    // Clamped to the roll; emits scrolled when it moved.
    void setScrollX(int x);
    int maxScroll() const;
    int lineStep() const { return width() / 10; }
    int pageStep() const { return width() * 8 / 10; }

    // The play line at a scale-1 roll x, or none.
    void setPlayLine(std::optional<int> rollX);
    std::optional<int> playLine() const { return m_playLine; }
    void setPlaying(bool playing) { m_playing = playing; }

    // The left edge (roll x) of the last dragged rectangle, if there was one.
    std::optional<int> lastBandLeft() const { return m_lastBandLeft; }
    // Where the magnifier shows, in client pixels; empty when hidden.
    QRect magnifierRect() const;
    const ImportRollPainter& painter() const { return m_painter; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void scrolled(int x);
    void selectionChanged();
    void rangePlayRequested(int fromX, int toX);
    void restartRequested(int rollX);
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void AutoScroll(int x);
    void ShowMagnifier(std::optional<QPoint> at);
    QRect playLineRect(int rollX) const;

    ImportRollEditor& m_editor;
    ImportRollPainter m_painter;
    std::optional<QPoint> m_pressAt;
    // The scroll position at the press: the band is anchored in the roll, not the window.
    int m_pressScroll = 0;
    bool m_pressShift = false;
    bool m_pressCtrl = false;
    std::optional<QRect> m_band;
    std::optional<int> m_lastBandLeft;
    std::optional<QPoint> m_magnifier;
    std::optional<int> m_playLine;
    bool m_playing = false;
    int m_nearRight = 0;
    int m_nearLeft = 0;
};

} // namespace zembra
