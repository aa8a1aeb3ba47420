#include "import/source_notes.h"

#include "import/marked_track_walk.h"
#include "midi/midi_track.h"

#include <algorithm>
#include <tuple>

namespace zembra {

void SortSourceNotes(std::vector<SourceNote>& notes)
{
    std::sort(notes.begin(), notes.end(), [](const SourceNote& a, const SourceNote& b) {
        return std::tie(a.tick, a.key, a.track) < std::tie(b.tick, b.key, b.track);
    });
}

std::vector<SourceNote> ReadSourceNotes(std::span<const MidiTrack* const> tracks, bool marksWritten,
                                        std::uint32_t barTicks, const ImportOptions& options)
{
    std::vector<SourceNote> notes;
    for (std::size_t t = 0; t < tracks.size(); ++t) {
        const MidiTrack* track = tracks[t];
        if (track == nullptr || track->Count() == 0 || IsTrackLeftOut(t, options)) {
            continue;
        }
        MarkedTrackWalk walk(std::span<const MidiEvent>(track->Event(0), track->Count()), marksWritten, barTicks,
                             options);
        MarkedStrike strike;
        while (walk.Next(strike)) {
            if (strike.kind == MarkedStrike::Kind::Note) {
                const bool drum = (track->Event(strike.eventIndex)->status & 0x0F) == kDrumChannel;
                notes.push_back({strike.ticks, strike.key, static_cast<int>(t), drum});
            }
        }
    }
    SortSourceNotes(notes);
    return notes;
}

} // namespace zembra
