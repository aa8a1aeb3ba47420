#include "canvas/edit_commands.h"

#include "song_fixtures.h"

#include <gtest/gtest.h>

#include <memory>

namespace zembra {
namespace {

TEST(GridRound, HalfwayGoesToTheLaterLine)
{
    struct Case {
        int scale, noteValue, left, expected;
    };
    const Case cases[] = {
        {24, 4, 35, 24}, {24, 4, 36, 48}, {24, 4, 47, 48}, {24, 4, 48, 48}, {24, 4, 0, 0},
        {24, 16, 8, 6},  {24, 16, 9, 12}, {24, 8, 17, 12}, {24, 8, 18, 24}, {16, 16, 2, 4},
        {96, 16, 11, 0}, {96, 16, 12, 24},
    };
    for (const Case& c : cases) {
        auto song = NewSong();
        song->pixelsPerQuarter = c.scale;
        PlaceNote(*song, c.left, 50, true);
        GridRound(*song, 0, GridOf(*song, c.noteValue));
        EXPECT_EQ(song->notes[0].left, c.expected) << c.left << " to 1/" << c.noteValue << " at " << c.scale;
        EXPECT_EQ(song->notes[0].right, c.expected + song->noteWidth);
    }
}

TEST(GridSnap, FinestActiveModeWinsInOrder)
{
    auto song = NewSong();
    PlaceNote(*song, 40, 50, false);
    GridSnap(*song, 0);
    EXPECT_EQ(song->notes[0].left, 40) << "no mode: only the right edge is set";
    song->snapQuarter = 1;
    song->snap16th = 1;
    GridSnap(*song, 0);
    EXPECT_EQ(song->notes[0].left, 48) << "the quarter grid is checked first";
}

TEST(Quantize, SecondChoiceSwitchesTheSnapOffAndMovesNothing)
{
    auto song = NewSong();
    PlaceNote(*song, 18, 50, true);
    PlaceNote(*song, 100, 62, false);
    EXPECT_TRUE(QuantizeSelection(*song, 8));
    ToggleSnapMode(*song, 8);
    EXPECT_EQ(song->notes[0].left, 24);
    EXPECT_EQ(song->notes[1].left, 100) << "unselected notes stay";
    EXPECT_EQ(song->snap8th, 1);
    EXPECT_FALSE(QuantizeSelection(*song, 8));
    ToggleSnapMode(*song, 8);
    EXPECT_EQ(song->snap8th, 0);
    ToggleSnapMode(*song, 4);
    ToggleSnapMode(*song, 16);
    EXPECT_EQ(song->snapQuarter, 0);
    EXPECT_EQ(song->snap16th, 1);
}

TEST(Quantize, NoSelectionOnlyTogglesTheMode)
{
    auto song = NewSong();
    PlaceNote(*song, 17, 50, false);
    EXPECT_FALSE(QuantizeSelection(*song, 4));
    EXPECT_EQ(song->notes[0].left, 17);
}

TEST(Modes, ZoomAndShiftExcludeEachOther)
{
    auto song = NewSong();
    ToggleZoomMode(*song);
    ToggleShiftAfterDragMode(*song);
    EXPECT_EQ(song->zoomMode, 0);
    EXPECT_EQ(song->shiftAfterDragMode, 1);
    ToggleZoomMode(*song);
    EXPECT_EQ(song->zoomMode, 1);
    EXPECT_EQ(song->shiftAfterDragMode, 0);
    ToggleZoomMode(*song);
    EXPECT_EQ(song->zoomMode, 0);
    EXPECT_EQ(song->shiftAfterDragMode, 0);
}

TEST(Duplicate, CopiesGoOneNoteWidthRightAndBecomeTheSelection)
{
    auto song = NewSong();
    PlaceNote(*song, 50, 62, false);
    PlaceNote(*song, 100, 50, true);
    song->KillSlot(0); // a dead slot is taken first
    const DuplicateResult result = Duplicate(*song);
    EXPECT_EQ(result.created, 1);
    EXPECT_EQ(song->notes[0].left, 108);
    EXPECT_EQ(song->notes[0].top, 50);
    EXPECT_EQ(song->notes[0].selected, 1);
    EXPECT_EQ(song->notes[1].selected, 0);
    EXPECT_EQ(song->selectedCount, 1);
}

TEST(Duplicate, StopsAtAFullStoreKeepingTheCopiesMade)
{
    auto song = NewSong();
    for (int i = 0; i < kMaxNotes - 2; ++i) {
        PlaceNote(*song, (i % 200) * 10, 50 + (i / 200) * 12, i < 5);
    }
    const DuplicateResult result = Duplicate(*song);
    EXPECT_TRUE(result.storeFull);
    EXPECT_EQ(result.created, 2);
    EXPECT_EQ(song->noteCount, kMaxNotes);
    EXPECT_EQ(song->selectedCount, 2);
}

TEST(ArrowMove, AsksOnlyWhenANoteWouldLeaveTheCanvas)
{
    struct Case {
        int left, top;
        ArrowKey key;
        bool leaves;
    };
    const Case cases[] = {
        {100, 434, ArrowKey::Down, true}, {100, 434, ArrowKey::Up, false}, {100, 50, ArrowKey::Up, true},
        {0, 200, ArrowKey::Left, true},   {1, 200, ArrowKey::Left, false}, {2296, 200, ArrowKey::Right, true},
        {2295, 200, ArrowKey::Right, false},
    };
    for (const Case& c : cases) {
        auto song = NewSong();
        PlaceNote(*song, c.left, c.top, true);
        PlaceNote(*song, 500, 50, false); // unselected notes never count
        EXPECT_EQ(ArrowMoveLeavesCanvas(*song, ArrowOffset(*song, c.key)), c.leaves) << c.left << "," << c.top;
    }
}

TEST(ArrowMove, MovesOnlyTheSelection)
{
    auto song = NewSong();
    PlaceNote(*song, 100, 434, true);
    PlaceNote(*song, 200, 434, false);
    MoveSelection(*song, ArrowOffset(*song, ArrowKey::Down));
    EXPECT_EQ(song->notes[0].top, 446);
    EXPECT_EQ(song->notes[0].bottom, 458);
    EXPECT_FALSE(song->NormaliseNote(0)) << "below the band: gone at the repaint";
    EXPECT_EQ(song->notes[1].top, 434);
}

} // namespace
} // namespace zembra
