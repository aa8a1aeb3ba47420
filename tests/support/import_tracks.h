#pragma once

// Tracks for the import's counting and placing: made from note-ons at absolute ticks, or read
// from a fixture file; and the notes a placing left on the canvas.
#include "midi/midi_track.h"
#include "midi/smf_reader.h"
#include "model/song_state.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace zembra::import_test {

// A note-on at an absolute tick; the helpers turn these into delta times.
struct Strike {
    std::uint32_t tick;
    std::uint8_t key;
    std::uint8_t velocity = 64;
    std::uint8_t status = 0x90;
};

using Strikes = std::vector<std::vector<Strike>>;

inline std::unique_ptr<MidiTrack> trackOf(const std::vector<Strike>& strikes)
{
    auto track = std::make_unique<MidiTrack>();
    std::uint32_t last = 0;
    for (const Strike& s : strikes) {
        track->Append(MidiEvent{s.tick - last, s.status, s.key, s.velocity, 0});
        last = s.tick;
    }
    return track;
}

struct Tracks {
    std::vector<std::unique_ptr<MidiTrack>> owned;
    std::vector<const MidiTrack*> view;
    int resolution = 0;

    void add(std::unique_ptr<MidiTrack> track)
    {
        view.push_back(track.get());
        owned.push_back(std::move(track));
    }
};

inline Tracks tracksOf(const Strikes& strikes)
{
    Tracks tracks;
    for (const auto& list : strikes) {
        tracks.add(trackOf(list));
    }
    return tracks;
}

// A file of tests/data/midi with its resolution.
inline Tracks readFixture(const std::string& name)
{
    SmfReader reader;
    EXPECT_TRUE(reader.load(ZEMBRA_TEST_DATA "/midi/" + name)) << reader.error();
    Tracks tracks;
    tracks.resolution = reader.resolution();
    for (std::size_t t = 0; t < reader.trackCount(); ++t) {
        auto track = std::make_unique<MidiTrack>();
        MidiEvent events[64];
        while (const std::uint32_t got = reader.read(t, events, 64)) {
            for (std::uint32_t i = 0; i < got; ++i) {
                track->Append(events[i]);
            }
        }
        tracks.add(std::move(track));
    }
    return tracks;
}

struct Placed {
    int left;
    int pitch;
    bool operator<(const Placed& o) const { return std::tie(left, pitch) < std::tie(o.left, o.pitch); }
    bool operator==(const Placed&) const = default;
};

// The live notes in slot order.
inline std::vector<Placed> placedNotes(const SongState& song)
{
    std::vector<Placed> notes;
    for (int i = 0; i < song.UsedEnd(); ++i) {
        if (song.IsLive(i)) {
            notes.push_back({song.notes[i].left, song.notes[i].pitch});
        }
    }
    return notes;
}

} // namespace zembra::import_test
