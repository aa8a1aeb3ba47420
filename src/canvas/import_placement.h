#pragma once

#include "model/song_state.h"

#include <cstdint>
#include <span>

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
ImportCounts CountImportable(std::span<const MidiTrack* const> tracks, const SongState& song, int transposition,
                             bool cutMarkers = false);

struct PlacementResult {
    int candidates = 0;
    int placed = 0;
};

// Replaces the song's notes with the playable notes of the tracks, fitted to the canvas:
// transposed by importTransposition, tick times turned into pixels, at most 4000 candidates
// and the bars of the canvas, and the 1500 earliest kept in time order (ties in reading order).
// With `cutMarkers` a note on key 2 starts a cut: the bars from its bar to the bar of the next
// other note vanish. The caller restarts the undo ring.
PlacementResult PlaceImportedNotes(SongState& song, std::span<const MidiTrack* const> tracks, int resolution,
                                   bool cutMarkers);

} // namespace zembra
