#pragma once

#include <cstdint>

namespace zembra {

// One event as the toolkit, tracks and files exchange it: time in ticks (a delta inside a
// track or stream, kAtOnce for "now"), the status byte and up to two data bytes.
struct MidiEvent {
    std::uint32_t time = 0;
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    std::uint8_t spare = 0;

    friend bool operator==(const MidiEvent&, const MidiEvent&) = default;
};

static_assert(sizeof(MidiEvent) == 8, "events are exchanged as 8-byte records");

}  // namespace zembra
