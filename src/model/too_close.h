#pragma once

#include "model/print_metrics.h"
#include "model/song_state.h"

#include <vector>

namespace zembra {

// One live note of the check list: the top of its row band and its canvas x.
struct HolePair {
    int top = -1;
    int left = -1;
};

// Whether `later` follows `earlier` on its row by less than `minDistance`: the rule of the check.
bool TooCloseHoles(const HolePair& earlier, const HolePair& later, int minDistance);

// A tooth needs the box's shortest repeat of card (8 mm on the 33-note box) after it was plucked
// before it sounds again.
// The smallest same-row distance, in canvas pixels, that still sounds at the song's printed bar
// length. With a bar length of 0 the song is fitted onto the printable width of `metrics` less
// the leader; without metrics nothing can be measured and the result is 0.
int MinHoleDistance(const SongState& song, const PrintMetrics& metrics);
// The same at another bar length, as the print settings dialog asks before the song takes it.
int MinHoleDistance(const SongState& song, const PrintMetrics& metrics, int barLengthMm);

// The canvas distance of `repeatMm` on a bar `pixelsPerBar` wide and `barLengthMm` long, rounded
// up; 0 for a bar length of 0.
int RepeatDistance(int pixelsPerBar, double repeatMm, int barLengthMm);

// The live notes sorted by row and then by x, as the check compares them.
std::vector<HolePair> CheckList(const SongState& song);
// The same into `list`, keeping its storage between repaints.
void FillCheckList(const SongState& song, std::vector<HolePair>& list);

// The number of notes that follow the previous note of their row by less than the minimum
// distance; -1 when the song has one live note or none. `list` receives the check list.
int CountCloseHoles(const SongState& song, const PrintMetrics& metrics, std::vector<HolePair>& list);
int CountCloseHoles(const SongState& song, const PrintMetrics& metrics, int barLengthMm);

// Where the canvas shades an offending pair: from 2 pixels before the earlier note across the
// forbidden distance, in canvas coordinates.
struct TooCloseShade {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
std::vector<TooCloseShade> TooCloseShades(const std::vector<HolePair>& list, int minDistance, int rowHeight);

} // namespace zembra
