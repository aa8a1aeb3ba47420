#pragma once

#include "model/song_state.h"

namespace zembra {

// A new note at (x, y), selected and counted; kNoFreeSlot when the store is full.
int AllocateSelectedNote(SongState& song, int x, int y);

// The grid of a note value n (4, 8 or 16) in pixels.
int GridOf(const SongState& song, int noteValue);

// Moves the note to the nearest line of a grid of g pixels; halfway goes to the later line.
void GridRound(SongState& song, int i, int grid);

// The snap applied to notes that are made or moved: the finest active snap mode's grid, or none.
void GridSnap(SongState& song, int i);

// Quantizes the live selected notes to the grid of n; true when at least one note moved.
bool QuantizeSelection(SongState& song, int noteValue);
// Switches the snap mode of n on or off; the other two go off.
void ToggleSnapMode(SongState& song, int noteValue);

void ToggleZoomMode(SongState& song);
void ToggleShiftAfterDragMode(SongState& song);

struct DuplicateResult {
    int created = 0;
    bool storeFull = false;
};
// Copies every live selected note one note width to the right; the copies become the selection.
DuplicateResult Duplicate(SongState& song);

enum class ArrowKey { Left, Right, Up, Down };

struct Offset {
    int dx = 0;
    int dy = 0;
};
Offset ArrowOffset(const SongState& song, ArrowKey key);
// True when moving the selection by the offset would push a note off the canvas.
bool ArrowMoveLeavesCanvas(const SongState& song, Offset offset);
void MoveSelection(SongState& song, Offset offset);

} // namespace zembra
