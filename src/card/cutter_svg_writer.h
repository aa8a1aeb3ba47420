#pragma once

#include "card/cutter_drawing.h"

#include <QByteArray>
#include <QString>

namespace zembra {

// The drawing as an SVG document in which one user unit is one millimetre: width and height in
// mm with a matching view box. The layers are groups with the ids (and Inkscape labels) "CUT"
// and "ENGRAVE"; holes are <circle> elements, outlines <rect>s, both stroked red and unfilled;
// engraving is blue.
QByteArray CutterSvg(const CutterDrawing& drawing, const QString& title);

} // namespace zembra
