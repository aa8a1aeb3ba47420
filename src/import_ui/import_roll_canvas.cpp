#include "import_ui/import_roll_canvas.h"

#include "import/import_roll_editor.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace zembra {

namespace {

constexpr int kClientWidth = 760;
// Three moves in a row at the edge scroll by a tenth of the window.
constexpr int kEdgeMoves = 3;
constexpr int kPlayLineWidth = 1;
constexpr int kWheelNotch = 120;

} // namespace

ImportRollCanvas::ImportRollCanvas(ImportRollEditor& editor, QWidget* parent)
    : QWidget(parent)
    , m_editor(editor)
    , m_painter(palette())
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedHeight(ImportRollState::BitmapHeight(1));
}

QSize ImportRollCanvas::sizeHint() const
{
    return {kClientWidth, ImportRollState::BitmapHeight(1)};
}

QSize ImportRollCanvas::minimumSizeHint() const
{
    return {kClientWidth / 4, ImportRollState::BitmapHeight(1)};
}

int ImportRollCanvas::scrollX() const
{
    return m_editor.state().scrollX;
}

int ImportRollCanvas::maxScroll() const
{
    return std::max(0, m_editor.state().BitmapWidth(1, width()) - width());
}

void ImportRollCanvas::setScrollX(int x)
{
    const int clamped = std::clamp(x, 0, maxScroll());
    if (clamped == scrollX()) {
        return;
    }
    m_editor.state().scrollX = clamped;
    update();
    emit scrolled(clamped);
}

QRect ImportRollCanvas::playLineRect(int rollX) const
{
    return {rollX - scrollX(), 0, kPlayLineWidth, height()};
}

void ImportRollCanvas::setPlayLine(std::optional<int> rollX)
{
    if (m_playLine == rollX) {
        return;
    }
    if (m_playLine) {
        update(playLineRect(*m_playLine));
    }
    m_playLine = rollX;
    if (m_playLine) {
        update(playLineRect(*m_playLine));
    }
}

QRect ImportRollCanvas::magnifierRect() const
{
    if (!m_magnifier) {
        return {};
    }
    return QRect(*m_magnifier, QSize(kMagnifierSize, kMagnifierSize)).intersected(rect());
}

void ImportRollCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const ImportRollState& roll = m_editor.state();
    const QRect area = event->rect();
    m_painter.Paint(painter, roll, 1, QPoint(area.left() + scrollX(), area.top()), area);
    m_painter.PaintHints(painter, ImportRollState::BitmapHeight(1));
    if (m_band) {
        painter.setPen(QPen(m_painter.colours().onScale, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(m_band->normalized().translated(-scrollX(), 0));
    }
    if (m_playLine) {
        painter.fillRect(playLineRect(*m_playLine), m_painter.colours().playLine);
    }
    const QRect lens = magnifierRect();
    if (!lens.isEmpty()) {
        const int scale = ImportRollState::kMagnifierScale;
        const QPoint source(scale * (m_magnifier->x() + scrollX()) - kMagnifierSize,
                            scale * m_magnifier->y() - kMagnifierSize);
        m_painter.Paint(painter, roll, scale, source, lens);
        painter.setPen(m_painter.colours().onScale);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(lens.adjusted(0, 0, -1, -1));
    }
}

void ImportRollCanvas::ShowMagnifier(std::optional<QPoint> at)
{
    const QRect before = magnifierRect();
    m_magnifier = at;
    // Only the two squares are painted again: what lay under the old one comes back from the roll.
    update(before.united(magnifierRect()));
}

void ImportRollCanvas::AutoScroll(int x)
{
    const int w = width();
    m_nearRight = x > w * 99 / 100 ? m_nearRight + 1 : 0;
    m_nearLeft = (x < w / 100 && scrollX() > 0) ? m_nearLeft + 1 : 0;
    if (m_nearRight >= kEdgeMoves) {
        m_nearRight = 0;
        setScrollX(scrollX() + lineStep());
    } else if (m_nearLeft >= kEdgeMoves) {
        m_nearLeft = 0;
        setScrollX(scrollX() - lineStep());
    }
}

void ImportRollCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_pressAt = event->position().toPoint();
    m_pressScroll = scrollX();
    m_pressShift = event->modifiers().testFlag(Qt::ShiftModifier);
    m_pressCtrl = event->modifiers().testFlag(Qt::ControlModifier);
    ShowMagnifier(std::nullopt);
}

void ImportRollCanvas::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    AutoScroll(at.x());
    if (m_pressAt && event->buttons().testFlag(Qt::LeftButton)) {
        const QRect before = m_band ? m_band->normalized().translated(-scrollX(), 0) : QRect();
        m_band = QRect(QPoint(m_pressAt->x() + m_pressScroll, m_pressAt->y()), QPoint(at.x() + scrollX(), at.y()));
        update(before.united(m_band->normalized().translated(-scrollX(), 0)).adjusted(-1, -1, 1, 1));
        return;
    }
    const bool overRoll = rect().contains(at);
    ShowMagnifier(event->modifiers().testFlag(Qt::ControlModifier) && overRoll ? std::optional<QPoint>(at)
                                                                                : std::nullopt);
}

void ImportRollCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressAt) {
        return;
    }
    const QPoint at = event->position().toPoint();
    const QPoint press = *m_pressAt;
    m_pressAt.reset();
    ImportRollState& roll = m_editor.state();
    const int scroll = scrollX();
    bool rangePlay = false;
    if (at == press && scroll == m_pressScroll) {
        roll.Click(at.x() + scroll, at.y(), m_pressShift);
    } else {
        const ImportRollRect band{press.x() + m_pressScroll, press.y(), at.x() + scroll, at.y()};
        m_lastBandLeft = std::min(band.left, band.right);
        if (m_pressCtrl && m_pressShift) {
            rangePlay = true;
            emit rangePlayRequested(std::min(band.left, band.right), std::max(band.left, band.right));
        } else {
            roll.Band(band, m_pressShift);
        }
    }
    m_band.reset();
    update();
    emit selectionChanged();
    if (m_playing && !rangePlay) {
        const int p = at.x() + scroll;
        if (p <= roll.BitmapWidth(1, width()) - roll.barWidth()) {
            emit restartRequested(std::max(0, p));
        }
    }
}

void ImportRollCanvas::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    const int amount = delta.x() != 0 ? delta.x() : delta.y();
    if (amount == 0) {
        return;
    }
    // A notch away from the user (or to the left) moves back towards the start.
    setScrollX(scrollX() - amount * lineStep() / kWheelNotch);
    event->accept();
}

void ImportRollCanvas::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    setScrollX(scrollX());
    emit resized();
}

void ImportRollCanvas::leaveEvent(QEvent* event)
{
    ShowMagnifier(std::nullopt);
    QWidget::leaveEvent(event);
}

} // namespace zembra
