#include "model/occupancy_grid.h"

#include <algorithm>

namespace zembra {

OccupancyGrid::OccupancyGrid()
    : m_slots(static_cast<std::size_t>(kColumns) * kMaxRows, -1)
    , m_marked(kColumns, 0)
{
}

void OccupancyGrid::Clear()
{
    std::fill(m_slots.begin(), m_slots.end(), std::int16_t{-1});
    std::fill(m_marked.begin(), m_marked.end(), std::uint8_t{0});
}

void OccupancyGrid::Enter(const SongState& song, int slot)
{
    const int column = song.notes[slot].left;
    const int row = song.RowOf(slot);
    if (column < 0 || column >= kColumns || row < 0 || row >= song.rowCount || row >= kMaxRows) {
        return;
    }
    m_slots[static_cast<std::size_t>(column) * kMaxRows + row] = static_cast<std::int16_t>(slot);
    m_marked[column] = 1;
}

int OccupancyGrid::SlotAt(int column, int row) const
{
    if (column < 0 || column >= kColumns || row < 0 || row >= kMaxRows) {
        return -1;
    }
    return m_slots[static_cast<std::size_t>(column) * kMaxRows + row];
}

bool OccupancyGrid::ColumnMarked(int column) const
{
    return column >= 0 && column < kColumns && m_marked[column] != 0;
}

} // namespace zembra
