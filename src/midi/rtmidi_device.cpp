#include "midi/rtmidi_device.h"

#include "midi/midi_bytes.h"
#include "midi/midi_log.h"

#include <rtmidi/RtMidi.h>

#include <algorithm>
#include <cctype>

namespace zembra {

namespace {

constexpr int kSoftSynthVoices = 64;
const char* const kSoftSynthNames[] = {"synth", "timidity", "fluid", "wavetable", "zynaddsubfx", "sfz"};

const char* const kClientName = "Zembra";

}  // namespace

std::vector<std::string> RtMidiDevice::portNames()
{
    std::vector<std::string> names;
    try {
        RtMidiOut out(RtMidi::UNSPECIFIED, kClientName);
        const unsigned count = out.getPortCount();
        for (unsigned i = 0; i < count; ++i)
            names.push_back(out.getPortName(i));
    } catch (const RtMidiError& e) {
        midiLog(MidiLogLevel::Info, std::string("no external MIDI outputs: ") + e.what());
        names.clear();
    }
    return names;
}

int RtMidiDevice::simultaneousNotesFor(const std::string& name)
{
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    for (const char* synth : kSoftSynthNames)
        if (lower.find(synth) != std::string::npos)
            return kSoftSynthVoices;
    return 0;
}

std::unique_ptr<RtMidiDevice> RtMidiDevice::open(unsigned port, std::string& error)
{
    std::unique_ptr<RtMidiDevice> device(new RtMidiDevice);
    try {
        device->m_out = std::make_unique<RtMidiOut>(RtMidi::UNSPECIFIED, kClientName);
        if (port >= device->m_out->getPortCount()) {
            error = "MIDI output " + std::to_string(port) + " has gone";
            return nullptr;
        }
        device->m_out->openPort(port, kClientName);
    } catch (const RtMidiError& e) {
        error = e.what();
        return nullptr;
    }
    return device;
}

RtMidiDevice::~RtMidiDevice()
{
    try {
        if (m_out)
            m_out->closePort();
    } catch (const RtMidiError&) {
    }
}

void RtMidiDevice::send(const std::uint8_t* bytes, std::size_t length, std::uint64_t, std::int64_t)
{
    try {
        m_out->sendMessage(bytes, length);
    } catch (const RtMidiError& e) {
        midiLog(MidiLogLevel::Warning, std::string("MIDI send failed: ") + e.what());
    }
}

void RtMidiDevice::silence()
{
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const std::uint8_t off[3] = {std::uint8_t(kControlChange | channel), kCcAllNotesOff, 0};
        send(off, sizeof off, 0, 0);
    }
}

}  // namespace zembra
