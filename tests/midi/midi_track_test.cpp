#include "midi/midi_file.h"
#include "midi/midi_out_port.h"
#include "midi/midi_toolkit.h"
#include "midi/midi_track.h"

#include <gtest/gtest.h>

namespace zembra {
namespace {

MidiEvent ev(std::uint32_t time, std::uint8_t key = 60)
{
    return MidiEvent{time, 0x90, key, 100, 0};
}

TEST(MidiTrack, AppendingThe8193rdEventGrowsByOneStepAndKeepsTheFirst)
{
    MidiTrack track;
    ASSERT_EQ(track.Capacity(), 8192u);
    for (std::uint32_t i = 0; i < 8193; ++i)
        ASSERT_TRUE(track.Append(ev(i, std::uint8_t(i & 0x7F))));
    EXPECT_EQ(track.Capacity(), 16384u);
    EXPECT_EQ(track.Count(), 8193u);
    for (std::uint32_t i = 0; i < 8193; ++i)
        ASSERT_EQ(*track.Event(i), ev(i, std::uint8_t(i & 0x7F))) << i;
    EXPECT_EQ(*track.Event(9000), MidiEvent{}) << "the new part is zero-filled";
    EXPECT_EQ(track.Event(16384), nullptr);
}

// The running sum behind AbsoluteTime must follow every way a track can change.
TEST(MidiTrack, AbsoluteTimeFollowsEveryChangeOfTheTrack)
{
    MidiTrack track;
    for (std::uint32_t delta : {10u, 0u, 5u, 5u, 20u})
        track.Append(ev(delta));
    EXPECT_EQ(track.AbsoluteTime(3), 20u);
    EXPECT_EQ(track.AbsoluteTime(1), 10u) << "asked for an earlier event";
    EXPECT_EQ(track.AbsoluteTime(4), 40u);

    track.SetEvent(ev(100), 0);
    EXPECT_EQ(track.AbsoluteTime(4), 130u) << "after SetEvent";
    track.Event(2)->time = 6;
    EXPECT_EQ(track.AbsoluteTime(4), 131u) << "after a write through Event()";
    track.EventArray()[3].time = 0;
    EXPECT_EQ(track.AbsoluteTime(4), 126u) << "after a write through EventArray()";
    track.Append(ev(4));
    EXPECT_EQ(track.AbsoluteTime(5), 130u) << "after Append";

    track.Clear();
    track.Append(ev(7));
    EXPECT_EQ(track.AbsoluteTime(0), 7u) << "after Clear";
    std::vector<MidiEvent> fresh(8, MidiEvent{});
    fresh[0] = ev(1);
    fresh[1] = ev(2);
    track.ReplaceArray(std::move(fresh), 2);
    EXPECT_EQ(track.AbsoluteTime(1), 3u) << "after ReplaceArray";
}

TEST(MidiTrack, TakeEventsGivesAbsoluteTimesAndStopsAtTheEnd)
{
    MidiTrack track;
    for (std::uint32_t delta : {10u, 0u, 5u, 5u, 20u})
        track.Append(ev(delta));
    const std::vector<MidiEvent> taken = track.TakeEvents(3, 10);
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].time, 20u);
    EXPECT_EQ(taken[1].time, 40u);
    EXPECT_EQ(track.AbsoluteTime(4), 40u);
    EXPECT_EQ(track.AbsoluteTime(5), 0u) << "past the end";
    EXPECT_TRUE(track.TakeEvents(5, 1).empty());
    EXPECT_TRUE(track.TakeEvents(0, 0).empty()) << "no events asked for";
    EXPECT_TRUE(track.TakeEvents(4, 0).empty());

    track.SetHold(true);
    EXPECT_TRUE(track.TakeEvents(0, 5).empty()) << "a held track gives nothing";
    track.SetHold(false);
    track.SetRecord(true);
    EXPECT_TRUE(track.TakeEvents(0, 5).empty()) << "a recording track gives nothing";
}

TEST(MidiTrack, ClearKeepsTheArrayAndNameIsCopied)
{
    MidiTrack track;
    for (int i = 0; i < 9000; ++i)
        track.Append(ev(1));
    track.Clear();
    EXPECT_EQ(track.Count(), 0u);
    EXPECT_EQ(track.Remaining(), 0u);
    EXPECT_EQ(track.Capacity(), 16384u);

    EXPECT_EQ(track.Name(), nullptr);
    std::string name = "MusicBox";
    track.SetName(name);
    name[0] = 'X';
    EXPECT_STREQ(track.Name(), "MusicBox");
    EXPECT_FALSE(track.SetEvent(ev(1), 16384));
}

TEST(MidiTrack, DestroyedTrackLeavesNoLinkInPortOrFile)
{
    MidiToolkit toolkit(ToolkitOptions::manual(std::make_shared<ManualTimeSource>()));
    MidiOutPort port(toolkit);
    MidiFile file(toolkit);
    ASSERT_TRUE(file.Open(::testing::TempDir() + "zembra-track-link.mid", 'w', 0));
    {
        MidiTrack track;
        port.Attach(&track);
        file.AddTrack(&track);
        EXPECT_EQ(track.Port(), &port);
        EXPECT_EQ(track.File(), &file);
    }
    EXPECT_EQ(port.AttachedCount(), 0u);
    EXPECT_EQ(file.AddedTrackCount(), 0u);
    file.Close();
}

}  // namespace
}  // namespace zembra
