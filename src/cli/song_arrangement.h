#pragma once

#include "cli/arrange_options.h"
#include "import/arranger.h"
#include "import/default_import.h"
#include "model/song_state.h"

#include <span>

namespace zembra {

class MidiTrack;

// What --arrange made of a file, kept for `info`.
struct SongArrangement {
    ArrangeResult result;
    int resolution = 0;
    int beatsPerBar = 4;
    bool barAuto = false;    // the bar length was the arranger's to choose
    int suggestedBarMm = -1; // the shortest bar of the list at which the melody keeps its notes; -1: none
};

// Arranges the imported file onto `song`, which the import has just laid out: at the bar length
// --bar-mm gives, or with auto at the one the arranger names (the song's own when none of the
// list keeps every melody note). A transposition given with --transpose N is kept; otherwise the
// arranger chooses one for the melody.
SongArrangement ArrangeImportedSong(SongState& song, std::span<const MidiTrack* const> tracks, int resolution,
                                    const ImportChoices& choices, const ArrangeOptions& arrange);

} // namespace zembra
