#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace zembra {

struct MidiOutCaps {
    std::string name;
    // Voices a synthesizer can sound at once; 0 for a port to external equipment.
    int simultaneousNotes = 0;
};

// One output the scheduler sends to. Sends come from the scheduler thread or, for events
// sent at once, from the caller's thread, never both at the same moment.
class OutputDevice {
public:
    virtual ~OutputDevice() = default;
    // tick: the clock position the event was timed for; micros: the time it was sent.
    virtual void send(const std::uint8_t* bytes, std::size_t length, std::uint64_t tick, std::int64_t micros) = 0;
    // Stops whatever still sounds after the note offs the port has sent.
    virtual void silence() {}
    // Tunes every key of `channel` (counted from 0) by cents from equal temperament, all zero being
    // equal temperament itself. Only a synthesizer of our own can be tuned: false for the others.
    virtual bool tune(int channel, const std::array<double, 128>& cents)
    {
        (void)channel;
        (void)cents;
        return false;
    }
};

}  // namespace zembra
