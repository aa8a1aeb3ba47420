#include "canvas/undo_ring.h"

namespace zembra {

UndoRing::UndoRing()
    : m_slots(std::make_unique<std::array<SongState, kSlots>>())
{
}

void UndoRing::ResetUndo()
{
    for (SongState& state : *m_slots) {
        state.slotInUse = 0;
    }
    m_undoCounter = 0;
    m_canUndo = false;
    m_canRedo = false;
    m_modified = false;
}

void UndoRing::Snapshot(const SongState& song)
{
    ++m_undoCounter;
    SongState& target = slot(m_undoCounter);
    target = song;
    target.slotInUse = 1;
    slot(m_undoCounter + 1).slotInUse = 0;
    m_canRedo = false;
    if (m_undoCounter > 1) {
        m_canUndo = true;
        m_modified = true;
    }
}

bool UndoRing::Undo(SongState& song)
{
    if (!m_canUndo) {
        return false;
    }
    if (!slot(m_undoCounter - 1).slotInUse) {
        m_canUndo = false;
        return false;
    }
    --m_undoCounter;
    song = slot(m_undoCounter);
    song.savedScroll.x = 0;
    m_canRedo = true;
    m_canUndo = m_undoCounter > 1 && slot(m_undoCounter).slotInUse;
    return true;
}

bool UndoRing::Redo(SongState& song)
{
    if (!m_canRedo) {
        return false;
    }
    if (!slot(m_undoCounter + 1).slotInUse) {
        m_canRedo = false;
        return false;
    }
    ++m_undoCounter;
    song = slot(m_undoCounter);
    song.savedScroll.x = 0;
    m_canRedo = slot(m_undoCounter + 1).slotInUse;
    m_canUndo = true;
    return true;
}

} // namespace zembra
