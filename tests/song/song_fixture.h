#pragma once

#include "model/occupancy_grid.h"
#include "model/song_state.h"
#include "model/song_tidy.h"

#include <memory>

namespace zembra::test {

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

} // namespace zembra::test
