// The real canvas driven by mouse and key events, as a person would.
#include "services/command_ids.h"
#include "services/prompts.h"
#include "canvas/kelp_view.h"

#include "scoped_scripted_prompts.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

namespace zembra {
namespace {

class ViewEdit : public testing::Test {
protected:
    void SetUp() override
    {
        QApplication::clipboard()->clear();
        view.resize(1000, 560);
        view.show();
        view.PaintOffscreen();
    }

    QWidget* surface() { return view.viewport(); }
    // Client point of a canvas point with no scrolling.
    static QPoint at(int canvasX, int y) { return {canvasX + 20, y}; }

    void rightClick(int canvasX, int y) { QTest::mouseClick(surface(), Qt::RightButton, {}, at(canvasX, y)); }

    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(surface(), Qt::LeftButton, modifiers, from);
        QTest::mouseMove(surface(), (from + to) / 2);
        QTest::mouseMove(surface(), to);
        QTest::mouseRelease(surface(), Qt::LeftButton, modifiers, to);
        view.PaintOffscreen();
    }

    ScopedScriptedPrompts scripted;
    CKelpView view;
};

TEST_F(ViewEdit, RightClickMakesANoteAndUndoTakesItBack)
{
    rightClick(40, 55);
    view.PaintOffscreen();
    ASSERT_EQ(view.song().noteCount, 1);
    EXPECT_EQ(view.song().notes[0].left, 40);
    EXPECT_EQ(view.song().notes[0].pitch, 93);
    EXPECT_TRUE(view.modified());
    EXPECT_TRUE(view.OnCommand(cmd::kUndo));
    view.PaintOffscreen();
    EXPECT_EQ(view.song().noteCount, 0);
    EXPECT_FALSE(view.edits().undoRing().canUndo());
    EXPECT_TRUE(view.OnCommand(cmd::kRedo));
    view.PaintOffscreen();
    EXPECT_EQ(view.song().noteCount, 1);
}

TEST_F(ViewEdit, DragMovesANoteToAnotherRowAndPitch)
{
    rightClick(100, 434); // bottom row, C 60
    drag(at(102, 440), at(152, 428));
    const NoteRecord& note = view.song().notes[0];
    EXPECT_EQ(note.left, 150);
    EXPECT_EQ(note.top, 422);
    EXPECT_EQ(note.pitch, 62);
    EXPECT_EQ(note.name.view(), "D");
}

TEST_F(ViewEdit, BandSelectThenArrowsMakeOneUndoStep)
{
    rightClick(100, 200);
    rightClick(140, 200);
    drag(at(90, 190), at(160, 230));
    ASSERT_EQ(view.song().selectedCount, 2);
    const int counterBefore = view.edits().undoRing().undoCounter();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(&view, Qt::Key_Right);
    }
    QTest::keyClick(&view, Qt::Key_Return);
    view.PaintOffscreen();
    EXPECT_EQ(view.song().notes[0].left, 103);
    EXPECT_EQ(view.song().notes[1].left, 143);
    EXPECT_EQ(view.edits().undoRing().undoCounter(), counterBefore + 1);
    view.OnCommand(cmd::kUndo);
    EXPECT_EQ(view.song().notes[0].left, 100);
}

TEST_F(ViewEdit, ArrowOffTheCanvasAsksFirst)
{
    rightClick(100, 440);
    QTest::mouseClick(surface(), Qt::LeftButton, {}, at(102, 440));
    ASSERT_EQ(view.song().selectedCount, 1);
    scripted->pushAnswer(Prompts::Answer::No);
    QTest::keyClick(&view, Qt::Key_Down);
    ASSERT_EQ(scripted->asked().size(), 1u);
    EXPECT_EQ(scripted->asked()[0].caption, QStringLiteral("Move"));
    EXPECT_EQ(scripted->asked()[0].defaultAnswer, Prompts::Answer::No);
    EXPECT_EQ(scripted->beeps(), 1);
    EXPECT_EQ(view.song().notes[0].top, 434) << "No: nothing moves";
    scripted->pushAnswer(Prompts::Answer::Yes);
    QTest::keyClick(&view, Qt::Key_Down);
    view.PaintOffscreen();
    EXPECT_EQ(view.song().noteCount, 0) << "Yes: the note leaves the band and is gone";
}

