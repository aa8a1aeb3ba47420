#include "model/playback_list.h"
#include "model/damper_clicks.h"
#include "midi/midi_track.h"
#include "song_fixtures.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace zembra {
namespace {

// (absolute tick, status, key, velocity) of every event in the track.
using Timed = std::tuple<std::uint32_t, int, int, int>;

std::vector<Timed> timed(MidiTrack& track)
{
    std::vector<Timed> out;
    std::uint32_t tick = 0;
    for (std::uint32_t i = 0; i < track.Count(); ++i) {
        const MidiEvent& e = *track.Event(i);
        tick += e.time;
        out.emplace_back(tick, e.status, e.data1, e.data2);
    }
    return out;
}

// Ticks of the strikes (Note Ons with a velocity) on channel 1.
std::vector<std::uint32_t> strikeTicks(MidiTrack& track)
{
    std::vector<std::uint32_t> ticks;
    for (const auto& [tick, status, key, velocity] : timed(track)) {
        if (status == 0x90 && velocity > 0) {
            ticks.push_back(tick);
        }
    }
    return ticks;
}

class PlaybackList : public testing::Test {
protected:
    std::vector<Timed> build(const PlaybackRange& range = {})
    {
        EXPECT_TRUE(BuildSongTrack(track, notes.song(), range));
        return timed(track);
    }

    test::SongBuilder notes;
    MidiTrack track;
};

TEST_F(PlaybackList, OneNoteIsAProgramAPluckAndABarOfRest)
{
    notes.add(0, 60);
    EXPECT_EQ(build(), (std::vector<Timed>{{0, 0xC0, 10, 0}, {0, 0x90, 60, 0}, {0, 0x90, 60, 64}, {384, 0x90, 60, 0}}));
    notes.song().beatsPerBar = 3;
    EXPECT_EQ(std::get<0>(build().back()), 288u);
}

TEST_F(PlaybackList, ANoteTheBoxDampsIsTheDampersClick)
{
    // Row of 60: x 0, 10 (10 after: damped at 16), 30 (20 after 10: sounds); row of 62: x 5.
    notes.add(0, 60);
    notes.add(10, 60);
    notes.add(30, 60);
    notes.add(5, 62);
    const std::uint8_t click = 0x90 | kDamperClickChannel;
    PlaybackRange box;
    box.damperDistance = 16;
    const std::vector<Timed> asBox = build(box);
    const std::vector<Timed> expected = {
        {0, 0xC0, 10, 0},   {0, 0x90, 60, 0},   {0, 0x90, 60, 64},  {20, 0x90, 62, 0},
        {20, 0x90, 62, 64}, {40, 0x90, 60, 0},  {40, click, kDamperClickKey, kDamperClickVelocity},
        {120, 0x90, 60, 0}, {120, 0x90, 60, 64}, {504, 0x90, 60, 0}};
    EXPECT_EQ(asBox, expected) << "the click ends the ringing strike of its key, as the damper does";
    // Saving and the plain setting build with no distance: every note is a strike.
    const std::vector<Timed> plain = build();
    EXPECT_EQ(strikeTicks(track), (std::vector<std::uint32_t>{0, 20, 40, 120}));
    EXPECT_EQ(plain.size(), asBox.size());
}

TEST_F(PlaybackList, EntriesSortByXThenPitch)
{
    notes.add(48, 72);
    notes.add(48, 67);
    notes.add(0, 60);
    const auto events = build();
    ASSERT_EQ(events.size(), 8u);
    EXPECT_EQ(events[1], (Timed{0, 0x90, 60, 0}));
    EXPECT_EQ(events[3], (Timed{192, 0x90, 67, 0})) << "same x: the lower pitch first";
    EXPECT_EQ(events[5], (Timed{192, 0x90, 72, 0}));
    EXPECT_EQ(events[7], (Timed{576, 0x90, 72, 0}));
}

TEST_F(PlaybackList, TwoNotesOnOneSpotGiveTwoPlucks)
{
    notes.add(24, 60);
    notes.add(24, 60);
    const auto events = build();
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[1], events[3]);
    EXPECT_EQ(events[2], events[4]);
    EXPECT_EQ(std::get<0>(events[1]), 96u);
}

TEST_F(PlaybackList, TicksAreTruncatedPerEntryNotCarried)
{
    struct Case {
        int perQuarter;
        std::vector<int> lefts;
        std::vector<std::uint32_t> ticks;
    };
    const Case cases[] = {
        {24, {48}, {192}},
        {80, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}},
        {80, {5}, {6}},
        {64, {1, 2}, {1, 2}},
        {32, {16, 48}, {48, 144}},
    };
    for (const Case& c : cases) {
        test::SongBuilder song;
        song.song().pixelsPerQuarter = c.perQuarter;
        for (int left : c.lefts) {
            song.add(left, 60 + 2 * (left % 3));
        }
        ASSERT_TRUE(BuildSongTrack(track, song.song(), {}));
        EXPECT_EQ(strikeTicks(track), c.ticks) << c.perQuarter << " pixels per quarter";
    }
}

