#pragma once

#include <chrono>

namespace zembra {

// How much unsaved work a crash may cost at most: the time and the number of edits after which
// the song is written to its recovery file again.
struct RecoveryLimits {
    std::chrono::milliseconds interval{60000};
    int edits = 50;
};

// Where the song stands since its last recovery point, or since it became unsaved when it has
// none yet.
struct RecoveryFacts {
    bool unsaved = false;
    std::chrono::milliseconds sinceWrite{0};
    int editsSinceWrite = 0;
};

// A recovery point is due while the song has unsaved changes that the last point does not hold,
// once the interval has passed or the edits have reached their limit.
bool RecoveryWriteDue(const RecoveryFacts& facts, const RecoveryLimits& limits = {});

} // namespace zembra
