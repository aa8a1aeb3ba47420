#pragma once

#include "canvas/import_placement.h"
#include "canvas/import_settings.h"
#include "model/song_state.h"

#include <optional>
#include <span>

namespace zembra {

class MidiTrack;

// What a batch import may choose instead of the dialog's proposal.
struct ImportChoices {
    std::optional<int> transposition; // semitones; the song's import transposition otherwise
    std::optional<int> barCount;      // taken as given; otherwise the proposal as the list selects it
};

struct DefaultImportResult {
    ImportCounts counts;     // at the transposition used
    ImportSettings proposed; // what the dialog opens with
    PlacementResult placement;
    int transposition = 0;
};

// The import of a file as it ends when the import settings dialog is confirmed without a change:
// the counts, the dialog's starting values read back through its lists, the file's tempo, the
// notes placed on the canvas and the song tidied as the canvas's next repaint tidies it. The
// song's notes are replaced; its print options and modes stay.
DefaultImportResult ImportWithDefaults(SongState& song, std::span<const MidiTrack* const> tracks,
                                       const FileFacts& facts, const ImportChoices& choices);

} // namespace zembra
