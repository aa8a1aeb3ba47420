#pragma once

#include "import/import_options.h"
#include "import/import_roll_state.h"

#include <memory>
#include <span>

namespace zembra {

class MidiTrack;

// The import editor's edits over its roll, each undoable once: the current roll and one copy
// taken before the last edit.
class ImportRollEditor {
public:
    ImportRollEditor();

    ImportRollState& state() { return *m_current; }
    const ImportRollState& state() const { return *m_current; }
    bool canUndo() const { return m_undo->undoValid; }

    // Builds the roll from the tracks and forgets any undo copy; returns the entries made. The
    // options and the box are those the canvas import will read the tracks with.
    int Start(std::span<MidiTrack* const> tracks, int resolution, int beatsPerBar, int transposition,
              bool marksWritten, const ImportOptions& options = {}, const MusicBox& box = DefaultBox());

    // False, and nothing changes, when no note is selected.
    bool ShiftOctaves(int semitones);
    void SelectAll();
    // Cuts the selected notes' bars, or the bar under the last band; false when there is neither.
    bool Cut(int bandLeft, bool haveBand);
    DuplicateResult DeleteDuplicates();
    bool Undo();

    void SetTransposition(int semitones);
    // Refused (false) while cut bars hold the time signature.
    bool SetBeatsPerBar(int beats);

private:
    void Remember();

    std::unique_ptr<ImportRollState> m_current;
    std::unique_ptr<ImportRollState> m_undo;
};

} // namespace zembra
