#pragma once

#include "import/arrange_import.h"
#include "import/arranger.h"
#include "import/source_notes.h"
#include "import/track_list.h"

#include <span>
#include <string>
#include <vector>

namespace zembra {

// A track the user may take the melody from, as the window lists it.
struct MelodyTrackChoice {
    int track = 0;      // among the tracks read
    std::string label;  // "2: Piano (412 notes)"
};

// The tracks with notes, drums left out, named from `tracks` (the file's track list) and counted
// from `notes`; in track order.
std::vector<MelodyTrackChoice> MelodyTrackChoices(std::span<const SourceNote> notes,
                                                  std::span<const TrackSummary> tracks);

// What the window says beside the bar length after an arrangement.
struct BarLengthAdvice {
    bool show = false;
    int barLengthMm = -1; // the bar length to take; -1 when no bar length of the list is enough
    std::string text;
};

// The melody needs a longer bar when a repeat too fast for the box moved one of its notes. The
// advice then names the shortest bar length of the settings' list at which it keeps every note
// (ShortestMelodyBarLength), or says that none does. `barLengthMm` is the song's (0: fitted to
// the paper, where any length of the list is worth naming).
BarLengthAdvice AdviseBarLength(std::span<const SourceNote> notes, const ArrangeRequest& request,
                                const ArrangeResult& result, double repeatMm, int barLengthMm);

// An arrangement as the window shows it: the result, the advice on the bar length and the grid
// its change list is counted in.
struct ArrangeOutcome {
    ArrangeResult result;
    BarLengthAdvice advice;
    int resolution = 0;
    int beatsPerBar = 4;
};

// Arranges `notes` (as ReadSourceNotes gives them) onto the song's box and grid, replaces the
// song's notes with the arrangement and says what it did, with the advice on the bar length.
ArrangeOutcome ArrangeOntoSong(SongState& song, std::span<const SourceNote> notes, int resolution,
                               const PrintMetrics& metrics, const ArrangeChoices& choices);

// What the import keeps of a file for arranging it again while its song is on the canvas: the
// notes as the import read them, the file's tracks as the import listed them, and its resolution.
struct ArrangeSource {
    std::vector<SourceNote> notes;
    std::vector<TrackSummary> tracks;
    int resolution = 0;

    bool empty() const { return notes.empty() || resolution <= 0; }
};

} // namespace zembra
