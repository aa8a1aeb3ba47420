#pragma once

// A long file for the import: 1600 notes on keys 62 to 81, which the comb plays as they are and
// up to an octave higher, then 1000 on key 50, which only +10 and +12 bring onto the comb; one
// every 20 ticks at 96 a quarter, 135 bars of 4/4 in one track. Ranked on the 1500 notes a
// canvas holds, every shift that plays the first part looks alike and 0, the smallest, wins;
// ranked on every note, +10 or +12 plays the whole file.
#include "midi/midi_bytes.h"
#include "midi/midi_event.h"
#include "midi/smf_writer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zembra::long_file {

inline constexpr int kResolution = 96;
inline constexpr std::uint32_t kStep = 20;
inline constexpr int kMelodyNotes = 1600;
inline constexpr int kBassNotes = 1000;
inline constexpr int kNotes = kMelodyNotes + kBassNotes;

inline std::uint8_t KeyOf(int note)
{
    return static_cast<std::uint8_t>(note < kMelodyNotes ? 62 + (note * 7) % 20 : 50);
}

// The file written by our own writer; true when it is on disk.
inline bool Write(const std::string& path)
{
    SmfWriter writer;
    if (!writer.open(path)) {
        return false;
    }
    writer.setResolution(kResolution);
    std::vector<MidiEvent> events;
    for (int i = 0; i < kNotes; ++i) {
        events.push_back({i == 0 ? 0 : kStep, kNoteOn, KeyOf(i), 80, 0});
    }
    writer.writeEvents(0, events.data(), static_cast<std::uint32_t>(events.size()));
    return writer.finish(0);
}

} // namespace zembra::long_file
