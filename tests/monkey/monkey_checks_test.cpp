// The exerciser's own checks: each must see the fault it is there for, or the run proves nothing.
#include "canvas/undo_ring.h"
#include "monkey_gestures.h"
#include "song_invariants.h"
#include "step_watchdog.h"
#include "undo_watch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

namespace zembra::monkey {
namespace {

// A settled song with three live notes (slot 1 selected) and a deleted slot 2.
SongState SoundSong()
{
    SongState song;
    song.ResetSong();
    for (int x : {0, 48, 96}) {
        const int i = song.AllocateNote(x, 200);
        song.NormaliseNote(i);
        ++song.noteCount;
    }
    const int fourth = song.AllocateNote(120, 60);
    song.NormaliseNote(fourth);
    song.notes[1].selected = 1;
    song.selectedCount = 1;
    song.KillSlot(2);
    song.noteCount = 3;
    return song;
}

TEST(SongInvariants, ASoundSongPasses)
{
    EXPECT_EQ(FirstSongViolation(SoundSong()), "");
    SongState fresh;
    fresh.ResetSong();
    EXPECT_EQ(FirstSongViolation(fresh), "");
}

TEST(SongInvariants, EachBrokenRuleIsSeen)
{
    struct Case {
        const char* breach;
        std::function<void(SongState&)> breakIt;
        const char* seen;
    };
    const Case cases[] = {
        {"slot after the first free one", [](SongState& s) { s.notes[10] = s.notes[0]; }, "after the first free"},
        {"free slot selected", [](SongState& s) { s.notes[20].selected = 1; }, "free slot is selected"},
        {"note past the canvas end",
         [](SongState& s) {
             s.notes[0].left = s.canvasWidth - 4;
             s.notes[0].right = s.notes[0].left + s.noteWidth;
         },
         "outside the canvas"},
        {"note between bands",
         [](SongState& s) {
             s.notes[0].top += 5;
             s.notes[0].bottom += 5;
         },
         "not on a row band"},
        {"note wider than a note", [](SongState& s) { s.notes[0].right += 1; }, "size"},
        {"pitch off its row", [](SongState& s) { s.notes[0].pitch += 1; }, "differ from its row"},
        {"name off its row", [](SongState& s) { s.notes[0].name = NoteName("X"); }, "differ from its row"},
        {"velocity off its row", [](SongState& s) { s.notes[0].velocity = 1; }, "differ from its row"},
        {"dead slot of another shape", [](SongState& s) { s.notes[2].right = 99; }, "dead slot"},
        {"dead slot selected", [](SongState& s) { s.notes[2].selected = 1; }, "dead slot"},
        {"note count off", [](SongState& s) { s.noteCount = 4; }, "noteCount is 4 but 3"},
        {"selected count off", [](SongState& s) { s.selectedCount = 0; }, "selectedCount is 0 but 1"},
        {"canvas width off its grid", [](SongState& s) { s.canvasWidth = 100; }, "canvasWidth"},
    };
    for (const Case& c : cases) {
        SongState song = SoundSong();
        c.breakIt(song);
        EXPECT_NE(FirstSongViolation(song).find(c.seen), std::string::npos)
            << c.breach << ": " << FirstSongViolation(song);
    }
}

TEST(UndoWatch, FollowsTheRealRingQuietly)
{
    // Every snapshot, undo and redo the ring allows stays within the watch's limits.
    UndoRing ring;
    UndoWatch watch;
    SongState song;
    song.ResetSong();
    ring.Snapshot(song);
    EXPECT_EQ(watch.Observe(ring), "");
    for (int i = 0; i < 12; ++i) {
        ring.Snapshot(song);
        EXPECT_EQ(watch.Observe(ring), "") << i;
    }
    while (ring.Undo(song)) {
        EXPECT_EQ(watch.Observe(ring), "");
    }
    EXPECT_EQ(ring.undoCounter(), 13 - UndoWatch::kMaxUndone);
    ring.Redo(song);
    ring.Snapshot(song);
    EXPECT_EQ(watch.Observe(ring), "");
    ring.ResetUndo();
    ring.Snapshot(song);
    EXPECT_EQ(watch.Observe(ring), "") << "a reset starts afresh";
}

TEST(UndoWatch, SeesARingPastItsLimits)
{
    struct Case {
        const char* breach;
        std::function<std::string(UndoWatch&)> run;
        const char* seen;
    };
    const Case cases[] = {
        {"nine steps undone",
         [](UndoWatch& w) {
             w.Observe(20, true, false);
             std::string last;
             for (int c = 19; c >= 11; --c) {
                 last = w.Observe(c, true, true);
             }
             return last;
         },
         "more than the ring holds"},
        {"undo with no earlier state", [](UndoWatch& w) { return w.Observe(1, true, false); }, "Undo offered"},
        {"counter below zero", [](UndoWatch& w) { return w.Observe(-1, false, false); }, "below zero"},
    };
    for (const Case& c : cases) {
        UndoWatch watch;
        EXPECT_NE(c.run(watch).find(c.seen), std::string::npos) << c.breach;
    }
}

TEST(StepWatchdog, AStepThatReturnsInTimePasses)
{
    StepWatchdog watchdog(7, std::chrono::milliseconds(1000));
    for (int step = 0; step < 100; ++step) {
        watchdog.BeginStep(step, "quick");
        watchdog.EndStep();
    }
}

TEST(StepWatchdogDeathTest, AStuckStepEndsTheRunWithSeedAndStep)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            StepWatchdog watchdog(4242, std::chrono::milliseconds(50));
            watchdog.BeginStep(17, "stuck");
            std::atomic<bool> spin{true};
            while (spin.load()) {
                // the GUI thread caught in a loop of its own making
            }
        },
        "step 17 \\(stuck\\).*\n.*ZEMBRA_MONKEY_SEED=4242 ZEMBRA_MONKEY_STEPS=18");
}

TEST(Gestures, TableIsWeightedAndNamed)
{
    int total = 0;
    for (const Gesture& gesture : Gestures()) {
        EXPECT_GT(gesture.weight, 0) << gesture.name;
        EXPECT_EQ(&PickGesture(total), &gesture) << gesture.name;
        total += gesture.weight;
    }
    EXPECT_EQ(total, TotalWeight());
    EXPECT_FALSE(IsMaskedUntilMended("left-click"));
}

} // namespace
} // namespace zembra::monkey
