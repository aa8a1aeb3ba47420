#pragma once

#include "model/card_constants.h"
#include "model/music_box.h"
#include "model/song_state.h"

namespace zembra {

// A box's card in millimetres, as the printed card, its sketch and the cutter draw it: the
// strip's width, where its row lines lie (line k at firstRowMm + k × rowPitchMm from the strip's
// top edge), the margin below the last line, and the printed mark of a hole. The defaults are the
// 33-note box's card.
struct CardSizes {
    double stripWidthMm = card::kCardWidthMm;
    double firstRowMm = card::kEdgeMarginMm;
    double rowPitchMm = card::kRowPitchMm;
    // From the last row line to the strip's bottom edge.
    double bottomMarginMm = card::kEdgeMarginMm;
    // The printed mark, as wide along the strip as it is high across it.
    double markMm = card::kMarkSizeMm;
    double halfMarkMm = card::kHalfMarkMm;
    int rows = kDefaultRowCount;

    // Line k's distance from the strip's top edge.
    double LineMm(int k) const { return firstRowMm + k * rowPitchMm; }
};

// The card of `box`. Its mark is as wide as its hole, but for the 33-note box's: that card has
// always marked its 1.7 mm holes 1.8 mm wide, the whole row pitch, and keeps doing so.
CardSizes CardSizesOf(const MusicBox& box);

} // namespace zembra
