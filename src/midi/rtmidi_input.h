#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class RtMidiIn;

namespace zembra {

// An external MIDI input found by RtMidi. Its messages arrive on RtMidi's own thread and go
// straight to the sink, which must only queue them.
class RtMidiInput {
public:
    using Sink = std::function<void(const std::uint8_t* bytes, std::size_t length)>;

    // The names of the inputs there are; empty when there is no MIDI system at all.
    static std::vector<std::string> portNames();
    static std::unique_ptr<RtMidiInput> open(unsigned port, Sink sink, std::string& error);
    // Closes the port; after it returns the sink is no longer called.
    ~RtMidiInput();

private:
    RtMidiInput() = default;
    static void received(double, std::vector<unsigned char>* message, void* self);

    std::unique_ptr<RtMidiIn> m_in;
    Sink m_sink;
};

}  // namespace zembra
