#include "canvas/edit_commands.h"

#include <vector>

namespace zembra {

int AllocateSelectedNote(SongState& song, int x, int y)
{
    const int slot = song.AllocateNote(x, y);
    if (slot != kNoFreeSlot) {
        song.notes[slot].selected = 1;
        ++song.selectedCount;
        ++song.noteCount;
    }
    return slot;
}

int GridOf(const SongState& song, int noteValue)
{
    switch (noteValue) {
    case 4:
        return song.pixelsPerQuarter;
    case 8:
        return song.pixelsPerQuarter / 2;
    case 16:
        return song.pixelsPerQuarter / 4;
    default:
        return 0;
    }
}

void GridRound(SongState& song, int i, int grid)
{
    NoteRecord& note = song.notes[i];
    if (grid > 0) {
        const int r = note.left % grid;
        note.left = r < grid / 2 ? note.left - r : note.left + grid - r;
    }
    note.right = note.left + song.noteWidth;
}

void GridSnap(SongState& song, int i)
{
    int grid = 0;
    if (song.snapQuarter) {
        grid = GridOf(song, 4);
    } else if (song.snap8th) {
        grid = GridOf(song, 8);
    } else if (song.snap16th) {
        grid = GridOf(song, 16);
    }
    GridRound(song, i, grid);
}

bool QuantizeSelection(SongState& song, int noteValue)
{
    if (song.selectedCount <= 0) {
        return false;
    }
    const int grid = GridOf(song, noteValue);
    bool moved = false;
    const int end = song.UsedEnd();
    for (int i = 0; i < end; ++i) {
        if (song.IsLive(i) && song.notes[i].selected) {
            const int before = song.notes[i].left;
            GridRound(song, i, grid);
            moved = moved || song.notes[i].left != before;
        }
    }
    return moved;
}

void ToggleSnapMode(SongState& song, int noteValue)
{
    const int quarter = noteValue == 4 ? !song.snapQuarter : 0;
    const int eighth = noteValue == 8 ? !song.snap8th : 0;
    const int sixteenth = noteValue == 16 ? !song.snap16th : 0;
    song.snapQuarter = quarter;
    song.snap8th = eighth;
    song.snap16th = sixteenth;
}

void ToggleZoomMode(SongState& song)
{
    song.zoomMode = !song.zoomMode;
    if (song.zoomMode) {
        song.shiftAfterDragMode = 0;
    }
}

void ToggleShiftAfterDragMode(SongState& song)
{
    song.shiftAfterDragMode = !song.shiftAfterDragMode;
    if (song.shiftAfterDragMode) {
        song.zoomMode = 0;
    }
}

DuplicateResult Duplicate(SongState& song)
{
    DuplicateResult result;
    if (song.selectedCount < 1) {
        return result;
    }
    struct Place {
        int left;
        int top;
    };
    std::vector<Place> places;
    const int end = song.UsedEnd();
    for (int i = 0; i < end; ++i) {
        if (song.IsLive(i) && song.notes[i].selected) {
            places.push_back({song.notes[i].left, song.notes[i].top});
        }
    }
    song.DeselectAll();
    song.selectedCount = 0;
    for (const Place& place : places) {
        if (AllocateSelectedNote(song, place.left + song.noteWidth, place.top) == kNoFreeSlot) {
            result.storeFull = true;
            break;
        }
        ++result.created;
    }
    return result;
}

Offset ArrowOffset(const SongState& song, ArrowKey key)
{
    switch (key) {
    case ArrowKey::Left:
        return {-1, 0};
    case ArrowKey::Right:
        return {1, 0};
    case ArrowKey::Up:
        return {0, -song.rowHeight};
    case ArrowKey::Down:
        return {0, song.rowHeight};
    }
    return {};
}

bool ArrowMoveLeavesCanvas(const SongState& song, Offset offset)
{
    const int bottomRowTop = (song.rowCount - 1) * song.rowHeight + kBandTop;
    const int end = song.UsedEnd();
    for (int i = 0; i < end; ++i) {
        const NoteRecord& n = song.notes[i];
        if (!song.IsLive(i) || !n.selected) {
            continue;
        }
        if ((n.top <= kBandTop && offset.dy < 0) || (n.top >= bottomRowTop && offset.dy > 0) ||
            (n.left < 1 && offset.dx < 0) || (n.right >= song.canvasWidth && offset.dx > 0)) {
            return true;
        }
    }
    return false;
}

void MoveSelection(SongState& song, Offset offset)
{
    const int end = song.UsedEnd();
    for (int i = 0; i < end; ++i) {
        NoteRecord& n = song.notes[i];
        if (song.IsLive(i) && n.selected) {
            n.left += offset.dx;
            n.right += offset.dx;
            n.top += offset.dy;
            n.bottom += offset.dy;
        }
    }
}

} // namespace zembra
