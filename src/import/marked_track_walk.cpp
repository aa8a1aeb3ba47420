#include "import/marked_track_walk.h"

#include "import/import_options.h"

#include "midi/midi_bytes.h"

namespace zembra {

MarkedTrackWalk::MarkedTrackWalk(std::span<const MidiEvent> events, bool marksWritten, std::uint32_t barTicks,
                                 const ImportOptions& options)
    : m_events(events)
    , m_marks(marksWritten)
    , m_options(options)
    , m_barTicks(barTicks == 0 ? 1 : barTicks)
{
}

bool MarkedTrackWalk::IsStrike(const MidiEvent& event)
{
    return (event.status & kStatusTypeMask) == kNoteOn && event.data2 > 0;
}

bool MarkedTrackWalk::Next(MarkedStrike& strike)
{
    bool isStrike = false;
    while (Step(strike, isStrike)) {
        if (isStrike) {
            return true;
        }
    }
    return false;
}

bool MarkedTrackWalk::Step(MarkedStrike& strike, bool& isStrike)
{
    isStrike = false;
    if (m_next >= m_events.size()) {
        return false;
    }
    const std::uint32_t index = m_next++;
    const MidiEvent& event = m_events[index];
    m_abs += event.time;
    if (!m_cutting) {
        m_ticks += event.time;
    }
    m_ticksBefore = m_ticks;
    m_cuttingBefore = m_cutting;
    if (!IsStrike(event) || IsLeftOut(event.status, m_options)) {
        return true;
    }
    isStrike = true;
    strike.eventIndex = index;
    strike.key = event.data1;
    strike.kind = MarkedStrike::Kind::Note;
    if (m_marks && event.data1 == kCutMarkKey) {
        // Back to the start of the bar, and time stands still until the cut ends.
        if (!m_cutting) {
            m_ticks -= m_abs % m_barTicks;
            m_cutting = true;
        }
        strike.kind = MarkedStrike::Kind::CutMark;
    } else {
        if (m_cutting) {
            m_ticks += m_abs % m_barTicks;
            m_cutting = false;
        }
        if (m_marks && event.data1 == kDeletionMarkKey) {
            strike.kind = MarkedStrike::Kind::DeletionMark;
        }
    }
    strike.absTicks = m_abs;
    strike.ticks = m_ticks;
    return true;
}

} // namespace zembra
