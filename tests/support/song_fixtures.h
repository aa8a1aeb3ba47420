#pragma once

#include "model/occupancy_grid.h"
#include "model/song_state.h"
#include "model/song_tidy.h"

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

namespace test {

// A song record to fill note by note, counted as a repaint would count it.
class SongBuilder {
public:
    SongBuilder()
        : m_song(std::make_unique<SongState>())
        , m_grid(std::make_unique<OccupancyGrid>())
    {
        m_song->ResetSong();
    }

    SongState& song() { return *m_song; }

    // A note at canvas x `left` on the row whose pitch is `pitch`; returns its slot.
    int add(int left, int pitch)
    {
        const int row = m_song->RowForPitch(pitch);
        const int slot = m_song->AllocateNote(left, m_song->bandTopOfRow(row));
        m_song->NormaliseNote(slot);
        tidy();
        return slot;
    }

    void tidy() { TidySong(*m_song, *m_grid); }

private:
    std::unique_ptr<SongState> m_song;
    std::unique_ptr<OccupancyGrid> m_grid;
};

} // namespace test

} // namespace zembra
