#pragma once

#include "midi/midi_event.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zembra {

class MidiFile;
class MidiOutPort;

// A growable list of delta-timed events: what the output port plays, the import reads and
// the song builder fills. The array grows in steps of kGrowth events and is zero-filled.
class MidiTrack {
public:
    static constexpr std::uint32_t kGrowth = 8192;

    MidiTrack();
    ~MidiTrack();
    MidiTrack(const MidiTrack&) = delete;
    MidiTrack& operator=(const MidiTrack&) = delete;

    void SetName(std::string_view text);
    // The name's bytes, or nullptr when the track has none. Text here is bytes; the UI decodes.
    const char* Name() const;

    // False only when the array cannot grow; the track is then unchanged.
    bool Append(const MidiEvent& event);
    void Clear();
    void Rewind();
    MidiEvent* Event(std::uint32_t i);
    const MidiEvent* Event(std::uint32_t i) const;
    bool SetEvent(const MidiEvent& event, std::uint32_t i);
    std::uint32_t Remaining() const { return m_count - m_cursor; }
    // Sum of the times of events 0..n; 0 when n is past the end.
    std::uint32_t AbsoluteTime(std::uint32_t n) const;
    // A copy of up to n events from index `from` with absolute times; empty when there is
    // nothing to give (n = 0 included) or the track is held or recording.
    std::vector<MidiEvent> TakeEvents(std::uint32_t from, std::uint32_t n) const;

    std::uint32_t Capacity() const { return static_cast<std::uint32_t>(m_events.size()); }
    std::uint32_t Count() const { return m_count; }
    std::uint32_t Cursor() const { return m_cursor; }
    void SetHold(bool on) { m_hold = on; }
    void SetRecord(bool on) { m_record = on; }

    // Whole-array access for the file reader: the array's size is the capacity.
    std::vector<MidiEvent>& EventArray()
    {
        m_sumValid = false;
        return m_events;
    }
    void ReplaceArray(std::vector<MidiEvent> events, std::uint32_t count);

    MidiOutPort* Port() const { return m_port; }
    MidiFile* File() const { return m_file; }

private:
    friend class MidiOutPort;
    friend class MidiFile;

    // Links are kept separately for the port and the file so that a track destroyed while
    // still known to either removes itself and leaves no dangling pointer behind.
    MidiOutPort* m_port = nullptr;
    MidiFile* m_file = nullptr;
    std::vector<MidiEvent> m_events;
    std::uint32_t m_count = 0;
    std::uint32_t m_cursor = 0;
    bool m_record = false;
    bool m_hold = false;
    std::optional<std::string> m_name;
    // The last sum AbsoluteTime gave: the times of events 0..m_sumIndex. Any write through a
    // mutable accessor forgets it; appending leaves the earlier events and so the sum alone.
    mutable std::uint32_t m_sumIndex = 0;
    mutable std::uint32_t m_sumTime = 0;
    mutable bool m_sumValid = false;
};

}  // namespace zembra
