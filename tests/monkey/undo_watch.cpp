#include "undo_watch.h"

#include "canvas/undo_ring.h"

#include <sstream>

namespace zembra::monkey {

std::string UndoWatch::Observe(const UndoRing& ring)
{
    return Observe(ring.undoCounter(), ring.canUndo(), ring.canRedo());
}

std::string UndoWatch::Observe(int counter, bool canUndo, bool canRedo)
{
    if (!m_started || (counter < m_counter && !canRedo) || (counter > m_counter && !canRedo)) {
        // A reset (the counter falls and nothing is left to redo) or a snapshot or the last
        // Redo (it rises and nothing is left to redo): the current state is the newest.
        m_newest = counter;
    } else if (counter > m_newest) {
        m_newest = counter;
    }
    if (canRedo && counter >= m_newest) {
        // A snapshot inside the step that the step then undid (a pending arrow move settled by
        // Undo): the newest state lies one beyond.
        m_newest = counter + 1;
    }
    m_started = true;
    m_counter = counter;
    std::ostringstream out;
    if (counter < 0) {
        out << "undo counter " << counter << " below zero";
    } else if (m_newest - counter > kMaxUndone) {
        out << (m_newest - counter) << " steps undone, more than the ring holds (" << kMaxUndone << ")";
    } else if (canUndo && counter <= 1) {
        out << "Undo offered at counter " << counter << ", with no earlier state";
    }
    return out.str();
}

} // namespace zembra::monkey
