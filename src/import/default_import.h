#pragma once

#include "import/import_options.h"
#include "import/comb_fit.h"
#include "import/import_placement.h"
#include "import/import_settings.h"
#include "model/comb_keys.h"
#include "model/music_box.h"
#include "model/print_metrics.h"
#include "model/song_state.h"
#include "import/file_facts.h"

#include <optional>
#include <span>
#include <vector>

namespace zembra {

class MidiTrack;

// What a batch import may choose instead of the dialog's proposal.
struct ImportChoices {
    std::optional<int> transposition; // semitones; 0 otherwise, as every import starts
    std::optional<int> barCount;      // taken as given; otherwise the proposal as the list selects it
    // The transposition the dialog's "Fit to comb" chooses, instead of `transposition`.
    bool fitTransposition = false;
    // The dialog's fold by octaves, leave out drums and tracks.
    ImportOptions options;
    // The highest track number the tracks were chosen by (1 for the first); 0 when all are taken.
    int highestTrack = 0;
    // What the fit measures a bar length of 0 against.
    PrintMetrics fitMetrics;
    // The box the song is arranged for.
    MusicBox box = DefaultBox();
};

struct DefaultImportResult {
    ImportCounts counts;     // at the transposition used
    ImportSettings proposed; // what the dialog opens with
    PlacementResult placement;
    int transposition = 0;
    // Every transposition best first, as the dialog's fit table shows it; empty unless fitted.
    std::vector<FitRow> ranking;
};

// The import of a file as it ends when the import settings dialog is confirmed without a change:
// the counts, the dialog's starting values read back through its lists, the file's tempo, the
// notes placed on the canvas and the song tidied as the canvas's next repaint tidies it. The
// song's notes are replaced; its print options and modes stay. When fitting, the transpositions
// are ranked on the grid the dialog shows, as its "Fit to comb" ranks them; `key` is the file's.
DefaultImportResult ImportWithDefaults(SongState& song, std::span<const MidiTrack* const> tracks,
                                       const FileFacts& facts, const ImportChoices& choices,
                                       const FileKey& key = {});

} // namespace zembra
