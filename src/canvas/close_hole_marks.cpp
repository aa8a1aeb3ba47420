#include "canvas/close_hole_marks.h"

#include "model/canvas_geometry.h"

#include <QPainter>

namespace zembra {

void DrawCloseHoleMarks(QPainter& painter, const std::vector<HolePair>& list, int minDistance, int rowHeight,
                        int scrollX, const QColor& colour)
{
    for (const TooCloseShade& shade : TooCloseShades(list, minDistance, rowHeight)) {
        painter.fillRect(QRect(CanvasToClientX(shade.left, scrollX), shade.top, shade.width, shade.height), colour);
    }
}

} // namespace zembra
