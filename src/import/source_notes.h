#pragma once

#include "import/import_options.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zembra {

class MidiTrack;

// One note of an imported file as the arranger reads it: when it starts (in the file's ticks,
// after the editor's cuts), its key and the track it came from (the index among the tracks read).
struct SourceNote {
    std::uint32_t tick = 0;
    int key = 0;
    int track = 0;
    bool drum = false; // on MIDI channel 10

    bool operator==(const SourceNote&) const = default;
};

// Every note the import would read under the options (drums and the tracks left out are not),
// in time order; of notes at one time, the lower key first, then the lower track.
std::vector<SourceNote> ReadSourceNotes(std::span<const MidiTrack* const> tracks, bool marksWritten,
                                        std::uint32_t barTicks, const ImportOptions& options);

// Sorts notes as ReadSourceNotes gives them.
void SortSourceNotes(std::vector<SourceNote>& notes);

} // namespace zembra
