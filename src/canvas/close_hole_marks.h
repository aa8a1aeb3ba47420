#pragma once

#include "model/too_close.h"

#include <QColor>

#include <vector>

class QPainter;

namespace zembra {

// Shades every pair of notes on one row that lie closer than `minDistance` canvas pixels, in the
// colour of the notes' tile edges, so that the later note shows inside the shading. `scrollX` is
// the canvas's horizontal scroll position.
void DrawCloseHoleMarks(QPainter& painter, const std::vector<HolePair>& list, int minDistance, int rowHeight,
                        int scrollX, const QColor& colour);

} // namespace zembra
