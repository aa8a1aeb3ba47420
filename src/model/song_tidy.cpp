#include "model/song_tidy.h"

#include <algorithm>

namespace zembra {

int MusicLengthFor(const SongState& song, int largestRight, bool anyNote)
{
    if (!anyNote) {
        return song.canvasWidth;
    }
    const int bar = song.barWidth();
    if (bar <= 0) {
        return largestRight;
    }
    const int rest = largestRight % bar;
    return rest == 0 ? largestRight : largestRight + bar - rest;
}

void TidySong(SongState& song, OccupancyGrid& grid)
{
    song.selectedCount = 0;
    song.noteCount = 0;
    grid.Clear();
    const int end = song.UsedEnd();
    int largestRight = 0;
    bool anyNote = false;
    // Unselected notes are entered first and selected ones after, as they are drawn.
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < end; ++i) {
            if (!song.NormaliseNote(i)) {
                continue;
            }
            const NoteRecord& note = song.notes[i];
            if ((note.selected != 0) != (pass == 1)) {
                if (pass == 1) {
                    ++song.noteCount;
                }
                continue;
            }
            grid.Enter(song, i);
            largestRight = std::max(largestRight, note.right);
            anyNote = true;
            if (pass == 1) {
                ++song.selectedCount;
                ++song.noteCount;
            }
        }
    }
    song.musicLength = MusicLengthFor(song, largestRight, anyNote);
}

} // namespace zembra
