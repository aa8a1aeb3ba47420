#include "midi/midi_out_port.h"
#include "midi/midi_track.h"
#include "midi/sequencer.h"
#include "midi/sync_clock.h"

#include "toolkit_fixture.h"

namespace zembra {
namespace {

MidiEvent note(std::uint32_t delta, std::uint8_t channel, std::uint8_t key, std::uint8_t data1Mark = 0)
{
    return MidiEvent{delta, std::uint8_t(kNoteOn | channel), data1Mark ? data1Mark : key, 100, 0};
}

class MidiOutPortTest : public test::ManualToolkitTest {
protected:
    SyncClock clock{toolkit};
    MidiOutPort port{toolkit};

    void SetUp() override
    {
        ASSERT_TRUE(clock.Open());
        port.SetSync(&clock);
        ASSERT_TRUE(port.Open(kMapperDevice, MidiOutPort::kViewOptions));
        EXPECT_EQ(port.DeviceName(), "Zembra MIDI monitor");
    }

    // Plays whatever the port queued and gives (tick, channel, data1) of what went out.
    std::vector<std::array<unsigned, 3>> played()
    {
        clock.Start();
        advanceUs(600'000'000);
        std::vector<std::array<unsigned, 3>> out;
        for (const auto& s : sent())
            out.push_back({unsigned(s.tick), unsigned(s.bytes[0] & 0x0F), unsigned(s.bytes[1])});
        return out;
    }
};

TEST_F(MidiOutPortTest, EqualTimesGoToTheEarlierAttachedTrack)
{
    MidiTrack first, second;
    second.Append(note(0, 1, 10));
    second.Append(note(5, 1, 11));
    first.Append(note(5, 0, 20));
    first.Append(note(0, 0, 21));
    port.Attach(&first);
    port.Attach(&second);
    port.Restart();
    EXPECT_EQ(played(), (std::vector<std::array<unsigned, 3>>{{0, 1, 10}, {5, 0, 20}, {5, 0, 21}, {5, 1, 11}}));
}

TEST_F(MidiOutPortTest, MergesAcrossFillsOf512WithExactTimes)
{
    MidiTrack odd, even;
    for (int i = 0; i < 400; ++i) {
        even.Append(note(i == 0 ? 0 : 2, 0, std::uint8_t(i % 128)));
        odd.Append(note(i == 0 ? 1 : 2, 1, std::uint8_t(i % 128)));
    }
    port.Attach(&even);
    port.Attach(&odd);
    port.Restart();
    EXPECT_EQ(port.BufferCount(), 0u) << "everything went to the toolkit; the last fill was empty";
    const auto out = played();
    ASSERT_EQ(out.size(), 800u);
    for (unsigned i = 0; i < 800; ++i)
        ASSERT_EQ(out[i], (std::array<unsigned, 3>{i, i % 2, (i / 2) % 128})) << i;
}

TEST_F(MidiOutPortTest, AnExclusiveTrackIsKeptTogetherAndABackwardStepBecomesZero)
{
    MidiTrack a, b;
    a.Append(note(10, 0, 1, kSysEx));    // opens exclusive mode at 10
    a.Append(note(90, 0, 2));            // 100
    a.Append(note(100, 0, 3, kSysExEnd));  // 200, closes it
    b.Append(note(50, 1, 4));            // 50: waits for the exclusive part
    b.Append(note(250, 1, 5));           // 300
    port.Attach(&a);
    port.Attach(&b);
    port.Restart();
    const auto out = played();
    ASSERT_EQ(out.size(), 5u);
    std::vector<unsigned> ticks, channels;
    for (const auto& e : out) {
        ticks.push_back(e[0]);
        channels.push_back(e[1]);
    }
    EXPECT_EQ(channels, (std::vector<unsigned>{0, 0, 0, 1, 1}));
    EXPECT_EQ(ticks, (std::vector<unsigned>{10, 100, 200, 200, 300})) << "b@300 keeps its time after the step";
}

TEST_F(MidiOutPortTest, ExclusiveModeHoldsTheOtherTracksUntilItsChunkRunsOut)
{
    MidiTrack a, b;
    a.Append(note(0, 0, 1, kSysEx));
    for (int i = 0; i < 600; ++i)
        a.Append(note(1, 0, 2));
    b.Append(note(0, 1, 9));
    port.Attach(&a);
    port.Attach(&b);
    port.Restart();
    const auto out = played();
    ASSERT_EQ(out.size(), 602u);
    // The first fill is a's alone; the second starts with a's chunk, still exclusive.
    for (unsigned i = 0; i < 601; ++i)
        ASSERT_EQ(out[i][1], 0u) << i;
    EXPECT_EQ(out[601][1], 1u);
}

TEST_F(MidiOutPortTest, ClosedPortSwallowsEverythingAndReportsSuccess)
{
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(port.Put(MidiEvent{kAtOnce, kProgramChange, 10, 0, 0}));
    MidiTrack track;
    track.Append(note(0, 0, 60));
    port.Attach(&track);
    EXPECT_TRUE(port.Pump());
    port.Reset();
    port.Flush();
    EXPECT_TRUE(sent().empty());
}

TEST_F(MidiOutPortTest, RefusedEventIsOfferedAgainAtTheNextNotice)
{
    MidiTrack track;
    for (std::size_t i = 0; i < Sequencer::kQueueCapacity + 10; ++i)
        track.Append(note(1, 0, std::uint8_t(i % 128)));
    port.Attach(&track);
    clock.Pause();
    port.Restart();
    EXPECT_FALSE(port.Pump()) << "the queue is full";
    const auto out = played();
    ASSERT_EQ(out.size(), Sequencer::kQueueCapacity);
    dispatch();
    advanceUs(600'000'000);
    const auto all = sent();
    ASSERT_EQ(all.size(), Sequencer::kQueueCapacity + 10);
    for (std::size_t i = 0; i < all.size(); ++i)
        ASSERT_EQ(all[i].bytes[1], i % 128) << i;
}

TEST_F(MidiOutPortTest, AttachDetachAndEmptyTracks)
{
    MidiTrack empty, never;
    EXPECT_FALSE(port.Detach(&never)) << "nothing attached";
    port.Attach(&empty);
    EXPECT_EQ(empty.Port(), &port);
    EXPECT_FALSE(port.Detach(&never));
    EXPECT_EQ(port.AttachedCount(), 1u);
    EXPECT_TRUE(port.Pump());
    EXPECT_EQ(port.BufferCount(), 0u);
    EXPECT_TRUE(port.Detach(&empty));
    EXPECT_EQ(empty.Port(), nullptr);
    EXPECT_TRUE(played().empty());
}

TEST_F(MidiOutPortTest, OpeningAnAbsentDeviceLeavesThePortClosed)
{
    MidiOutPort other(toolkit);
    EXPECT_FALSE(other.Open(7, MidiOutPort::kMenuOptions));
    EXPECT_EQ(other.Handle(), 0u);
    EXPECT_TRUE(other.Put(MidiEvent{kAtOnce, kProgramChange, 10, 0, 0}));
}

}  // namespace
}  // namespace zembra
