#pragma once

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
};

}  // namespace zembra
