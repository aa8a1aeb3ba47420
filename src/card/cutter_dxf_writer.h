#pragma once

#include "card/cutter_drawing.h"

#include <QByteArray>

#include <optional>

namespace zembra {

// The drawing as a DXF file (AutoCAD 2000), written by dxflib: millimetre units ($INSUNITS 4),
// layers CUT and ENGRAVE, holes as CIRCLEs, outlines and the feed arrow as closed LWPOLYLINEs,
// lines as LINEs, texts as TEXT. DXF's y runs upward, so the drawing is turned over its height:
// the top left of the card is at (0, height). Nothing when dxflib could not write.
std::optional<QByteArray> CutterDxf(const CutterDrawing& drawing);

} // namespace zembra
