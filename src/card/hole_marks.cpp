#include "card/hole_marks.h"

#include <QColor>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace zembra {

namespace {

const QColor kDiscColour(255, 255, 255);
const QColor kCrossColour(50, 50, 50);

} // namespace

void PaintMarkDiscs(QPainter& painter, const std::vector<QPoint>& marks, const MarkShape& shape)
{
    painter.save();
    painter.setPen(QPen(kDiscColour, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(kDiscColour);
    for (const QPoint& m : marks) {
        painter.drawEllipse(QRect(QPoint(m.x(), m.y() - shape.halfHeight), QPoint(m.x() + shape.width, m.y() + shape.halfHeight)));
    }
    painter.restore();
}

void PaintMarkCrosses(QPainter& painter, const std::vector<QPoint>& marks, const MarkShape& shape)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kCrossColour, std::max(1, shape.pen), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    for (const QPoint& m : marks) {
        painter.drawLine(m.x(), m.y(), m.x() + shape.width, m.y());
        painter.drawLine(m.x() + shape.halfWidth, m.y() - shape.halfHeight, m.x() + shape.halfWidth,
                         m.y() + shape.halfHeight);
    }
    painter.restore();
}

} // namespace zembra
