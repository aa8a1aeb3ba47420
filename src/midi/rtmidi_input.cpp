#include "midi/rtmidi_input.h"

#include "midi/midi_log.h"

#include <rtmidi/RtMidi.h>

namespace zembra {

namespace {
const char* const kClientName = "Zembra";
const char* const kPortName = "Zembra keyboard in";
}  // namespace

std::vector<std::string> RtMidiInput::portNames()
{
    std::vector<std::string> names;
    try {
        RtMidiIn in(RtMidi::UNSPECIFIED, kClientName);
        const unsigned count = in.getPortCount();
        for (unsigned i = 0; i < count; ++i)
            names.push_back(in.getPortName(i));
    } catch (const RtMidiError& e) {
        midiLog(MidiLogLevel::Info, std::string("no MIDI inputs: ") + e.what());
        names.clear();
    }
    return names;
}

std::unique_ptr<RtMidiInput> RtMidiInput::open(unsigned port, Sink sink, std::string& error)
{
    std::unique_ptr<RtMidiInput> input(new RtMidiInput);
    input->m_sink = std::move(sink);
    try {
        input->m_in = std::make_unique<RtMidiIn>(RtMidi::UNSPECIFIED, kClientName);
        if (port >= input->m_in->getPortCount()) {
            error = "MIDI input " + std::to_string(port) + " has gone";
            return nullptr;
        }
        // System exclusive, timing and active sensing say nothing about the notes played.
        input->m_in->ignoreTypes(true, true, true);
        input->m_in->setCallback(&RtMidiInput::received, input.get());
        input->m_in->openPort(port, kPortName);
    } catch (const RtMidiError& e) {
        error = e.what();
        return nullptr;
    }
    return input;
}

RtMidiInput::~RtMidiInput()
{
    try {
        if (m_in) {
            m_in->closePort();
            m_in->cancelCallback();
        }
    } catch (const RtMidiError&) {
    }
}

void RtMidiInput::received(double, std::vector<unsigned char>* message, void* self)
{
    auto* input = static_cast<RtMidiInput*>(self);
    if (message && !message->empty() && input->m_sink)
        input->m_sink(message->data(), message->size());
}

}  // namespace zembra
