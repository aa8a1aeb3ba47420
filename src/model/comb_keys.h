#pragma once

#include "model/song_state.h"

#include <array>
#include <cstdint>
#include <span>

namespace zembra {

// Where a key lands on the comb.
struct CombLanding {
    int row = -1;     // -1: nowhere
    int pitch = 0;    // the row's pitch
    bool folded = false;

    bool onComb() const { return row >= 0; }
};

// The comb's rows looked up by key: a key lands on the row of its own pitch, or, when folding,
// on the nearest row a whole number of octaves away. Built from (a copy of) a row table, so that
// it follows the scale of the song it serves.
class CombKeys {
public:
    CombKeys(std::span<const RowEntry> rows, bool fold);
    CombKeys(const SongState& song, bool fold)
        : CombKeys(std::span<const RowEntry>(song.rows).first(static_cast<std::size_t>(song.rowCount)), fold)
    {
    }

    CombLanding Land(int key) const;
    bool folds() const { return m_fold; }

    // The comb of a newly reset song, for code that has no song at hand.
    static const CombKeys& Standard(bool fold);

private:
    // Keys of a MIDI file moved by a transposition or an editor's octaves stay within this range;
    // others are looked up the slow way.
    static constexpr int kLowKey = -48;
    static constexpr int kHighKey = 175;

    CombLanding Compute(int key) const;
    int DirectRow(int key) const;

    std::array<int, kMaxRows> m_pitches{};
    std::size_t m_rowCount = 0;
    bool m_fold;
    std::array<CombLanding, kHighKey - kLowKey + 1> m_table{};
};

} // namespace zembra
