#pragma once

#include "import/import_options.h"
#include "model/comb_keys.h"
#include "model/song_state.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace zembra {

class MidiTrack;

inline constexpr int kMaxImportCandidates = 4000;

// What the comb can make of a file's notes at one transposition.
struct ImportCounts {
    int importable = 0;
    int notImportable = 0;
    // The sum of the delta times walked in every track: for several tracks the sum of their
    // lengths, not the length of the piece.
    std::uint64_t totalTicks = 0;
    // The length of the piece: the longest track, every event counted.
    std::uint64_t longestTrackTicks = 0;
};

// Counts the note-ons of the tracks whose transposed key is a row of the scale. A track stops
// being counted once 1500 importable notes are reached; the tracks after it are still walked.
// With `cutMarkers` the editor's marks (keys below 3) are not notes and are not counted.
// Under the options a key without a row may fold onto one by octaves: it counts as importable
// unless it lands where a note of the file already is, at the same key and tick, in which case
// it is left out and counts as not importable; and drum notes and the tracks left out count as
// neither.
ImportCounts CountImportable(std::span<const MidiTrack* const> tracks, const SongState& song, int transposition,
                             bool cutMarkers = false, const ImportOptions& options = {});

// The same counts at many transpositions: what does not depend on the transposition is read
// once. The tracks and the song's rows must outlive it.
class ImportCounter {
public:
    ImportCounter(std::span<const MidiTrack* const> tracks, const SongState& song, bool cutMarkers,
                  const ImportOptions& options);
    // As the import settings show them: a track stops being counted at 1500 importable notes.
    ImportCounts Count(int transposition) const;
    // Every note of the tracks, however long the file: what the fit to the comb ranks on. The
    // same counts as reading the tracks note by note, from what the constructor gathered.
    ImportCounts CountEvery(int transposition) const;

private:
    // Whether the file holds a note of `key` at `tick` (folding only).
    bool HasStrike(std::uint64_t tick, int key) const;

    static constexpr int kKeys = 256;

    std::span<const MidiTrack* const> m_tracks;
    CombKeys m_keys;
    bool m_cutMarkers;
    ImportOptions m_options;
    // Every note of the file as tick * 256 + key, sorted; gathered only when folding.
    std::vector<std::uint64_t> m_strikes;
    // How often each key is struck, and the lengths of the tracks read.
    std::array<std::uint64_t, kKeys> m_keyStrikes{};
    // When folding: the strikes alone at their tick by key, and those that share a tick, sorted.
    std::array<std::uint64_t, kKeys> m_lonelyStrikes{};
    std::vector<std::uint64_t> m_sharedStrikes;
    std::uint64_t m_totalTicks = 0;
    std::uint64_t m_longestTrackTicks = 0;
};

struct PlacementResult {
    int candidates = 0;
    int placed = 0;
    // A note lay beyond the canvas's last bar: it and what followed it in its track were not read.
    bool pastLastBar = false;
};

// Replaces the song's notes with the playable notes of the tracks, fitted to the canvas:
// transposed by importTransposition, tick times turned into pixels, at most 4000 candidates
// and the bars of the canvas, and the 1500 earliest kept in time order (ties in reading order).
// With `cutMarkers` a note on key 2 starts a cut: the bars from its bar to the bar of the next
// other note vanish. Under the options drum notes and the tracks left out are not read, and a key without a row folds
// by octaves onto the nearest row, unless a note is already at that place on that row: folding
// never doubles a hole and never moves a note that has a row. The caller restarts the undo ring.
PlacementResult PlaceImportedNotes(SongState& song, std::span<const MidiTrack* const> tracks, int resolution,
                                   bool cutMarkers, const ImportOptions& options = {});

} // namespace zembra
