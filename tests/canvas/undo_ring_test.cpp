#include "canvas/undo_ring.h"

#include <gtest/gtest.h>

#include <memory>

namespace zembra {
namespace {

class Ring : public testing::Test {
protected:
    void SetUp() override
    {
        song->ResetSong();
        ring.ResetUndo();
        ring.Snapshot(*song); // the initial state is slot 1 and cannot be undone
    }

    // One edit: a note further right each time, then a snapshot.
    void edit()
    {
        const int slot = song->AllocateNote(10 * ++edits, 50);
        song->NormaliseNote(slot);
        ring.Snapshot(*song);
    }

    int liveNotes() const
    {
        int count = 0;
        for (int i = 0; i < song->UsedEnd(); ++i) {
            count += song->IsLive(i) ? 1 : 0;
        }
        return count;
    }

    std::unique_ptr<SongState> song = std::make_unique<SongState>();
    UndoRing ring;
    int edits = 0;
};

TEST_F(Ring, OneEditUndoneReturnsToTheStart)
{
    EXPECT_FALSE(ring.canUndo());
    EXPECT_FALSE(ring.modified());
    edit();
    EXPECT_TRUE(ring.canUndo());
    EXPECT_TRUE(ring.modified()) << "the second snapshot is the first real edit";
    EXPECT_TRUE(ring.Undo(*song));
    EXPECT_EQ(liveNotes(), 0);
    EXPECT_FALSE(ring.canUndo());
    EXPECT_TRUE(ring.canRedo());
    EXPECT_FALSE(ring.Undo(*song));
    EXPECT_TRUE(ring.Redo(*song));
    EXPECT_EQ(liveNotes(), 1);
    EXPECT_FALSE(ring.canRedo());
}

TEST_F(Ring, AtMostEightStepsComeBack)
{
    for (int i = 0; i < 12; ++i) {
        edit();
    }
    int undone = 0;
    while (ring.canUndo() && ring.Undo(*song)) {
        ++undone;
    }
    EXPECT_EQ(undone, 8);
    EXPECT_EQ(liveNotes(), 4);
    EXPECT_FALSE(ring.Undo(*song)) << "the ninth undo does nothing";
    EXPECT_EQ(liveNotes(), 4);
    int redone = 0;
    while (ring.canRedo() && ring.Redo(*song)) {
        ++redone;
    }
    EXPECT_EQ(redone, 8);
    EXPECT_EQ(liveNotes(), 12);
}

TEST_F(Ring, ANewEditLosesTheRedoBranch)
{
    edit();
    edit();
    ASSERT_TRUE(ring.Undo(*song));
    edit();
    EXPECT_FALSE(ring.canRedo());
    EXPECT_FALSE(ring.Redo(*song));
    ASSERT_TRUE(ring.Undo(*song));
    EXPECT_EQ(liveNotes(), 1);
}

TEST_F(Ring, UndoRestoresEverythingAndClearsTheSavedScroll)
{
    song->title = "Before";
    song->barLengthMm = 40;
    ring.Snapshot(*song);
    song->title = "After";
    song->barLengthMm = 70;
    song->printOptions.mirrorCard = 1;
    song->savedScroll = {300, 0};
    ring.Snapshot(*song);
    ASSERT_TRUE(ring.Undo(*song));
    EXPECT_EQ(song->title, "Before");
    EXPECT_EQ(song->barLengthMm, 40);
    EXPECT_EQ(song->printOptions.mirrorCard, 0);
    EXPECT_EQ(song->savedScroll.x, 0);
}

TEST_F(Ring, ResetEmptiesTheRing)
{
    edit();
    edit();
    ring.ResetUndo();
    EXPECT_FALSE(ring.canUndo());
    EXPECT_FALSE(ring.canRedo());
    EXPECT_FALSE(ring.modified());
    EXPECT_EQ(ring.undoCounter(), 0);
    ring.Snapshot(*song);
    EXPECT_FALSE(ring.canUndo());
}

} // namespace
} // namespace zembra
