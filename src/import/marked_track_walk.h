#pragma once

#include "import/import_options.h"
#include "midi/midi_event.h"
#include "model/comb_keys.h"

#include <cstdint>
#include <span>

namespace zembra {

// Keys the import editor writes into the imported tracks to tell the canvas import what it did:
// a strike of kCutMarkKey starts a cut (whole bars vanish from the bar that holds it), the next
// strike of any other key ends it; a strike of kDeletionMarkKey is a note the editor deleted.
// Real notes are kept at kLowestNoteKey or above so that they are never taken for marks.
inline constexpr std::uint8_t kDeletionMarkKey = 1;
inline constexpr std::uint8_t kCutMarkKey = 2;
inline constexpr std::uint8_t kLowestNoteKey = 3;

// One strike (Note On with a velocity) of a track, with its time in the file and its time once
// the cut bars are gone.
struct MarkedStrike {
    enum class Kind { Note, CutMark, DeletionMark };
    std::uint32_t eventIndex = 0;
    std::uint32_t absTicks = 0;
    std::uint32_t ticks = 0;
    std::uint8_t key = 0;
    Kind kind = Kind::Note;
};

// Walks the strikes of one track the way the editor and the canvas import both read it, so
// that what the editor shows is what the canvas gets. Without marks every strike is a note and
// `ticks` equals `absTicks`. Strikes the import options leave out (the drums) are walked as
// events that strike nothing.
class MarkedTrackWalk {
public:
    MarkedTrackWalk(std::span<const MidiEvent> events, bool marksWritten, std::uint32_t barTicks,
                    const ImportOptions& options = {});

    // The next strike; false at the end of the track.
    bool Next(MarkedStrike& strike);
    // Walks one event of any kind; false at the end. `isStrike` tells whether `strike` was filled.
    bool Step(MarkedStrike& strike, bool& isStrike);
    // The cut time and state after the last event's delta but before its strike was read: where
    // a mark put just before that event would fall.
    std::uint32_t ticksBeforeStrike() const { return m_ticksBefore; }
    bool cuttingBeforeStrike() const { return m_cuttingBefore; }
    // Running times after the last event walked.
    std::uint32_t absTicks() const { return m_abs; }
    std::uint32_t ticks() const { return m_ticks; }
    bool cutting() const { return m_cutting; }
    // Index of the next event to walk.
    std::uint32_t position() const { return m_next; }

    static bool IsStrike(const MidiEvent& event);

private:
    std::span<const MidiEvent> m_events;
    bool m_marks;
    ImportOptions m_options;
    std::uint32_t m_barTicks;
    std::uint32_t m_next = 0;
    std::uint32_t m_abs = 0;
    std::uint32_t m_ticks = 0;
    bool m_cutting = false;
    std::uint32_t m_ticksBefore = 0;
    bool m_cuttingBefore = false;
};

} // namespace zembra
