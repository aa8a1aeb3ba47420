#pragma once

#include "card/card_layout.h"

#include <array>
#include <string>
#include <string_view>

namespace zembra {

// The bar lengths (mm) the print settings dialog offers, in list order.
inline constexpr std::array<std::string_view, 16> kBarLengthItems = {
    "0", "15", "20", "25", "30", "32", "35", "40", "45", "50", "55", "60", "70", "80", "90", "100"};

// The item the dialog selects for a bar length: the first whose text begins with the length's
// decimal text, else the first whose value is at least the length, else the last.
int SelectBarLengthItem(int barLengthMm);
// The value of an item's text, truncated to whole millimetres.
int BarLengthOfItem(int index);

// The not-sounding label: empty for a bar length of 0 (nothing to measure), else the label text
// followed by the count, a negative count (too few notes) shown as 0.
std::string SilentCountText(int barLengthMm, int count, std::string_view label);

// The bar (from 1) at which the card's notes begin: the playback start's bar when notes before
// it are left off, 1 otherwise.
int CardStartBar(int startX, int pixelsPerBar);

// Where the print settings' sketch of the card shows a note's mark: its leading edge, in sketch
// pixels from the first bar line in reading direction (`barPixels` a bar, the note's place in its
// bar in proportion), and the line it lies on, counted from the top of the sketch's `rowCount` + 1
// lines. The lines show the rows from the top down, or from the bottom up when the card is turned
// one way only (`flipped`: mirrored or inside out, not both).
struct SketchMark {
    int along = 0;
    int line = 0;
    bool operator==(const SketchMark&) const = default;
};
SketchMark SketchMarkOf(const PrintNote& note, int pixelsPerBar, int barPixels, int rowCount, bool flipped);

} // namespace zembra