TEST_F(PlaybackList, TemporaryTranspositionMovesTheSoundOnly)
{
    notes.add(0, 60);
    PlaybackRange range;
    range.temporaryTransposition = 2;
    const auto events = build(range);
    EXPECT_EQ(std::get<2>(events[2]), 62);
    EXPECT_EQ(std::get<2>(build()[2]), 60) << "saving builds with 0";
}

TEST_F(PlaybackList, RangeTakesNotesBetweenItsEndsFromTickZero)
{
    for (int left : {24, 48, 72, 96, 120}) {
        notes.add(left, 60);
    }
    PlaybackRange range;
    range.startX = 48;
    range.endX = 96;
    const auto list = BuildPlaybackList(notes.song(), range);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.front().x, 0);
    EXPECT_EQ(list.back().x, 48);
    range.endX = 0;
    EXPECT_EQ(BuildPlaybackList(notes.song(), range).size(), 4u) << "0 plays to the end";
}

TEST_F(PlaybackList, DeadSlotsAndSlotsAfterTheFirstFreeOneAreLeftOut)
{
    notes.add(0, 60);
    const int dead = notes.add(24, 62);
    notes.add(48, 64);
    notes.song().KillSlot(dead);
    notes.tidy();
    // A note beyond the first free slot is not part of the song.
    SongState& song = notes.song();
    const int end = song.UsedEnd();
    song.notes[end + 1] = song.notes[0];
    song.notes[end + 1].left = 96;
    const auto list = BuildPlaybackList(song, {});
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], (PlaybackEntry{0, 60, 64}));
    EXPECT_EQ(list[1], (PlaybackEntry{48, 64, 64}));
}

TEST_F(PlaybackList, RecordingAddsTheClickProgramAndCountIn)
{
    SongState& song = notes.song();
    song.barCount = 1;
    notes.add(24, 60);
    PlaybackRange range;
    range.recording = true;
    range.leadIn = song.barWidth();
    const auto list = BuildPlaybackList(song, range);
    // 4 beats of the bar + 1 note + 4 beats of lead-in + 1 = 10 items: the note and 9 clicks.
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list[0], (PlaybackEntry{0, kClickDownbeat, 64}));
    EXPECT_EQ(list[1], (PlaybackEntry{24, kClickBeat, 64}));
    EXPECT_EQ(list[4], (PlaybackEntry{96, kClickDownbeat, 64}));
    EXPECT_EQ(list[5], (PlaybackEntry{120, kClickBeat, 64}));
    EXPECT_EQ(list[6], (PlaybackEntry{120, 60, 64})) << "the note lands after the one-bar count-in";
    EXPECT_EQ(list[9], (PlaybackEntry{192, kClickDownbeat, 64}));

    const auto events = build(range);
    EXPECT_EQ(events[0], (Timed{0, 0xC1, 115, 0}));
    EXPECT_EQ(events[1], (Timed{0, 0xC0, 10, 0}));
    EXPECT_EQ(events[2], (Timed{0, 0x91, 106, 127}));
    EXPECT_EQ(events[3], (Timed{96, 0x91, 88, 64}));
}

TEST_F(PlaybackList, MaterialSoundsOnlyWithAStrike)
{
    struct Case {
        const char* what;
        std::vector<MidiEvent> events;
        bool sounds;
    };
    const Case cases[] = {
        {"empty", {}, false},
        {"program changes only", {{0, 0xC0, 10, 0, 0}, {0, 0xC1, 115, 0, 0}}, false},
        {"a key ended, never struck", {{0, 0xC0, 10, 0, 0}, {0, 0x90, 60, 0, 0}}, false},
        {"a Note Off with a velocity", {{0, 0x80, 60, 64, 0}}, false},
        {"a pluck", {{0, 0xC0, 10, 0, 0}, {0, 0x90, 60, 0, 0}, {0, 0x90, 60, 64, 0}}, true},
        {"a metronome click", {{0, 0x91, 88, 64, 0}}, true},
    };
    for (const Case& c : cases) {
        track.Clear();
        for (const MidiEvent& e : c.events) {
            track.Append(e);
        }
        EXPECT_EQ(HoldsStrike(track), c.sounds) << c.what;
    }
}

TEST_F(PlaybackList, ARangeAfterTheLastNoteSoundsNothing)
{
    notes.add(0, 60);
    notes.add(90, 62);
    PlaybackRange range;
    range.startX = 96; // the beat after the last note
    build(range);
    EXPECT_FALSE(HoldsStrike(track));
    range.endX = 200;
    build(range);
    EXPECT_FALSE(HoldsStrike(track));
    range.startX = range.endX = 90; // a vertical drag through the last note
    build(range);
    EXPECT_TRUE(HoldsStrike(track));
}

} // namespace
} // namespace zembra
