#include "midi/virtual_device.h"

#include "midi/midi_log.h"

#include <algorithm>
#include <cinttypes>

namespace zembra {

VirtualDevice::VirtualDevice(std::string logPath)
{
    if (logPath.empty())
        return;
    m_log = std::fopen(logPath.c_str(), "a");
    if (!m_log)
        midiLog(MidiLogLevel::Warning, "cannot open the MIDI monitor log " + logPath);
}

VirtualDevice::~VirtualDevice()
{
    if (m_log)
        std::fclose(m_log);
}

void VirtualDevice::send(const std::uint8_t* bytes, std::size_t length, std::uint64_t tick, std::int64_t micros)
{
    Sent s;
    s.micros = micros;
    s.tick = tick;
    s.length = static_cast<std::uint8_t>(std::min<std::size_t>(length, s.bytes.size()));
    std::copy_n(bytes, s.length, s.bytes.begin());
    std::lock_guard lock(m_mutex);
    m_sent.push_back(s);
    if (m_log) {
        std::fprintf(m_log, "%" PRId64 " %" PRIu64, micros, tick);
        for (std::uint8_t i = 0; i < s.length; ++i)
            std::fprintf(m_log, " %02X", s.bytes[i]);
        std::fputc('\n', m_log);
        std::fflush(m_log);
    }
}

std::vector<VirtualDevice::Sent> VirtualDevice::sent() const
{
    std::lock_guard lock(m_mutex);
    return m_sent;
}

void VirtualDevice::clear()
{
    std::lock_guard lock(m_mutex);
    m_sent.clear();
}

}  // namespace zembra
