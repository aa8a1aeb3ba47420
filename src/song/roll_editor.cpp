#include "song/roll_editor.h"

namespace zembra {

RollEditor::RollEditor()
    : m_current(std::make_unique<RollState>())
    , m_undo(std::make_unique<RollState>())
{
}

int RollEditor::Start(std::span<MidiTrack* const> tracks, int resolution, int beatsPerBar, int transposition,
                      bool marksWritten, const ImportOptions& options)
{
    RollState& roll = *m_current;
    roll.resolution = resolution;
    roll.beatsPerBar = beatsPerBar == 3 ? 3 : 4;
    roll.transposition = (transposition >= -12 && transposition <= 12) ? transposition : 0;
    roll.marksWritten = marksWritten;
    roll.options = options;
    roll.scrollX = 0;
    const int entries = roll.Build(tracks);
    roll.undoValid = false;
    m_undo->undoValid = false;
    return entries;
}

void RollEditor::Remember()
{
    *m_undo = *m_current;
    m_undo->undoValid = true;
}

bool RollEditor::ShiftOctaves(int semitones)
{
    if (!m_current->HasSelection()) {
        return false;
    }
    Remember();
    m_current->ShiftOctaves(semitones);
    return true;
}

void RollEditor::SelectAll()
{
    Remember();
    m_current->SelectAll();
    m_current->redrawNeeded = true;
}

bool RollEditor::Cut(int bandLeft, bool haveBand)
{
    RollCut cut;
    if (!m_current->CutSpan(bandLeft, haveBand, cut)) {
        return false;
    }
    Remember();
    m_current->Cut(cut);
    return true;
}

DuplicateResult RollEditor::DeleteDuplicates()
{
    std::vector<int> doomed;
    const DuplicateResult result = m_current->ScanDuplicates(&doomed);
    if (result.outcome == DuplicateResult::Outcome::Deleted) {
        Remember();
        m_current->Delete(doomed);
    }
    return result;
}

bool RollEditor::Undo()
{
    if (!m_undo->undoValid) {
        return false;
    }
    // The scroll position is where the user looks, not part of the edit.
    const int scroll = m_current->scrollX;
    *m_current = *m_undo;
    m_current->scrollX = scroll;
    m_current->undoValid = false;
    m_undo->undoValid = false;
    m_current->redrawNeeded = true;
    m_current->Refresh();
    return true;
}

void RollEditor::SetTransposition(int semitones)
{
    m_current->transposition = semitones;
    m_current->redrawNeeded = true;
    m_current->Refresh();
}

bool RollEditor::SetBeatsPerBar(int beats)
{
    if (m_current->timeSignatureLocked() && beats != m_current->beatsPerBar) {
        return false;
    }
    m_current->beatsPerBar = beats;
    m_current->redrawNeeded = true;
    m_current->Refresh();
    return true;
}

} // namespace zembra
