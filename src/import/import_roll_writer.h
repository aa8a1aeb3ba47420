#pragma once

#include <span>

namespace zembra {

class MidiTrack;
struct ImportRollState;

// Writes what the import editor did into the imported tracks, in the marks the canvas import
// reads: deleted notes take kDeletionMarkKey, notes in a cut kCutMarkKey, shifted notes their new
// key. Every cut also gets a mark at its first bar and one at the bar after it in every track,
// so that the bars vanish there too, also where a track has no note in them.
class ImportRollWriter {
public:
    // `state` is the roll as OK found it, built from `tracks` as they are now.
    static void Write(std::span<MidiTrack* const> tracks, const ImportRollState& state);
};

} // namespace zembra
