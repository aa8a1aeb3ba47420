#include "model/comb_keys.h"

#include "midi/midi_bytes.h"

#include <algorithm>
#include <memory>

namespace zembra {

CombKeys::CombKeys(std::span<const RowEntry> rows, bool fold)
    : m_rowCount(std::min(rows.size(), m_pitches.size()))
    , m_fold(fold)
{
    for (std::size_t r = 0; r < m_rowCount; ++r) {
        m_pitches[r] = rows[r].pitch;
    }
    for (int key = kLowKey; key <= kHighKey; ++key) {
        m_table[static_cast<std::size_t>(key - kLowKey)] = Compute(key);
    }
}

int CombKeys::DirectRow(int key) const
{
    // From row 0 upward, as the song's own lookup goes: the first row of a pitch wins.
    for (std::size_t r = 0; r < m_rowCount; ++r) {
        if (m_pitches[r] == key) {
            return static_cast<int>(r);
        }
    }
    return -1;
}

CombLanding CombKeys::Compute(int key) const
{
    CombLanding landing;
    landing.row = DirectRow(key);
    if (landing.onComb()) {
        landing.pitch = key;
        return landing;
    }
    if (!m_fold || m_rowCount == 0) {
        return landing;
    }
    const auto used = std::span<const int>(m_pitches).first(m_rowCount);
    const int lowest = *std::min_element(used.begin(), used.end());
    const int highest = *std::max_element(used.begin(), used.end());
    // The nearest octave first, and of two equally near the upper one; a key far off the comb
    // is searched only as far as the comb reaches.
    for (int shift = kOctave; key - shift >= lowest || key + shift <= highest; shift += kOctave) {
        for (const int candidate : {key + shift, key - shift}) {
            const int row = DirectRow(candidate);
            if (row >= 0) {
                return {row, candidate, true};
            }
        }
    }
    return landing;
}

CombLanding CombKeys::Land(int key) const
{
    if (key < kLowKey || key > kHighKey) {
        return Compute(key);
    }
    return m_table[static_cast<std::size_t>(key - kLowKey)];
}

const CombKeys& CombKeys::Standard(bool fold)
{
    static const std::unique_ptr<const SongState> song = [] {
        auto reset = std::make_unique<SongState>();
        reset->BuildRows();
        return std::unique_ptr<const SongState>(std::move(reset));
    }();
    static const CombKeys direct(*song, false);
    static const CombKeys folding(*song, true);
    return fold ? folding : direct;
}

} // namespace zembra
