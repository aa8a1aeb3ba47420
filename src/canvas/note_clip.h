#pragma once

#include "model/song_state.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zembra {

// The clipboard block: little-endian 32-bit words, the count, one word per note
// (left * 65536 + top) in slot order, and a closing 0 that readers ignore. Only positions travel:
// pitch and name follow from the row the note lands on.
struct NoteClip {
    std::vector<std::uint32_t> entries;
    int smallestLeft = 0;
};

// The live selected notes of the song; nothing when no note is selected.
std::optional<NoteClip> CollectSelection(const SongState& song);
std::vector<std::uint8_t> EncodeClip(const NoteClip& clip);
// Reads a block. A count larger than the data holds is cut to the entries that are there; a block
// too short for its count word gives no entries.
std::vector<std::uint32_t> DecodeClip(const std::uint8_t* data, std::size_t size);

// Where pastes land: set by copying, by clicks on the canvas (the anchor) and advanced per paste.
struct PastePlacement {
    int anchorX = 0;
};

struct PasteResult {
    int placed = 0;
    bool storeFull = false;
    // Entries that found no free slot: the store filled up, or was full to begin with.
    int leftOut = 0;
};

// Places the entries as the new selection with their leftmost note at the anchor, snapped and
// normalised as a drag would, and advances the anchor by the song's paste step (wrapping near
// the canvas ends).
PasteResult PasteNotes(SongState& song, const std::vector<std::uint32_t>& entries, PastePlacement& placement);

} // namespace zembra