TEST_F(ViewEdit, TheFullStoreIsReportedAndNothingChanges)
{
    SongState& song = view.song();
    for (int i = 0; i < kMaxNotes; ++i) {
        const int slot = song.AllocateNote((i % 200) * 10, 50 + (i / 200) * 12);
        song.NormaliseNote(slot);
    }
    view.PaintOffscreen();
    ASSERT_EQ(song.noteCount, kMaxNotes);
    const int counter = view.edits().undoRing().undoCounter();
    rightClick(5, 400);
    EXPECT_EQ(scripted->messages(), QStringList{QStringLiteral("Warning! Limit of note number on work")});
    EXPECT_EQ(view.edits().undoRing().undoCounter(), counter);
}

TEST_F(ViewEdit, PasteIntoANearlyFullStoreSaysHowManyNotesWereLeftOut)
{
    // Ten notes on the clipboard, from a canvas of their own.
    CKelpView source;
    for (int i = 0; i < 10; ++i) {
        const int slot = source.song().AllocateNote(100 + 10 * i, 62);
        source.song().NormaliseNote(slot);
        source.song().notes[slot].selected = true;
    }
    source.PaintOffscreen();
    ASSERT_TRUE(source.OnCommand(cmd::kCopy));

    SongState& song = view.song();
    struct Step {
        int before; // notes on the canvas before the paste
        int after;
        const char* message; // empty: none
    };
    const Step steps[] = {
        {kMaxNotes - 20, kMaxNotes - 10, ""},
        {kMaxNotes - 10, kMaxNotes, ""},
        {kMaxNotes - 4, kMaxNotes, "6 of the 10 pasted notes were left out (a song holds at most 1500 notes)."},
        {kMaxNotes, kMaxNotes, "10 of the 10 pasted notes were left out (a song holds at most 1500 notes)."},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.before);
        song.ResetSong();
        for (int i = 0; i < step.before; ++i) {
            const int slot = song.AllocateNote((i % 200) * 10, 50 + (10 + i / 200) * 12);
            song.NormaliseNote(slot);
        }
        view.PaintOffscreen();
        ASSERT_EQ(song.noteCount, step.before);
        scripted->clear();
        const int counter = view.edits().undoRing().undoCounter();
        view.OnCommand(cmd::kPaste);
        view.PaintOffscreen();
        EXPECT_EQ(song.noteCount, step.after);
        if (*step.message) {
            EXPECT_EQ(scripted->messages(),
                      QStringList{QStringLiteral("Warning! Limit of note number on work\n") + QString::fromUtf8(step.message)});
        } else {
            EXPECT_TRUE(scripted->messages().isEmpty());
        }
        EXPECT_EQ(view.edits().undoRing().undoCounter(), counter + (step.before < kMaxNotes ? 1 : 0))
            << "a full store takes nothing and no undo step";
    }
}

TEST_F(ViewEdit, CopyAndPasteBetweenTwoCanvases)
{
    rightClick(100, 62);
    QTest::mouseClick(surface(), Qt::LeftButton, {}, at(102, 64));
    EXPECT_FALSE(view.facts().clipboardHasNotes);
    EXPECT_TRUE(view.OnCommand(cmd::kCopy));
    EXPECT_TRUE(view.facts().clipboardHasNotes);

    CKelpView other;
    other.resize(800, 560);
    other.show();
    other.PaintOffscreen();
    ASSERT_TRUE(other.OnCommand(cmd::kPaste)) << "paste is available while the clipboard holds notes";
    other.PaintOffscreen();
    EXPECT_EQ(other.song().noteCount, 1);
    EXPECT_EQ(other.song().notes[0].left, 0) << "this canvas's anchor: its last click, none yet";
    EXPECT_EQ(other.song().notes[0].top, 62);

    // In the source canvas the paste lands one note width on.
    view.OnCommand(cmd::kPaste);
    view.PaintOffscreen();
    EXPECT_EQ(view.song().noteCount, 2);
    EXPECT_EQ(view.song().notes[1].left, 108);
}

