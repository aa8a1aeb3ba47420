#include "midi/sync_clock.h"

#include "midi/midi_bytes.h"
#include "midi/midi_toolkit.h"

namespace zembra {

SyncClock::SyncClock()
    : SyncClock(MidiToolkit::shared())
{
}

SyncClock::SyncClock(MidiToolkit& toolkit)
    : m_toolkit(toolkit)
{
}

SyncClock::~SyncClock()
{
    Stop();
    Close();
}

bool SyncClock::Open(std::uint16_t settingA, std::uint16_t settingB)
{
    if (m_open)
        return true;
    m_handle = m_toolkit.OpenSync(0, this, settingA, settingB);
    if (m_handle > kLastFailedHandle) {
        m_open = true;
        m_settingA = settingA;
        m_settingB = settingB;
    } else {
        m_handle = 0;
    }
    return m_open;
}

void SyncClock::Close()
{
    if (m_open)
        m_toolkit.CloseSync(m_handle);
    m_handle = 0;
    m_running = false;
    m_open = false;
}

void SyncClock::Start()
{
    if (!m_open)
        return;
    m_toolkit.StartSync(m_handle);
    m_running = true;
    m_count = 0;
}

void SyncClock::Resume()
{
    if (!m_open)
        return;
    m_toolkit.ReStartSync(m_handle);
    m_running = true;
}

void SyncClock::Stop()
{
    if (!m_open)
        return;
    m_toolkit.StopSync(m_handle);
    m_running = false;
}

void SyncClock::Pause()
{
    if (!m_open)
        return;
    m_toolkit.PauseSync(m_handle, 0);
    m_running = false;
}

bool SyncClock::SetTempo(std::uint32_t microsPerQuarter)
{
    return m_toolkit.SetTempo(m_handle, microsPerQuarter) == 0;
}

std::uint32_t SyncClock::GetTempo() const
{
    return m_toolkit.GetTempo(m_handle);
}

void SyncClock::SetResolution(std::uint16_t ticksPerQuarter)
{
    m_toolkit.SetResolution(m_handle, ticksPerQuarter);
}

std::uint16_t SyncClock::GetResolution() const
{
    return m_toolkit.GetResolution(m_handle);
}

std::uint32_t SyncClock::GetPosition() const
{
    return m_toolkit.GetPosition(m_handle, 0);
}

void SyncClock::onNotice(unsigned message)
{
    if (message == kNoticeClockBeat) {
        ++m_count;
    } else if (message == kNoticeEndOfMaterial) {
        m_count = 0;
        if (m_onEnd)
            m_onEnd();
    }
}

}  // namespace zembra
