#include "model/damper_clicks.h"

#include "model/too_close.h"

#include <algorithm>
#include <tuple>

namespace zembra {

std::vector<bool> DampedNotes(const SongState& song, int minDistance)
{
    std::vector<bool> damped(static_cast<std::size_t>(kMaxNotes), false);
    if (minDistance <= 0) {
        return damped;
    }
    struct Hole {
        HolePair at;
        int slot;
    };
    std::vector<Hole> holes;
    for (int i = 0; i < kMaxNotes && !song.IsFree(i); ++i) {
        if (song.IsLive(i)) {
            holes.push_back({{song.notes[i].top, song.notes[i].left}, i});
        }
    }
    // The order of the too-close check (row, then x), slots breaking ties so that the result
    // never depends on the sort.
    std::sort(holes.begin(), holes.end(), [](const Hole& a, const Hole& b) {
        return std::tie(a.at.top, a.at.left, a.slot) < std::tie(b.at.top, b.at.left, b.slot);
    });
    for (std::size_t i = 1; i < holes.size(); ++i) {
        if (TooCloseHoles(holes[i - 1].at, holes[i].at, minDistance)) {
            damped[static_cast<std::size_t>(holes[i].slot)] = true;
        }
    }
    return damped;
}

} // namespace zembra
