#pragma once

#include <QPoint>

#include <vector>

class QPainter;

namespace zembra {

// The size of a printed hole mark on a device, in its pixels.
struct MarkShape {
    int width = 0;      // along the strip
    int halfWidth = 0;  // from the leading edge to the cross's stroke across the strip
    int halfHeight = 0; // from the row line to the disc's edge
    int pen = 1;        // the cross's stroke
};

// The printed mark of a hole: a white disc with a dark cross on it. A mark is given by its leading
// edge's x (its left on the device) and its row line's y. Every disc is painted before any cross,
// so that no disc covers a neighbour's cross; the card and the print settings' sketch of it both
// paint their marks here.
void PaintMarkDiscs(QPainter& painter, const std::vector<QPoint>& marks, const MarkShape& shape);
void PaintMarkCrosses(QPainter& painter, const std::vector<QPoint>& marks, const MarkShape& shape);

} // namespace zembra
