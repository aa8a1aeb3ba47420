#include "midi/virtual_device.h"

#include "midi/midi_log.h"

#include <algorithm>
#include <cinttypes>

namespace zembra {

VirtualDevice::VirtualDevice(std::string logPath, std::size_t keep)
    : m_keep(std::max<std::size_t>(keep, 1))
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
    if (m_sent.size() == m_keep) {
        m_sent.pop_front();
        ++m_dropped;
    }
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
    return {m_sent.begin(), m_sent.end()};
}

std::uint64_t VirtualDevice::dropped() const
{
    std::lock_guard lock(m_mutex);
    return m_dropped;
}

void VirtualDevice::clear()
{
    std::lock_guard lock(m_mutex);
    m_sent.clear();
    m_dropped = 0;
}

bool VirtualDevice::tune(int channel, const std::array<double, 128>& cents)
{
    if (channel < 0 || channel >= static_cast<int>(m_tunings.size()))
        return false;
    std::lock_guard lock(m_mutex);
    m_tunings[static_cast<std::size_t>(channel)] = cents;
    return true;
}

std::array<double, 128> VirtualDevice::tuning(int channel) const
{
    std::lock_guard lock(m_mutex);
    if (channel < 0 || channel >= static_cast<int>(m_tunings.size()))
        return {};
    return m_tunings[static_cast<std::size_t>(channel)];
}

}  // namespace zembra
