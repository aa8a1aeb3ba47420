#pragma once

#include "card/cutter_drawing.h"

#include <vector>

namespace zembra {

namespace cutter {

// Cuts closer than this are one cut: strips stacked on a page meet at the rounding of the printer's
// pixels, a few hundredths of a millimetre apart.
inline constexpr double kSameCutMm = 0.1;

} // namespace cutter

// The cut lines that part the strips `strips` (each at the card's true size) from the sheet and from
// each other, every line cut once: where two strips meet across their width, the stretch they share
// is one cut on the line between them; every other edge is moved out by half the kerf, so that the
// strip keeps its size. Where one cut parts two strips, each loses half the kerf there. The lines
// come joined into paths, a strip that meets no other as one closed path of four corners.
std::vector<CutterPath> CutsOfStrips(const std::vector<CutterRect>& strips, double kerfMm);

} // namespace zembra
