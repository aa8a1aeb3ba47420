// The canvas command that mends the notes that will not sound: when it is offered, what it tells,
// and that one Undo gives the song back exactly and Redo mends it again.
#include "canvas/command_state.h"
#include "canvas/kelp_view.h"
#include "model/too_close.h"
#include "services/command_ids.h"
#include "services/paint_device_metrics.h"

#include "scoped_scripted_prompts.h"

#include <gtest/gtest.h>

#include <memory>

namespace zembra {
namespace {

TEST(MendRule, OfferedWhileTheCheckIsOnAndFlagsANote)
{
    ViewFacts flagged;
    flagged.noteCount = 4;
    flagged.distanceCheckMode = true;
    flagged.closeHoleCount = 2;
    ViewFacts checkOff = flagged;
    checkOff.distanceCheckMode = false;
    ViewFacts nothingFlagged = flagged;
    nothingFlagged.closeHoleCount = 0;
    ViewFacts playing = flagged;
    playing.playing = true;
    ViewFacts pressed = flagged;
    pressed.buttonDown = true;
    struct Case {
        const char* what;
        const ViewFacts* facts;
        bool enabled;
    };
    const Case cases[] = {
        {"flagged", &flagged, true},          {"check off", &checkOff, false},
        {"none flagged", &nothingFlagged, false}, {"playing", &playing, false},
        {"button down", &pressed, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StateOf(cmd::kMendCloseHoles, *c.facts), (CommandState{c.enabled, false})) << c.what;
    }
}

bool sameNotes(const SongState& a, const SongState& b)
{
    for (int i = 0; i < kMaxNotes; ++i) {
        const NoteRecord& x = a.notes[i];
        const NoteRecord& y = b.notes[i];
        if (x.left != y.left || x.top != y.top || x.right != y.right || x.bottom != y.bottom ||
            x.selected != y.selected || x.pitch != y.pitch || x.velocity != y.velocity || !(x.name == y.name)) {
            return false;
        }
    }
    return a.noteCount == b.noteCount && a.selectedCount == b.selectedCount &&
           a.distanceCheckMode == b.distanceCheckMode && a.barLengthMm == b.barLengthMm;
}

class MendCommand : public testing::Test {
protected:
    void SetUp() override
    {
        SetLastPrintMetrics({});
        view.resize(1000, 560);
        view.PaintOffscreen();
    }

    void addNote(int left, int row)
    {
        SongState& song = view.song();
        const int slot = song.AllocateNote(left, song.bandTopOfRow(row));
        song.NormaliseNote(slot);
        ++song.noteCount;
    }

    int checkCount()
    {
        std::vector<HolePair> list;
        return CountCloseHoles(view.song(), CheckMetrics(), list);
    }

    ScopedScriptedPrompts scripted;
    CKelpView view;
};

TEST_F(MendCommand, OneUndoStepThatUndoGivesBackExactlyAndRedoRedoes)
{
    // At 15 mm a bar the notes of a row must lie 52 pixels apart.
    view.song().barLengthMm = 15;
    for (const int left : {0, 20, 40, 60, 200}) {
        addNote(left, 5);
    }
    addNote(10, 17); // in the way of the move up from row 5
    addNote(30, 9);
    addNote(31, 9);
    EXPECT_FALSE(view.facts().closeHoleCount > 0) << "counted only while the check is on";
    ASSERT_TRUE(view.OnCommand(cmd::kDistanceCheck));
    view.song().notes[7].selected = 1; // a selection the mend replaces
    view.song().selectedCount = 1;
    view.edits().RestartUndo();
    view.PaintOffscreen();
    ASSERT_EQ(checkCount(), 4);
    EXPECT_EQ(view.facts().closeHoleCount, 4);
    const auto before = std::make_unique<SongState>(view.song());
    const int steps = view.edits().undoRing().undoCounter();

    ASSERT_TRUE(view.OnCommand(cmd::kMendCloseHoles));
    view.PaintOffscreen();
    EXPECT_EQ(checkCount(), 0);
    EXPECT_EQ(view.paneText(kPaneDistanceCheck), QStringLiteral("    0"));
    EXPECT_EQ(view.edits().undoRing().undoCounter(), steps + 1) << "one undo step";
    ASSERT_EQ(scripted->messages().size(), 1);
    // Row 5 (66): 20 goes two octaves up (row 17 is taken at 10, 54 is off the comb); 40 then
    // finds no room and goes; 60 is then far enough from 0 and stays. Row 9 (70): 31 goes up to
    // row 21.
    EXPECT_EQ(scripted->messages().front(), QStringLiteral("2 notes moved by octaves, 1 notes removed."));
    EXPECT_EQ(view.song().noteCount, 7);
    EXPECT_EQ(view.song().RowOf(3), 5);
    EXPECT_EQ(view.song().selectedCount, 2);
    EXPECT_EQ(view.song().RowOf(1), 29);
    EXPECT_EQ(view.song().RowOf(7), 21);
    EXPECT_TRUE(view.song().notes[1].selected && view.song().notes[7].selected);
    EXPECT_FALSE(StateOf(cmd::kMendCloseHoles, view.facts()).enabled) << "nothing is left to mend";
    const auto mended = std::make_unique<SongState>(view.song());

    ASSERT_TRUE(view.OnCommand(cmd::kUndo));
    view.PaintOffscreen();
    EXPECT_TRUE(sameNotes(view.song(), *before));
    EXPECT_EQ(checkCount(), 4);

    ASSERT_TRUE(view.OnCommand(cmd::kRedo));
    view.PaintOffscreen();
    EXPECT_TRUE(sameNotes(view.song(), *mended));
}

TEST_F(MendCommand, NotOfferedWhenTheCheckFlagsNothing)
{
    addNote(0, 5);
    addNote(100, 5);
    ASSERT_TRUE(view.OnCommand(cmd::kDistanceCheck));
    view.PaintOffscreen();
    EXPECT_FALSE(view.OnCommand(cmd::kMendCloseHoles));
    EXPECT_TRUE(scripted->messages().isEmpty());
}

} // namespace
} // namespace zembra
