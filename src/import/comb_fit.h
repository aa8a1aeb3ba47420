#pragma once

#include "import/import_options.h"
#include "model/comb_keys.h"
#include "model/music_box.h"
#include "model/print_metrics.h"
#include "import/file_facts.h"
#include "text/strings.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zembra {

class MidiTrack;
struct SongState;

inline constexpr int kLowestFitTransposition = -12;
inline constexpr int kHighestFitTransposition = 12;

// What one transposition makes of a file on the comb.
struct FitRow {
    int transposition = 0;
    // Every note of the file the comb can and cannot play, however long the file is: the import
    // settings' own counts stop at the 1500 notes a canvas holds, which would make every
    // transposition of a long file look alike.
    int importable = 0;
    int notImportable = 0;
    // Notes the hole-spacing check would flag once the file is placed at this transposition.
    int tooClose = 0;
    // The key the transposition leads to, as semitones above C (see TransposedKeyName).
    int keyIndex = 0;

    bool operator==(const FitRow&) const = default;
};

// The better fit: more notes the comb can play, then fewer notes too close to sound, then the
// smaller move (and of two equal moves, the downward one).
bool FitsBetter(const FitRow& a, const FitRow& b);

// The canvas the file would be placed on: the grid the import settings are showing, and the box
// whose rows it has.
struct FitGrid {
    int beatsPerBar = 4;
    int barCount = 24;
    int barLengthMm = 50;
    int pixelsPerQuarter = 24;
    // None: the box of the song the file is placed into.
    std::optional<MusicBox> box = std::nullopt;
};

// Everything the fit reads besides the tracks.
struct FitRequest {
    int resolution = 0;
    bool cutMarkers = false;
    ImportOptions options;
    FitGrid grid;
    // The printer the check measures a bar length of 0 against.
    PrintMetrics metrics;
    FileKey key;
};

// Every transposition from -12 to +12, best first. The counts are of every note of the tracks
// (ImportCounter::CountEvery), and the too-close count is the hole-spacing check's on the notes
// PlaceImportedNotes would place, so that every row says what choosing its transposition by hand
// places. `song` gives the scale and the print options, the request's grid may give another box.
std::vector<FitRow> RankTranspositions(std::span<const MidiTrack* const> tracks, const SongState& song,
                                       const FitRequest& request);

// A song to place into: the scale and print options of `song` on `grid`, on the grid's box when it
// names one (the song's notes are then left behind: placing replaces them anyway).
std::unique_ptr<SongState> SongOnGrid(const SongState& song, const FitGrid& grid);

// The too-close count of the notes placed at one transposition, 0 when fewer than two land.
int TooCloseAfterPlacing(std::span<const MidiTrack* const> tracks, const SongState& song, const FitRequest& request,
                         int transposition);

// The key a transposition leads to: the file's key moved by it ("D", "Bm"), or, when the file
// names no key, the pair of a major key and its relative minor moved from C ("D Bm").
int TransposedKeyIndex(const FileKey& key, int transposition);
std::string TransposedKeyName(const FileKey& key, int transposition);
// The same in a language other than the program's.
std::string TransposedKeyName(const FileKey& key, int transposition, Language language);

} // namespace zembra
