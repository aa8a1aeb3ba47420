#pragma once

#include <string>

namespace zembra {
class UndoRing;
}

namespace zembra::monkey {

// Follows the undo ring from step to step, seeing only what the ring shows (its counter and the
// two availabilities), and reports when it goes past its limits: never more steps undone than the
// ring can hold, Undo only with an earlier state.
class UndoWatch {
public:
    // Eight steps back: ten slots, one of them invalidated by the newest snapshot.
    static constexpr int kMaxUndone = 8;

    // The state after a step; returns the broken limit in words, or empty.
    std::string Observe(int counter, bool canUndo, bool canRedo);
    std::string Observe(const UndoRing& ring);

private:
    bool m_started = false;
    int m_counter = 0;
    // The counter of the newest state that Redo can reach again.
    int m_newest = 0;
};

} // namespace zembra::monkey
