#pragma once

#include "model/song_state.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zembra {

// Which note slot sits at each canvas column and row; rebuilt at every repaint. Scrubbing and the
// hole-spacing check read it. Columns at kColumns and beyond are not entered.
class OccupancyGrid {
public:
    static constexpr int kColumns = 8192;

    OccupancyGrid();
    void Clear();
    void Enter(const SongState& song, int slot);
    int SlotAt(int column, int row) const;
    bool ColumnMarked(int column) const;

private:
    std::vector<std::int16_t> m_slots; // kColumns * kMaxRows, -1 = empty
    std::vector<std::uint8_t> m_marked;
};

} // namespace zembra
