#include "import/arrange_space.h"

#include <algorithm>
#include <cstdlib>

namespace zembra {

ArrangeSpace::ArrangeSpace(std::vector<int> rowPitches, int minDistance, int maxChord, int maxNotes)
    : m_rowPitches(std::move(rowPitches))
    , m_minDistance(minDistance)
    , m_maxChord(maxChord)
    , m_maxNotes(maxNotes)
    , m_rowXs(m_rowPitches.size())
{
}

int ArrangeSpace::RowOf(int pitch) const
{
    const auto it = std::find(m_rowPitches.begin(), m_rowPitches.end(), pitch);
    return it == m_rowPitches.end() ? -1 : static_cast<int>(it - m_rowPitches.begin());
}

ArrangeReason ArrangeSpace::Check(int x, int pitch) const
{
    const int row = RowOf(pitch);
    if (row < 0) {
        return ArrangeReason::OffComb;
    }
    if (m_count >= m_maxNotes) {
        return ArrangeReason::CanvasFull;
    }
    // The nearest holes of the row on either side: a repeat closer than the distance is one the
    // tooth cannot sound (a hole at the same x is the closest of all).
    const std::set<int>& xs = m_rowXs[static_cast<std::size_t>(row)];
    const auto after = xs.lower_bound(x);
    if (after != xs.end() && *after - x < m_minDistance) {
        return ArrangeReason::TooClose;
    }
    if (after != xs.begin() && x - *std::prev(after) < m_minDistance) {
        return ArrangeReason::TooClose;
    }
    const auto column = m_atX.find(x);
    if (column != m_atX.end()) {
        for (const int other : column->second) {
            if (std::abs(other - pitch) == 1) {
                return ArrangeReason::Semitone;
            }
        }
        if (static_cast<int>(column->second.size()) >= m_maxChord) {
            return ArrangeReason::ChordFull;
        }
    }
    return ArrangeReason::None;
}

void ArrangeSpace::Place(int x, int pitch)
{
    m_rowXs[static_cast<std::size_t>(RowOf(pitch))].insert(x);
    m_atX[x].push_back(pitch);
    ++m_count;
}

int ArrangeSpace::HighestAt(int x) const
{
    const auto column = m_atX.find(x);
    if (column == m_atX.end() || column->second.empty()) {
        return -1;
    }
    return *std::max_element(column->second.begin(), column->second.end());
}

} // namespace zembra
