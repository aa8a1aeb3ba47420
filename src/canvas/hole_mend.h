#pragma once

#include <vector>

namespace zembra {

struct SongState;

// What mending the notes that will not sound did.
struct MendResult {
    int moved = 0;
    int removed = 0;
    // The slots of the notes that moved to another row, in the order they moved.
    std::vector<int> movedSlots;
};

// Mends every note the hole-spacing check flags, in time order: the note moves to the same pitch
// class one octave up, else one down, else two up, else two down, taking the first row of the
// comb where it lies at least `minDistance` canvas pixels from every note of that row; with no
// such row it is deleted. A note that no longer follows its row's previous note too closely (an
// earlier mend moved that one away) stays. Afterwards the check counts no note, and the moved
// notes are the selection. Rows are told apart as the check tells them, by the top of the note.
MendResult MendCloseHoles(SongState& song, int minDistance);

} // namespace zembra
