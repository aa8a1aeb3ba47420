#include "midi/midi_in_port.h"

#include "midi/midi_bytes.h"
#include "midi/midi_toolkit.h"

namespace zembra {

MidiInPort::MidiInPort(MidiToolkit& toolkit)
    : m_toolkit(toolkit)
{
}

MidiInPort::~MidiInPort()
{
    Close();
}

bool MidiInPort::Open(std::uint16_t device)
{
    Close();
    const std::uint32_t handle = m_toolkit.OpenMidiIn(this, device);
    if (handle <= kLastFailedHandle)
        return false;
    m_handle = handle;
    m_device = device;
    return true;
}

void MidiInPort::Close()
{
    if (m_handle != 0)
        m_toolkit.CloseMidiIn(m_handle);
    m_handle = 0;
}

void MidiInPort::onNotice(unsigned message)
{
    if (message != kNoticeMidiInput)
        return;
    MidiEvent event{};
    while (m_handle != 0 && m_toolkit.GetMidiIn(m_handle, &event) == 0) {
        if (m_handler)
            m_handler(event);
    }
}

}  // namespace zembra
