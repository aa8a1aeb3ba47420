#pragma once

#include "model/occupancy_grid.h"
#include "model/song_state.h"

namespace zembra {

// The bookkeeping every repaint does: normalises each used slot, enters live notes in the
// occupancy grid, and recomputes selectedCount, noteCount and musicLength.
void TidySong(SongState& song, OccupancyGrid& grid);

// musicLength for a given largest note end: rounded up to a whole bar (a value on a bar boundary
// stays), or canvasWidth when there is no note.
int MusicLengthFor(const SongState& song, int largestRight, bool anyNote);

} // namespace zembra
