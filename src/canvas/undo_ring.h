#pragma once

#include "model/song_state.h"

#include <array>
#include <memory>

namespace zembra {

// Whole-song snapshots in a ring of ten slots. Every snapshot invalidates the slot after it, so
// the ring holds at most nine consecutive states: eight steps can be undone.
class UndoRing {
public:
    static constexpr int kSlots = 10;

    UndoRing();

    void ResetUndo();
    // Records the song as the newest step; the redo branch is lost.
    void Snapshot(const SongState& song);
    // Copies the previous step over the song. False when there was nothing to undo.
    bool Undo(SongState& song);
    bool Redo(SongState& song);

    bool canUndo() const { return m_canUndo; }
    bool canRedo() const { return m_canRedo; }
    // Set at the second snapshot after a reset: the first real edit.
    bool modified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }
    int undoCounter() const { return m_undoCounter; }

private:
    SongState& slot(int counter) { return (*m_slots)[static_cast<std::size_t>(((counter % kSlots) + kSlots) % kSlots)]; }

    std::unique_ptr<std::array<SongState, kSlots>> m_slots;
    int m_undoCounter = 0;
    bool m_canUndo = false;
    bool m_canRedo = false;
    bool m_modified = false;
};

} // namespace zembra
