#include "midi/midi_track.h"

#include "midi/midi_file.h"
#include "midi/midi_out_port.h"

#include <algorithm>
#include <new>

namespace zembra {

MidiTrack::MidiTrack()
    : m_events(kGrowth)
{
}

MidiTrack::~MidiTrack()
{
    if (m_port)
        m_port->Detach(this);
    if (m_file)
        m_file->RemoveTrack(this);
    m_record = false;
}

void MidiTrack::SetName(std::string_view text)
{
    m_name.emplace(text);
}

const char* MidiTrack::Name() const
{
    return m_name ? m_name->c_str() : nullptr;
}

bool MidiTrack::Append(const MidiEvent& event)
{
    if (m_count == Capacity()) {
        if (Capacity() > UINT32_MAX - kGrowth)
            return false;
        try {
            m_events.resize(m_events.size() + kGrowth);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    m_events[m_count++] = event;
    return true;
}

void MidiTrack::Clear()
{
    m_sumValid = false;
    m_cursor = 0;
    m_count = 0;
}

void MidiTrack::Rewind()
{
    m_cursor = 0;
}

MidiEvent* MidiTrack::Event(std::uint32_t i)
{
    m_sumValid = false;
    return i < Capacity() ? &m_events[i] : nullptr;
}

const MidiEvent* MidiTrack::Event(std::uint32_t i) const
{
    return i < Capacity() ? &m_events[i] : nullptr;
}

bool MidiTrack::SetEvent(const MidiEvent& event, std::uint32_t i)
{
    if (i >= Capacity())
        return false;
    m_sumValid = false;
    m_events[i] = event;
    return true;
}

std::uint32_t MidiTrack::AbsoluteTime(std::uint32_t n) const
{
    if (n >= m_count)
        return 0;
    // The port asks for the time of each chunk it takes, always a little further on: going on
    // from the last sum keeps playing a long track linear instead of quadratic.
    std::uint32_t i = 0;
    std::uint32_t sum = 0;
    if (m_sumValid && m_sumIndex <= n) {
        i = m_sumIndex + 1;
        sum = m_sumTime;
    }
    for (; i <= n; ++i)
        sum += m_events[i].time;
    m_sumIndex = n;
    m_sumTime = sum;
    m_sumValid = true;
    return sum;
}

std::vector<MidiEvent> MidiTrack::TakeEvents(std::uint32_t from, std::uint32_t n) const
{
    if (from >= m_count || m_record || m_hold || n == 0)
        return {};
    n = std::min(n, m_count - from);
    std::vector<MidiEvent> out(m_events.begin() + from, m_events.begin() + from + n);
    std::uint32_t time = AbsoluteTime(from);
    out[0].time = time;
    for (std::uint32_t i = 1; i < n; ++i) {
        time += out[i].time;
        out[i].time = time;
    }
    return out;
}

void MidiTrack::ReplaceArray(std::vector<MidiEvent> events, std::uint32_t count)
{
    m_sumValid = false;
    m_events = std::move(events);
    m_count = std::min(count, Capacity());
    m_cursor = 0;
}

}  // namespace zembra
