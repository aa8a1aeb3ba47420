#pragma once

#include "card/cutter_drawing.h"

#include <string>

namespace zembra {

// The drawing as a DXF file (AutoCAD 2000), written by dxflib: millimetre units ($INSUNITS 4),
// layers CUT and ENGRAVE, holes as CIRCLEs, outlines and the feed arrow as closed LWPOLYLINEs,
// lines as LINEs, texts as TEXT. DXF's y runs upward, so the drawing is turned over its height:
// the top left of the card is at (0, height). dxflib writes to a named file only: `path` is the
// new file that a SafeFile made beside the target. Returns 0 when every byte was written, else the
// system's error number (EIO when the stream gave none).
int WriteCutterDxf(const CutterDrawing& drawing, const std::string& path);

} // namespace zembra
