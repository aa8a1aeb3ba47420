#pragma once

#include "import/arrange_space.h"
#include "import/source_notes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zembra {

inline constexpr int kDefaultChordLimit = 4;
inline constexpr int kLowestChordLimit = 1;
inline constexpr int kHighestChordLimit = 6;

// The canvas the arrangement is placed on, and the box's rows.
struct ArrangeRequest {
    std::vector<int> rowPitches; // the box's notes, low to high
    int resolution = 480;        // ticks per quarter note of the file
    int pixelsPerQuarter = 24;
    int beatsPerBar = 4;
    int canvasWidth = 2304;
    int noteWidth = 8;
    int maxNotes = 1500;
    // The closest two holes of a row may be, in canvas pixels, at the song's bar length.
    int minDistance = 1;
    int maxChord = kDefaultChordLimit;
    int melodyTrack = -1;               // -1: the default melody track
    std::optional<int> transposition;   // none: chosen for the melody
};

// What became of a note of the file that is not on the card as it was.
enum class ArrangeChange { MovedOctave, Replaced, Dropped };

struct ArrangeEdit {
    std::uint32_t tick = 0;
    int key = 0;       // the file's key
    int fromPitch = 0; // after the transposition
    int toPitch = -1;  // -1 when dropped
    ArrangeChange change = ArrangeChange::Dropped;
    ArrangeReason reason = ArrangeReason::None; // why the note could not stay as it was
    bool melody = false;
};

struct ArrangedNote {
    int x = 0;
    int pitch = 0;
    bool melody = false;
};

struct ArrangeResult {
    int transposition = 0;
    int melodyTrack = -1;
    std::vector<ArrangedNote> notes; // in time order, of notes at one time the lower first
    std::vector<ArrangeEdit> edits;  // in time order
    int melodyNotes = 0;     // melody onsets on the canvas
    int melodyKept = 0;      // of them, sounding in their own pitch class
    int melodyOnTop = 0;     // of those, the highest note at their time
    int bassBeats = 0;       // bar starts where the file has a note below the melody
    int bassKept = 0;        // of them, with the lowest such note's pitch class below the melody
    bool pastLastBar = false; // notes of the file lay beyond the canvas and were not read
};

// Arranges the file's notes for the box: the melody (the top voice of the melody track) first,
// moved by octaves where its own pitch cannot sound; then the bass, the notes of the chords on the
// beats and the rest, each replaced by the nearest playable note of its pitch class below the
// melody, and dropped only when none fits.
ArrangeResult Arrange(std::span<const SourceNote> notes, const ArrangeRequest& request);

// The transposition that keeps the most melody notes on the box's rows, then changes the fewest
// notes, then moves least (of two equal moves, the downward one).
int ChooseArrangeTransposition(std::span<const SourceNote> notes, std::span<const SourceNote> melody,
                               std::span<const int> rowPitches);

// The shortest of `barLengthsMm` at which every melody note sounds without a move forced by a
// repeat too fast for the box; -1 when none does. `repeatMm` is the box's shortest repeat.
int ShortestMelodyBarLength(std::span<const SourceNote> notes, const ArrangeRequest& request, double repeatMm,
                            std::span<const int> barLengthsMm);

} // namespace zembra
