#pragma once

#include "model/song_state.h"

#include <memory>

namespace zembra {

// A new song; SongState holds every note slot, so it lives on the heap, not the stack.
inline std::unique_ptr<SongState> NewSong()
{
    auto song = std::make_unique<SongState>();
    song->ResetSong();
    return song;
}

// A live note at (left, top), counted as a repaint would count it.
inline int PlaceNote(SongState& song, int left, int top, bool selected = false)
{
    const int slot = song.AllocateNote(left, top);
    song.NormaliseNote(slot);
    song.notes[slot].selected = selected ? 1 : 0;
    song.selectedCount += selected ? 1 : 0;
    ++song.noteCount;
    return slot;
}

} // namespace zembra