TEST_F(ViewEdit, PasteOntoAnotherBoxLandsByPitchAndSaysWhatWasLeftOut)
{
    // C4, F#4, C6 and A6 on the 33-note box; the 15-note box has no F#4 and no A6.
    SongState& song = view.song();
    for (int pitch : {60, 66, 84, 93}) {
        const int slot = song.AllocateNote(100 + pitch, song.bandTopOfRow(song.RowForPitch(pitch)));
        song.NormaliseNote(slot);
        song.notes[slot].selected = true;
    }
    view.PaintOffscreen();
    ASSERT_TRUE(view.OnCommand(cmd::kCopy));

    CKelpView other;
    other.song().UseBox(*FindBuiltInBox("15"));
    other.UpdateScrollSizes();
    other.resize(800, 560);
    other.show();
    other.PaintOffscreen();
    QTest::mouseClick(other.viewport(), Qt::LeftButton, {}, at(200, 100));
    ASSERT_TRUE(other.OnCommand(cmd::kPaste));
    other.PaintOffscreen();
    ASSERT_EQ(other.song().noteCount, 2);
    for (int i = 0; i < 2; ++i) {
        const NoteRecord& note = other.song().notes[i];
        EXPECT_EQ(note.top, other.song().bandTopOfRow(other.song().RowForPitch(note.pitch)));
    }
    EXPECT_EQ(other.song().notes[0].pitch, 60);
    EXPECT_EQ(other.song().notes[0].left, 200);
    EXPECT_EQ(other.song().notes[1].pitch, 84);
    EXPECT_EQ(other.song().notes[1].left, 224);
    EXPECT_EQ(other.paneText(kPaneMessage), QStringLiteral("2 notes were left out: the box cannot play them."));
    EXPECT_TRUE(scripted->messages().isEmpty()) << "the status bar says it, no message box";

    // Back on the 33-note canvas everything lands, and the status bar has nothing to say.
    view.OnCommand(cmd::kPaste);
    view.PaintOffscreen();
    EXPECT_EQ(view.song().noteCount, 8);
    EXPECT_EQ(view.paneText(kPaneMessage), QString());
}

TEST_F(ViewEdit, CutRemovesTheSelectionAndPasteBringsItBackAtTheClick)
{
    rightClick(100, 62);
    QTest::mouseClick(surface(), Qt::LeftButton, {}, at(102, 64));
    view.OnCommand(cmd::kCut);
    view.PaintOffscreen();
    EXPECT_EQ(view.song().noteCount, 0);
    QTest::mouseClick(surface(), Qt::LeftButton, {}, at(300, 300));
    view.OnCommand(cmd::kPaste);
    view.PaintOffscreen();
    EXPECT_EQ(view.song().noteCount, 1);
    EXPECT_EQ(view.song().notes[0].left, 300);
}

TEST_F(ViewEdit, CommandsAreRefusedWhenUnavailable)
{
    EXPECT_FALSE(view.OnCommand(cmd::kDuplicate)) << "nothing selected";
    EXPECT_FALSE(view.OnCommand(cmd::kPaste)) << "clipboard empty";
    EXPECT_FALSE(view.OnCommand(cmd::kUndo));
}

TEST_F(ViewEdit, DuplicateQuantizeAndClearFromCommands)
{
    rightClick(35, 62);
    QTest::mouseClick(surface(), Qt::LeftButton, {}, at(37, 64));
    view.OnCommand(cmd::kQuantizeQuarter);
    EXPECT_EQ(view.song().notes[0].left, 24);
    EXPECT_TRUE(view.facts().snapQuarter);
    view.OnCommand(cmd::kDuplicate);
    view.PaintOffscreen();
    EXPECT_EQ(view.song().noteCount, 2);
    EXPECT_EQ(view.song().notes[1].left, 32);
    EXPECT_EQ(view.song().notes[1].selected, 1);
    view.OnCommand(cmd::kClear);
    view.PaintOffscreen();
    EXPECT_EQ(view.song().noteCount, 1);
    view.OnCommand(cmd::kSelectAll);
    EXPECT_EQ(view.song().selectedCount, 1);
}

TEST_F(ViewEdit, ShiftAfterDragReportsTheNotesPushedOff)
{
    rightClick(2304 - 38, 62);
    view.OnCommand(cmd::kShiftAfterDragMode);
    drag(at(500, 300), at(550, 300));
    EXPECT_EQ(scripted->messages(), QStringList{QStringLiteral("1 notes were pushed off the canvas.")})
        << "the English window says it in English";
    EXPECT_EQ(view.song().noteCount, 0);
}

} // namespace
} // namespace zembra
