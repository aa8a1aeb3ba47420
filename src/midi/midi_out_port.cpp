#include "midi/midi_out_port.h"

#include "midi/midi_bytes.h"
#include "midi/midi_toolkit.h"
#include "midi/midi_track.h"
#include "midi/sync_clock.h"

#include <algorithm>

namespace zembra {

MidiOutPort::MidiOutPort()
    : MidiOutPort(MidiToolkit::shared())
{
}

MidiOutPort::MidiOutPort(MidiToolkit& toolkit)
    : m_toolkit(toolkit)
{
}

MidiOutPort::~MidiOutPort()
{
    Close();
    while (!m_entries.empty())
        Detach(m_entries.front().track);
}

bool MidiOutPort::Open(std::uint16_t device, std::uint32_t options)
{
    char name[MidiToolkit::kNameLength] = {};
    m_toolkit.GetMidiOutDescription(device, name);
    m_deviceName = name;
    if (m_open)
        return true;
    m_device = device;
    m_options = options;
    const std::uint32_t clock = m_clock ? m_clock->Handle() : 0;
    m_handle = m_toolkit.OpenMidiOut(this, device, clock, options);
    if (m_handle > kLastFailedHandle)
        m_open = true;
    else
        m_handle = 0;
    return m_open;
}

void MidiOutPort::Close()
{
    if (m_open) {
        Reset();
        m_toolkit.CloseMidiOut(m_handle);
    }
    m_handle = 0;
    m_open = false;
}

void MidiOutPort::Reset()
{
    if (m_open)
        m_toolkit.ResetMidiOut(m_handle);
}

void MidiOutPort::Flush()
{
    if (m_open)
        m_toolkit.FlushMidiOut(m_handle);
}

bool MidiOutPort::Put(const MidiEvent& event)
{
    if (!m_open)
        return true;
    return m_toolkit.PutMidiOut(m_handle, &event) == 0;
}

void MidiOutPort::Attach(MidiTrack* track)
{
    if (!track)
        return;
    Entry entry;
    entry.track = track;
    m_entries.push_back(std::move(entry));
    track->m_port = this;
}

bool MidiOutPort::Detach(MidiTrack* track)
{
    auto it = std::find_if(m_entries.begin(), m_entries.end(), [track](const Entry& e) { return e.track == track; });
    if (it == m_entries.end())
        return false;
    m_entries.erase(it);
    if (m_entries.empty())
        m_entries.shrink_to_fit();
    // A track attached twice stays linked until its last entry goes.
    const bool stillAttached = std::any_of(m_entries.begin(), m_entries.end(), [track](const Entry& e) { return e.track == track; });
    if (!stillAttached && track->m_port == this)
        track->m_port = nullptr;
    return true;
}

void MidiOutPort::Restart()
{
    for (Entry& e : m_entries) {
        e.consumed = 0;
        e.inExclusive = false;
        e.chunkSize = kChunk;
    }
    m_lastTime = 0;
    m_bufferCount = 0;
    m_bufferIndex = 0;
    Pump();
}

bool MidiOutPort::Pump()
{
    if (m_entries.empty())
        return true;
    if (m_bufferIndex == m_bufferCount) {
        fill();
        m_bufferIndex = 0;
    }
    while (m_bufferIndex < m_bufferCount) {
        if (!Put((*m_buffer)[m_bufferIndex]))
            return false;
        if (++m_bufferIndex == m_bufferCount) {
            fill();
            m_bufferIndex = 0;
        }
    }
    return true;
}

void MidiOutPort::fill()
{
    if (!m_buffer)
        m_buffer = std::make_unique<std::array<MidiEvent, kChunk>>();
    Entry* exclusive = nullptr;
    for (Entry& e : m_entries) {
        e.chunkSize = kChunk;
        e.chunk = e.track->TakeEvents(e.consumed, e.chunkSize);
        e.chunkSize = static_cast<std::uint32_t>(e.chunk.size());
        e.chunkIndex = 0;
        if (!e.chunk.empty() && e.inExclusive)
            exclusive = &e;
    }

    std::uint32_t n = 0;
    while (n < kChunk) {
        Entry* chosen = nullptr;
        if (exclusive) {
            // A system exclusive message is kept whole: the other tracks wait for the next fill.
            if (exclusive->chunkIndex >= exclusive->chunkSize)
                break;
            chosen = exclusive;
        } else {
            for (Entry& e : m_entries) {
                if (e.chunkIndex >= e.chunkSize)
                    continue;
                // Strictly earlier only: at equal times the earlier-attached track goes first.
                if (!chosen || e.chunk[e.chunkIndex].time < chosen->chunk[chosen->chunkIndex].time)
                    chosen = &e;
            }
            if (!chosen)
                break;
        }
        const MidiEvent& event = chosen->chunk[chosen->chunkIndex++];
        (*m_buffer)[n++] = event;
        if (event.data1 == kSysEx) {
            chosen->inExclusive = true;
            exclusive = chosen;
        } else if (event.data1 == kSysExEnd) {
            chosen->inExclusive = false;
            exclusive = nullptr;
        }
    }

    for (Entry& e : m_entries) {
        e.consumed += e.chunkIndex;
        e.chunk.clear();
        e.chunk.shrink_to_fit();
    }

    // Absolute times become deltas. An event earlier than the one before it (only an exclusive
    // track can cause that, by holding the others back) goes out at once after it, and the
    // events after it keep their own times rather than drifting by the step.
    std::uint32_t previous = m_lastTime;
    for (std::uint32_t i = 0; i < n; ++i) {
        MidiEvent& event = (*m_buffer)[i];
        const std::uint32_t at = std::max(event.time, previous);
        event.time = at - previous;
        previous = at;
    }
    m_lastTime = previous;
    m_bufferCount = n;
}

void MidiOutPort::onNotice(unsigned message)
{
    if (message != kNoticeMoreEvents)
        return;
    Pump();
    OnMoreRequested();
}

}  // namespace zembra
