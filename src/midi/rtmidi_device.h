#pragma once

#include "midi/output_device.h"

#include <memory>
#include <string>
#include <vector>

class RtMidiOut;

namespace zembra {

// An external output found by RtMidi (ALSA sequencer, CoreMIDI, WinMM).
class RtMidiDevice final : public OutputDevice {
public:
    // The names of the outputs there are; empty when there is no MIDI system at all.
    static std::vector<std::string> portNames();
    // A software synthesizer answers to one of the usual names; anything else is taken as a
    // port to external equipment, which reports no voices of its own.
    static int simultaneousNotesFor(const std::string& name);
    static std::unique_ptr<RtMidiDevice> open(unsigned port, std::string& error);
    ~RtMidiDevice() override;

    void send(const std::uint8_t* bytes, std::size_t length, std::uint64_t tick, std::int64_t micros) override;
    void silence() override;

private:
    RtMidiDevice() = default;

    std::unique_ptr<RtMidiOut> m_out;
};

}  // namespace zembra
