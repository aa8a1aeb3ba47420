#pragma once

#include "import/arranger.h"
#include "import/import_options.h"
#include "model/print_metrics.h"
#include "model/song_state.h"

#include <optional>
#include <span>

namespace zembra {

class MidiTrack;

// What the user chooses for an arrangement besides the import settings.
struct ArrangeChoices {
    int melodyTrack = -1; // among the tracks read; -1: the default
    int maxChord = kDefaultChordLimit;
    std::optional<int> transposition; // none: the arranger chooses for the melody
};

// The request for arranging onto `song`'s box and grid; the repeat distance is the too-close
// check's at the song's bar length (measured on `metrics` when the bar length is 0).
ArrangeRequest ArrangeRequestFor(const SongState& song, int resolution, const PrintMetrics& metrics,
                                 const ArrangeChoices& choices);

// Replaces the song's notes with the arrangement and takes its transposition as the import's.
// Returns the notes placed. The caller restarts the undo ring or pushes an undo step.
int PlaceArrangement(SongState& song, const ArrangeResult& result);

// Reads the tracks as the import would and arranges them onto the song.
ArrangeResult ArrangeIntoSong(SongState& song, std::span<const MidiTrack* const> tracks, int resolution,
                              bool marksWritten, const ImportOptions& options, const PrintMetrics& metrics,
                              const ArrangeChoices& choices);

} // namespace zembra
