#include "midi/midi_out_port.h"
#include "midi/sequencer.h"
#include "midi/midi_track.h"
#include "midi/sync_clock.h"

#include "toolkit_fixture.h"

namespace zembra {
namespace {

using test::NoticeLog;

// Raw toolkit calls: a clock and a port timed by it.
class ToolkitTiming : public test::ManualToolkitTest {
protected:
    NoticeLog clockLog, portLog;
    std::uint32_t clock = 0, port = 0;

    void SetUp() override
    {
        clock = toolkit.OpenSync(0, &clockLog, 0, 10);
        port = toolkit.OpenMidiOut(&portLog, kMapperDevice, clock, 0);
        ASSERT_GT(clock, kLastFailedHandle);
        ASSERT_GT(port, kLastFailedHandle);
    }

    void put(std::uint32_t delta, std::uint8_t key)
    {
        const MidiEvent e{delta, kNoteOn, key, 100, 0};
        ASSERT_EQ(toolkit.PutMidiOut(port, &e), 0);
    }
};

TEST_F(ToolkitTiming, EventsGoOutAtTheirTickAtTheTempoInForce)
{
    put(0, 60);
    put(96, 62);
    put(48, 64);
    toolkit.StartSync(clock);
    advanceUs(2'000'000);
    EXPECT_EQ(sentTicks(), (std::vector<std::uint64_t>{0, 96, 144}));
    EXPECT_EQ(sentMicros(), (std::vector<std::int64_t>{0, 500'000, 750'000}));
}

TEST_F(ToolkitTiming, TempoChangeWhileRunningTimesTheRestFromThatMoment)
{
    put(0, 60);
    put(96, 62);
    put(96, 64);
    toolkit.StartSync(clock);
    advanceUs(250'000);  // half way to tick 96
    ASSERT_EQ(toolkit.GetPosition(clock, 0), 48u);
    ASSERT_EQ(toolkit.SetTempo(clock, 250'000), 0);
    advanceUs(1'000'000);
    // 48 ticks left at twice the speed: 125 ms; the next 96 ticks: 250 ms.
    EXPECT_EQ(sentMicros(), (std::vector<std::int64_t>{0, 375'000, 625'000}));
    EXPECT_EQ(toolkit.GetTempo(clock), 250'000u);
}

TEST_F(ToolkitTiming, PauseAndResumeKeepThePosition)
{
    put(0, 60);
    put(96, 62);
    toolkit.StartSync(clock);
    advanceUs(250'000);
    toolkit.PauseSync(clock, 0);
    advanceUs(10'000'000);
    EXPECT_EQ(toolkit.GetPosition(clock, 0), 48u);
    EXPECT_EQ(sent().size(), 1u) << "nothing goes out while paused";
    toolkit.ReStartSync(clock);
    advanceUs(249'999);
    EXPECT_EQ(sent().size(), 1u);
    advanceUs(1);
    ASSERT_EQ(sent().size(), 2u);
    EXPECT_EQ(sent()[1].micros, 10'500'000);
    EXPECT_EQ(sent()[1].tick, 96u);
}

struct BeatCase {
    std::uint32_t tempo;
    std::uint16_t resolution;
    std::int64_t micros;
    std::size_t beats;
};

class BeatNotices : public test::ManualToolkitTest, public ::testing::WithParamInterface<BeatCase> {};

TEST_P(BeatNotices, OnePerQuarterNote)
{
    NoticeLog log;
    const std::uint32_t clock = toolkit.OpenSync(0, &log, 0, 10);
    toolkit.SetTempo(clock, GetParam().tempo);
    toolkit.SetResolution(clock, GetParam().resolution);
    toolkit.StartSync(clock);
    advanceUs(GetParam().micros);
    dispatch();
    EXPECT_EQ(log.count(kNoticeClockBeat), GetParam().beats);
    EXPECT_EQ(log.received.size(), GetParam().beats);
}

INSTANTIATE_TEST_SUITE_P(Cases, BeatNotices, ::testing::Values(
    BeatCase{500'000, 96, 2'000'000, 4},
    BeatCase{500'000, 96, 1'999'999, 3},
    BeatCase{250'000, 480, 1'000'000, 4},
    BeatCase{1'000'000, 24, 3'500'000, 3},
    BeatCase{500'000, 96, 0, 0}));

TEST_F(ToolkitTiming, BeatAfterATempoChangeMidQuarter)
{
    toolkit.StartSync(clock);
    advanceUs(250'000);
    toolkit.SetTempo(clock, 250'000);
    advanceUs(124'999);
    dispatch();
    EXPECT_EQ(clockLog.count(kNoticeClockBeat), 0u);
    advanceUs(1);
    dispatch();
    EXPECT_EQ(clockLog.count(kNoticeClockBeat), 1u);
}

TEST_F(ToolkitTiming, AtOnceEventsSkipTheQueueAndFullQueueRefuses)
{
    const MidiEvent now{kAtOnce, kProgramChange, 10, 0, 0};
    EXPECT_EQ(toolkit.PutMidiOut(port, &now), 0);
    ASSERT_EQ(sent().size(), 1u) << "sent although the clock is stopped";
    EXPECT_EQ(sent()[0].bytes[0], kProgramChange);
    EXPECT_EQ(sent()[0].length, 2u);

    const MidiEvent queued{1, kNoteOn, 60, 1, 0};
    for (std::size_t i = 0; i < Sequencer::kQueueCapacity; ++i)
        ASSERT_EQ(toolkit.PutMidiOut(port, &queued), 0) << i;
    EXPECT_NE(toolkit.PutMidiOut(port, &queued), 0);
    EXPECT_EQ(toolkit.FlushMidiOut(port), 0);
    EXPECT_EQ(toolkit.PutMidiOut(port, &queued), 0) << "flushed: room again";
}

TEST_F(ToolkitTiming, ResetEndsTheSoundingNotesOnly)
{
    const MidiEvent on60{kAtOnce, kNoteOn, 60, 100, 0};
    const MidiEvent on62{kAtOnce, std::uint8_t(kNoteOn | 1), 62, 100, 0};
    const MidiEvent off60{kAtOnce, kNoteOn, 60, 0, 0};
    toolkit.PutMidiOut(port, &on60);
    toolkit.PutMidiOut(port, &on62);
    toolkit.PutMidiOut(port, &off60);
    toolkit.virtualDevice().clear();
    toolkit.ResetMidiOut(port);
    ASSERT_EQ(sent().size(), 1u);
    EXPECT_EQ(sent()[0].bytes, (std::array<std::uint8_t, 3>{std::uint8_t(kNoteOff | 1), 62, 0}));
}

TEST_F(ToolkitTiming, ClosedHandlesAreRefusedAndTheirNoticesDropped)
{
    ASSERT_EQ(toolkit.pendingNotices(), 1u) << "a new port can take events";
    EXPECT_EQ(toolkit.CloseMidiOut(port), 0);
    EXPECT_EQ(toolkit.pendingNotices(), 0u);
    const MidiEvent e{0, kNoteOn, 60, 1, 0};
    EXPECT_EQ(toolkit.PutMidiOut(port, &e), -1);
    EXPECT_EQ(toolkit.CloseMidiOut(port), -1);
    EXPECT_EQ(toolkit.CloseSync(clock), 0);
    EXPECT_EQ(toolkit.StartSync(clock), -1);
    EXPECT_EQ(toolkit.GetTempo(clock), kDefaultTempo);
    EXPECT_EQ(toolkit.OpenMidiOut(&portLog, kMapperDevice, clock, 0), 0u) << "timed by a clock that is gone";
}

// The program's objects over the toolkit, played the way the view plays a song.
class Playback : public test::ManualToolkitTest {
protected:
    SyncClock clock{toolkit};
    MidiOutPort port{toolkit};
    MidiTrack track;
    int ends = 0;

    void SetUp() override
    {
        ASSERT_TRUE(clock.Open(0, 10));
        clock.SetEndHandler([this] { ++ends; });
        port.SetSync(&clock);
        ASSERT_TRUE(port.Open(kMapperDevice, MidiOutPort::kViewOptions));
        dispatch();
        port.Attach(&track);
    }

    void addNotes(int count, std::uint32_t delta)
    {
        for (int i = 0; i < count; ++i)
            track.Append({i == 0 ? 0u : delta, kNoteOn, std::uint8_t(40 + i % 50), 100, 0});
    }

    void play()
    {
        clock.SetResolution(96);
        clock.SetTempo(500'000);
        clock.Start();
        port.Flush();
        clock.Pause();
        port.Restart();
        clock.Resume();
    }
};

TEST_F(Playback, EndOnlyAfterThePortAskedForMoreAndHadNothing)
{
    addNotes(3, 96);
    play();
    advanceUs(5'000'000);
    EXPECT_EQ(sent().size(), 3u);
    EXPECT_EQ(ends, 0) << "the GUI has not answered yet";
    dispatch();
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(clock.NotificationCount(), 0u) << "the end resets the count";
    advanceUs(5'000'000);
    dispatch();
    EXPECT_EQ(ends, 1) << "one end per material";
}

TEST_F(Playback, ASlowGuiThatStillHasMaterialNeverEndsPlayback)
{
    // More than the output queue holds: the rest waits for the GUI's answer.
    addNotes(1500, 1);
    play();
    advanceUs(60'000'000);
    EXPECT_EQ(sent().size(), Sequencer::kQueueCapacity);
    EXPECT_EQ(ends, 0);
    dispatch();  // late: the queue has long run dry
    EXPECT_EQ(ends, 0);
    advanceUs(60'000'000);
    dispatch();
    EXPECT_EQ(sent().size(), 1500u);
    EXPECT_EQ(ends, 1);
    const auto all = sent();
    for (std::size_t i = 0; i < all.size(); ++i)
        ASSERT_EQ(all[i].bytes[1], 40 + i % 50) << "in order, none lost: " << i;
    // The late part plays on from when it arrived, not all at once.
    EXPECT_GT(all[Sequencer::kQueueCapacity].tick, all[Sequencer::kQueueCapacity - 1].tick);
    EXPECT_EQ(all[1499].tick - all[Sequencer::kQueueCapacity].tick, 1499 - Sequencer::kQueueCapacity);
}

TEST_F(Playback, APromptGuiKeepsEveryEventOnTime)
{
    clock.SetTempo(96'000);  // one tick per millisecond at 96 ticks a quarter
    addNotes(3000, 1);
    clock.Start();
    port.Flush();
    clock.Pause();
    port.Restart();
    clock.Resume();
    for (int step = 0; step < 400; ++step) {
        advanceUs(10'000);
        dispatch();
    }
    const auto all = sent();
    ASSERT_EQ(all.size(), 3000u);
    for (std::size_t i = 0; i < all.size(); ++i) {
        ASSERT_EQ(all[i].tick, i);
        ASSERT_EQ(all[i].micros, std::int64_t(i) * 1000);
    }
    EXPECT_EQ(ends, 1);
}

TEST_F(Playback, RepeatPlaysTheMaterialAgainFromWhereTheClockStands)
{
    addNotes(2, 96);
    clock.SetEndHandler([this] {
        ++ends;
        if (ends == 1)
            port.Restart();
    });
    play();
    advanceUs(1'000'000);
    dispatch();
    ASSERT_EQ(ends, 1);
    advanceUs(1'000'000);
    dispatch();
    EXPECT_EQ(ends, 2);
    EXPECT_EQ(sentTicks(), (std::vector<std::uint64_t>{0, 96, 192, 288}));
}

}  // namespace
}  // namespace zembra
