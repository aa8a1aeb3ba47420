#include "import/import_roll_editor.h"
#include "import/import_options.h"

namespace zembra {

ImportRollEditor::ImportRollEditor()
    : m_current(std::make_unique<ImportRollState>())
    , m_undo(std::make_unique<ImportRollState>())
{
}

int ImportRollEditor::Start(std::span<MidiTrack* const> tracks, int resolution, int beatsPerBar, int transposition,
                      bool marksWritten, const ImportOptions& options, const MusicBox& box)
{
    ImportRollState& roll = *m_current;
    roll.resolution = resolution;
    roll.beatsPerBar = beatsPerBar == 3 ? 3 : 4;
    roll.transposition = (transposition >= -12 && transposition <= 12) ? transposition : 0;
    roll.marksWritten = marksWritten;
    roll.options = options;
    roll.box = box;
    roll.scrollX = 0;
    const int entries = roll.Build(tracks);
    roll.undoValid = false;
    m_undo->undoValid = false;
    return entries;
}

void ImportRollEditor::Remember()
{
    *m_undo = *m_current;
    m_undo->undoValid = true;
}

bool ImportRollEditor::ShiftOctaves(int semitones)
{
    if (!m_current->HasSelection()) {
        return false;
    }
    Remember();
    m_current->ShiftOctaves(semitones);
    return true;
}

void ImportRollEditor::SelectAll()
{
    Remember();
    m_current->SelectAll();
    m_current->redrawNeeded = true;
}

bool ImportRollEditor::Cut(int bandLeft, bool haveBand)
{
    ImportRollCut cut;
    if (!m_current->CutSpan(bandLeft, haveBand, cut)) {
        return false;
    }
    Remember();
    m_current->Cut(cut);
    return true;
}

DuplicateResult ImportRollEditor::DeleteDuplicates()
{
    std::vector<int> doomed;
    const DuplicateResult result = m_current->ScanDuplicates(&doomed);
    if (result.outcome == DuplicateResult::Outcome::Deleted) {
        Remember();
        m_current->Delete(doomed);
    }
    return result;
}

bool ImportRollEditor::Undo()
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

void ImportRollEditor::SetTransposition(int semitones)
{
    m_current->transposition = semitones;
    m_current->redrawNeeded = true;
    m_current->Refresh();
}

bool ImportRollEditor::SetBeatsPerBar(int beats)
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
