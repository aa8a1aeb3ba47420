#pragma once

#include "model/song_state.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zembra {

// The clipboard block: little-endian 32-bit words, the count, one word per note
// (left * 65536 + top) in slot order, and a closing 0 that readers ignore. Only positions travel
// in it: pitch and name follow from the row the note lands on. The pitches go in a block of their
// own beside it (the count, then one word per note in the same order), which a canvas of another
// box needs: its rows are not the rows the notes were copied from.
struct NoteClip {
    std::vector<std::uint32_t> entries;
    std::vector<int> pitches; // one per entry
    int smallestLeft = 0;
};

// The live selected notes of the song; nothing when no note is selected.
std::optional<NoteClip> CollectSelection(const SongState& song);
std::vector<std::uint8_t> EncodeClip(const NoteClip& clip);
std::vector<std::uint8_t> EncodeClipPitches(const NoteClip& clip);
// Reads a block. A count larger than the data holds is cut to the entries that are there; a block
// too short for its count word gives no entries.
std::vector<std::uint32_t> DecodeClip(const std::uint8_t* data, std::size_t size);
// Reads a pitch block written for `entryCount` entries; empty when it is for another count or
// holds a word that is no MIDI note, and the positions are then all there is.
std::vector<int> DecodeClipPitches(const std::uint8_t* data, std::size_t size, std::size_t entryCount);

// Where pastes land: set by copying, by clicks on the canvas (the anchor) and advanced per paste.
struct PastePlacement {
    int anchorX = 0;
};

struct PasteResult {
    int placed = 0;
    bool storeFull = false;
    // Entries that found no free slot: the store filled up, or was full to begin with.
    int leftOut = 0;
    // Entries whose pitch the song's box cannot play: left out.
    int notPlayable = 0;
};

// Places the entries as the new selection with their leftmost note at the anchor, snapped and
// normalised as a drag would, and advances the anchor by the song's paste step (wrapping near
// the canvas ends). With `pitches` (one per entry) each note lands on the row of its pitch,
// whatever row it was copied from, and a pitch without a row is left out; the block keeps its
// shape in time all the same. Without them each note lands at the height it was copied from.
PasteResult PasteNotes(SongState& song, const std::vector<std::uint32_t>& entries, PastePlacement& placement,
                       const std::vector<int>& pitches = {});

} // namespace zembra
