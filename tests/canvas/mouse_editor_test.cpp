#include "canvas/mouse_editor.h"

#include <gtest/gtest.h>

#include <memory>

namespace zembra {
namespace {

constexpr Modifiers kPlain{};
constexpr Modifiers kShift{true, false};
constexpr Modifiers kCtrl{false, true};
constexpr Modifiers kCtrlShift{true, true};

class Mouse : public testing::Test {
protected:
    void SetUp() override { song->ResetSong(); }

    int place(int left, int top, bool selected = false)
    {
        const int slot = song->AllocateNote(left, top);
        song->NormaliseNote(slot);
        song->notes[slot].selected = selected ? 1 : 0;
        song->selectedCount += selected ? 1 : 0;
        ++song->noteCount;
        return slot;
    }

    // A press at one canvas point and a release at another, with no scrolling.
    MouseEditor::ReleaseOutcome gesture(Point from, Point to, Modifiers modifiers = kPlain)
    {
        editor.Press(*song, from, {from.x + 20, from.y}, modifiers, 0);
        return editor.Release(*song, to, {to.x + 20, to.y}, pending);
    }

    std::unique_ptr<SongState> song = std::make_unique<SongState>();
    MouseEditor editor;
    bool pending = false;
};

TEST(ScaledLeft, SpreadsPacksAndMirrors)
{
    struct Case {
        int left, anchor, span, x, expected;
    };
    const Case cases[] = {
        {100, 0, 90, 190, 211}, // factor 2.111...
        {0, 0, 90, 190, 0},     // the anchor stays
        {100, 0, 90, 45, 50},   // packing
        {100, 0, 90, -90, -100}, // past the anchor: mirrored
        {100, 0, 90, 100, 111},
        {0, 100, 90, 10, 0},     // anchor on the right, dragged away to the left
        {0, 100, 90, 190, 200},  // dragged past it: mirrored to the right
        {50, 0, 0, 500, 50},     // no span: nothing to scale
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScaledLeft(c.left, c.anchor, c.span, c.x), c.expected) << c.left << " x=" << c.x;
    }
}

TEST_F(Mouse, RightClickMakesAnUnselectedNoteOnTheRowUnderThePoint)
{
    place(10, 100, true);
    const int slot = MouseEditor::CreateNote(*song, {40, 55});
    ASSERT_GE(slot, 0);
    EXPECT_EQ(song->notes[slot].top, 50);
    EXPECT_EQ(song->notes[slot].pitch, 93);
    EXPECT_EQ(song->notes[slot].left, 40);
    EXPECT_EQ(song->notes[slot].selected, 0);
    EXPECT_EQ(song->selectedCount, 0);
    song->snapQuarter = 1;
    const int snapped = MouseEditor::CreateNote(*song, {40, 300});
    EXPECT_EQ(song->notes[snapped].left, 48);
}

TEST_F(Mouse, ClicksSelect)
{
    const int a = place(100, 50);
    const int b = place(200, 50, true);
    gesture({102, 55}, {102, 55});
    EXPECT_EQ(song->notes[a].selected, 1);
    EXPECT_EQ(song->notes[b].selected, 0);
    EXPECT_EQ(song->selectedCount, 1);
    gesture({202, 55}, {202, 55}, kShift);
    EXPECT_EQ(song->selectedCount, 2) << "Shift adds";
    const auto outcome = gesture({202, 55}, {202, 55}, kShift);
    EXPECT_EQ(song->notes[b].selected, 0) << "Shift-click on a selected note deselects it";
    EXPECT_TRUE(outcome.snapshot);
}

TEST_F(Mouse, ClickOnEmptyCanvasSnapshotsOnlyWhenTheSelectionChanged)
{
    place(100, 50, true);
    EXPECT_TRUE(gesture({500, 300}, {500, 300}).snapshot);
    EXPECT_EQ(song->selectedCount, 0);
    EXPECT_FALSE(gesture({500, 300}, {500, 300}).snapshot);
}

TEST_F(Mouse, DraggingAnUnselectedNoteLeavesItUnselectedAndDropsTheSelection)
{
    const int a = place(100, 50);
    const int b = place(300, 50, true);
    const auto outcome = gesture({102, 55}, {152, 80});
    EXPECT_TRUE(outcome.snapshot);
    EXPECT_EQ(song->notes[a].left, 150);
    EXPECT_EQ(song->notes[a].top, 74);
    EXPECT_EQ(song->notes[a].selected, 0);
    EXPECT_EQ(song->notes[b].selected, 0);
    EXPECT_EQ(song->notes[b].left, 300);
}

TEST_F(Mouse, DraggingTheSelectionMovesItSnapsItAndDropsWhatLeavesTheCanvas)
{
    const int a = place(100, 50, true);
    const int b = place(2280, 62, true);
    song->snap8th = 1; // grid 12
    gesture({102, 55}, {139, 55});
    EXPECT_EQ(song->notes[a].left, 132) << "137 rounds to the 8th grid";
    EXPECT_FALSE(song->IsLive(b)) << "dropped past the canvas end: deleted";
}

TEST_F(Mouse, PreviewsNeverChangeTheSong)
{
    place(100, 50, true);
    place(200, 62, true);
    editor.Press(*song, {102, 55}, {122, 55}, kPlain, 0);
    const MouseEditor::Preview preview = editor.Move(*song, {150, 80}, {170, 80});
    ASSERT_EQ(preview.kind, MouseEditor::Preview::Kind::Notes);
    ASSERT_EQ(preview.tiles.size(), 2u);
    EXPECT_EQ(preview.tiles[0].left, 148);
    EXPECT_EQ(preview.tiles[1].top, 87);
    EXPECT_EQ(preview.noteValue, 0);
    EXPECT_EQ(song->notes[0].left, 100);
    EXPECT_EQ(editor.Move(*song, {150, 80}, {170, 80}).kind, MouseEditor::Preview::Kind::None)
        << "an unchanged point draws nothing new";
    const MouseEditor::Preview onBeat = editor.Move(*song, {146, 80}, {166, 80});
    EXPECT_EQ(onBeat.noteValue, 4) << "would-be left 144 is on a quarter line";
}

TEST_F(Mouse, CtrlDragScalesTwoOrMoreAndMovesOne)
{
    place(0, 50, true);
    place(100, 62, true);
    place(90, 200, true); // pressed on: the far end, 0, is the anchor and the span is 90
    gesture({90, 205}, {190, 205}, kCtrl);
    EXPECT_EQ(song->notes[0].left, 0);
    EXPECT_EQ(song->notes[1].left, 211);
    EXPECT_EQ(song->notes[2].left, 190);
    EXPECT_EQ(song->notes[1].top, 62) << "scaling keeps rows";

    song->ResetSong();
    place(100, 50, true);
    gesture({102, 55}, {152, 55}, kCtrl);
    EXPECT_EQ(song->notes[0].left, 150) << "a single note just moves";
}

TEST_F(Mouse, ZoomModeActsAsCtrl)
{
    place(0, 50, true);
    place(100, 62, true);
    place(90, 200, true);
    song->zoomMode = 1;
    gesture({90, 205}, {45, 205});
    EXPECT_EQ(song->notes[1].left, 50);
    EXPECT_EQ(song->notes[2].left, 45);
}

TEST_F(Mouse, BandSelectsOnlyWholeNotes)
{
    const int inside = place(100, 62);
    const int partly = place(196, 62);
    const int outside = place(400, 62);
    const auto outcome = gesture({90, 60}, {200, 80});
    EXPECT_EQ(song->notes[inside].selected, 1);
    EXPECT_EQ(song->notes[partly].selected, 0) << "right edge 204 passes the band";
    EXPECT_EQ(song->notes[outside].selected, 0);
    EXPECT_TRUE(outcome.snapshot);
    // Shift toggles what lies inside, keeping the rest.
    gesture({390, 60}, {410, 80}, kShift);
    EXPECT_EQ(song->notes[inside].selected, 1);
    EXPECT_EQ(song->notes[outside].selected, 1);
    gesture({90, 60}, {120, 80}, kShift);
    EXPECT_EQ(song->notes[inside].selected, 0);
    EXPECT_EQ(song->selectedCount, 1);
}

TEST_F(Mouse, CtrlShiftBandAsksForARange)
{
    place(100, 62);
    const auto outcome = gesture({300, 60}, {48, 80}, kCtrlShift);
    EXPECT_TRUE(outcome.rangePlay);
    EXPECT_EQ(outcome.rangeFrom, 48);
    EXPECT_EQ(outcome.rangeTo, 300);
    EXPECT_EQ(song->selectedCount, 0);
}

TEST_F(Mouse, ShiftAfterDragOpensAGapAndCountsWhatFellOff)
{
    const int before = place(50, 62);
    const int after = place(100, 62);
    const int atEnd = place(2304 - 8 - 30, 62);
    song->shiftAfterDragMode = 1;
    const auto outcome = gesture({80, 300}, {130, 300});
    EXPECT_EQ(song->notes[before].left, 50);
    EXPECT_EQ(song->notes[after].left, 150);
    EXPECT_FALSE(song->IsLive(atEnd));
    EXPECT_EQ(outcome.shiftedOff, 1);
    EXPECT_TRUE(outcome.snapshot);
}

TEST_F(Mouse, ReleaseSetsThePasteStepAndLeavesAPendingArrowMoveToTheCaller)
{
    song->pasteOriginX = 100;
    pending = true;
    const auto outcome = gesture({196, 300}, {196, 300});
    EXPECT_FALSE(outcome.snapshot) << "a click on empty canvas that changes no selection";
    EXPECT_TRUE(pending) << "the caller records the move before the press changes the song";
    EXPECT_EQ(editor.pasteAnchorX(), 196);
    EXPECT_EQ(song->pasteStep, 96);
}

TEST_F(Mouse, AReleaseWithoutAPressClearsTheModes)
{
    song->zoomMode = 1;
    song->snap16th = 1;
    song->toggleSelectMode = 1;
    song->distanceCheckMode = 1;
    pending = true;
    const auto outcome = editor.Release(*song, {10, 10}, {30, 10}, pending);
    EXPECT_TRUE(outcome.modesCleared);
    EXPECT_TRUE(outcome.snapshot) << "the pending arrow move";
    EXPECT_FALSE(pending);
    EXPECT_FALSE(outcome.wasPressed);
    EXPECT_EQ(song->zoomMode + song->snap16th + song->toggleSelectMode + song->distanceCheckMode, 0);
}

} // namespace
} // namespace zembra
