#pragma once

#include "midi/midi_bytes.h"
#include "midi/midi_track.h"
#include "import/import_roll_state.h"

#include <algorithm>
#include <memory>
#include <span>
#include <vector>

namespace zembra::test {

// A strike at an absolute tick; it is released `length` ticks later.
struct Strike {
    std::uint32_t tick;
    int key;
    std::uint32_t length = 10;
};

// Tracks made of strikes and their releases, in time order, as the file reader gives them.
class RollTracks {
public:
    MidiTrack& add(std::vector<Strike> strikes)
    {
        struct Timed {
            std::uint32_t abs;
            MidiEvent event;
        };
        std::vector<Timed> timed;
        for (const Strike& s : strikes) {
            timed.push_back({s.tick, MidiEvent{0, kNoteOn, static_cast<std::uint8_t>(s.key), 100, 0}});
            timed.push_back({s.tick + s.length, MidiEvent{0, kNoteOff, static_cast<std::uint8_t>(s.key), 0, 0}});
        }
        std::stable_sort(timed.begin(), timed.end(), [](const Timed& a, const Timed& b) { return a.abs < b.abs; });
        auto track = std::make_unique<MidiTrack>();
        std::uint32_t previous = 0;
        for (Timed& t : timed) {
            t.event.time = t.abs - previous;
            previous = t.abs;
            track->Append(t.event);
        }
        m_tracks.push_back(std::move(track));
        m_pointers.push_back(m_tracks.back().get());
        return *m_tracks.back();
    }

    std::span<MidiTrack* const> span() const { return m_pointers; }
    MidiTrack& operator[](std::size_t i) { return *m_tracks[i]; }

private:
    std::vector<std::unique_ptr<MidiTrack>> m_tracks;
    std::vector<MidiTrack*> m_pointers;
};

// A roll state on the heap (it holds two arrays of 2000 notes).
inline std::unique_ptr<ImportRollState> NewRoll(int resolution, int beatsPerBar = 4, int transposition = 0)
{
    auto roll = std::make_unique<ImportRollState>();
    roll->resolution = resolution;
    roll->beatsPerBar = beatsPerBar;
    roll->transposition = transposition;
    return roll;
}

// Strikes of a track with their keys and absolute ticks, marks included.
inline std::vector<Strike> StrikesOf(MidiTrack& track)
{
    std::vector<Strike> strikes;
    std::uint32_t abs = 0;
    for (std::uint32_t i = 0; i < track.Count(); ++i) {
        const MidiEvent& e = *track.Event(i);
        abs += e.time;
        if ((e.status & kStatusTypeMask) == kNoteOn && e.data2 > 0) {
            strikes.push_back({abs, e.data1, 0});
        }
    }
    return strikes;
}

} // namespace zembra::test
