#pragma once

#include "model/song_state.h"

namespace zembra {

// Client pixels to the left of canvas x = 0: they hold the row names.
inline constexpr int kRowLabelMargin = 20;
inline constexpr int kBarNumberTop = 30;
// The author line sits this far below the lowest row.
inline constexpr int kAuthorLineGap = 20;
inline constexpr int kTitleX = 20;
inline constexpr int kTitleY = 5;
inline constexpr int kBarNumberBoxWidth = 50;
inline constexpr int kPixelCheckY = 248;
// A note's name label (and a dragged note's value) sits this far above the note.
inline constexpr int kLabelRise = 18;

inline int CanvasToClientX(int canvasX, int scrollX) { return canvasX + kRowLabelMargin - scrollX; }
inline int ClientToCanvasX(int clientX, int scrollX) { return clientX + scrollX - kRowLabelMargin; }

struct ScrollSizes {
    bool valid = false;
    int canvasWidth = 0;
    int totalWidth = 0;
    int page = 0;
    int line = 0;
};

// The horizontal scroll range for the song's grid and a client of the given width. Invalid (and
// nothing to change) when beatsPerBar is not positive.
ScrollSizes ComputeScrollSizes(const SongState& song, int clientWidth);

// Below the lowest row the canvas shows the key of the transposition and the author line.
inline constexpr int kCanvasFootHeight = 40;

// How far the canvas scrolls down in a client `clientHeight` pixels high. A client that holds
// every row needs no scrolling, whatever falls below them; one too short for the rows (a box with
// many rows on a short screen) scrolls down to the author line.
int VerticalScrollRange(const SongState& song, int clientHeight);

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

// Lightens (p > 0) or darkens (p < 0) each channel by p percent, capped at 255; a p outside
// -100..100 leaves the colour as it is.
Rgb AdjustColour(Rgb colour, int percent);

// The finest note value whose grid x lies on, as shown beside a dragged note: 4, 8, 16, 32, 64,
// or 0 when none applies. 32 and 64 need a fine enough screen scale.
int NoteValueAt(int x, int pixelsPerQuarter);

} // namespace zembra
