// How presses, commands and arrow moves meet on the real canvas, and how many undo steps each
// combination takes.
#include "canvas/clip_format.h"
#include "canvas/kelp_view.h"
#include "canvas/note_clip.h"
#include "services/command_ids.h"

#include "scoped_scripted_prompts.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

#include <functional>
#include <gtest/gtest.h>

namespace zembra {
namespace {

// A canvas on screen and the gestures a person makes on it, in canvas points (no scrolling).
struct Canvas {
    Canvas()
    {
        QApplication::clipboard()->clear();
        view.resize(1000, 560);
        view.show();
        view.PaintOffscreen();
    }

    static QPoint at(int canvasX, int y) { return {canvasX + 20, y}; }
    QWidget* surface() { return view.viewport(); }
    SongState& song() { return view.song(); }
    int steps() const { return view.edits().undoRing().undoCounter(); }

    void rightClick(int x, int y)
    {
        QTest::mouseClick(surface(), Qt::RightButton, {}, at(x, y));
        view.PaintOffscreen();
    }
    void click(int x, int y)
    {
        QTest::mouseClick(surface(), Qt::LeftButton, {}, at(x, y));
        view.PaintOffscreen();
    }
    void press(int x, int y) { QTest::mousePress(surface(), Qt::LeftButton, {}, at(x, y)); }
    void moveTo(int x, int y) { QTest::mouseMove(surface(), at(x, y)); }
    void release(int x, int y)
    {
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, at(x, y));
        view.PaintOffscreen();
    }
    void drag(int fromX, int fromY, int toX, int toY)
    {
        press(fromX, fromY);
        moveTo(toX, toY);
        release(toX, toY);
    }
    void key(Qt::Key key)
    {
        QTest::keyClick(&view, key);
        view.PaintOffscreen();
    }
    void putOnClipboard(const NoteClip& clip)
    {
        const std::vector<std::uint8_t> bytes = EncodeClip(clip);
        auto* data = new QMimeData;
        data->setData(QLatin1String(kNoteClipMimeType),
                      QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
        QApplication::clipboard()->setMimeData(data);
    }

    ScopedScriptedPrompts scripted;
    CKelpView view;
};

TEST(ViewGesture, UndoAndRedoWaitForTheButtonToComeUp)
{
    Canvas c;
    c.rightClick(100, 200); // slot 0, top 194
    c.press(102, 198);
    c.moveTo(150, 258);
    EXPECT_TRUE(c.view.facts().buttonDown);
    EXPECT_FALSE(c.view.OnCommand(cmd::kUndo));
    c.view.edits().Undo();
    c.view.edits().Redo();
    EXPECT_TRUE(c.song().IsLive(0)) << "the note under the press is still there";
    c.release(150, 258);
    ASSERT_EQ(c.song().noteCount, 1);
    EXPECT_EQ(c.song().notes[0].left, 148) << "the drag moved the note that was pressed";
    EXPECT_EQ(c.song().notes[0].top, 254);
    EXPECT_FALSE(c.view.facts().buttonDown);
    EXPECT_TRUE(c.view.OnCommand(cmd::kUndo));
    c.view.PaintOffscreen();
    EXPECT_EQ(c.song().notes[0].left, 100);
}

TEST(ViewGesture, AReplacedSongEndsThePressOnTheOldOne)
{
    // New, and a file landing on the canvas: the record is refilled and the ring starts again.
    const std::pair<const char*, std::function<void(CKelpView&)>> replacements[] = {
        {"new song", [](CKelpView& view) { view.ResetSong(); }},
        {"file placed",
         [](CKelpView& view) {
             view.song().ResetSong();
             view.edits().RestartUndo();
         }},
    };
    for (const auto& [what, replace] : replacements) {
        Canvas c;
        c.rightClick(100, 200);
        c.press(102, 198);
        c.moveTo(150, 258);
        replace(c.view);
        c.release(150, 258);
        EXPECT_EQ(c.song().noteCount, 0) << what << ": the release must not move a slot of the old song";
        EXPECT_FALSE(c.view.edits().undoRing().canUndo()) << what;
    }
}

TEST(ViewGesture, ARightClickDuringALeftPressLeavesThatPress)
{
    Canvas c;
    c.rightClick(48, 200);
    c.view.OnCommand(cmd::kQuantizeQuarter); // no selection: only the snap mode goes on
    ASSERT_TRUE(c.view.facts().snapQuarter);
    const int before = c.steps();
    c.press(50, 198);
    c.moveTo(98, 198);
    c.rightClick(300, 300);
    EXPECT_TRUE(c.view.facts().buttonDown);
    c.release(98, 198);
    ASSERT_EQ(c.song().noteCount, 2);
    EXPECT_EQ(c.song().notes[0].left, 96) << "the left release still ends its drag";
    EXPECT_EQ(c.song().notes[1].left, 312) << "halfway between beats snaps to the later one";
    EXPECT_TRUE(c.view.facts().snapQuarter) << "a release that ends a press keeps the modes";
    EXPECT_EQ(c.steps(), before + 2) << "the new note, then the drag";
}

TEST(ViewGesture, AnArrowMoveAndTheNextClickAreTwoUndoSteps)
{
    Canvas c;
    c.rightClick(100, 200);
    c.click(102, 198);
    ASSERT_EQ(c.song().selectedCount, 1);
    for (int i = 0; i < 3; ++i) {
        c.key(Qt::Key_Right);
    }
    c.click(500, 300); // deselects
    EXPECT_EQ(c.song().selectedCount, 0);
    c.view.OnCommand(cmd::kUndo);
    EXPECT_EQ(c.song().notes[0].left, 103) << "the first undo takes back the click only";
    EXPECT_EQ(c.song().notes[0].selected, 1);
    c.view.OnCommand(cmd::kUndo);
    EXPECT_EQ(c.song().notes[0].left, 100);
}

TEST(ViewGesture, SnapshotRules)
{
    struct Case {
        const char* what;
        std::function<void(Canvas&)> prepare;
        std::function<void(Canvas&)> act;
        int steps;
    };
    const auto selectedNoteAt = [](int x) {
        return [x](Canvas& c) {
            c.rightClick(x, 200);
            c.click(x + 2, 198);
        };
    };
    const auto nothing = [](Canvas&) {};
    const Case cases[] = {
        {"quantize without a move", selectedNoteAt(48), [](Canvas& c) { c.view.OnCommand(cmd::kQuantizeQuarter); }, 0},
        {"quantize that moves", selectedNoteAt(50), [](Canvas& c) { c.view.OnCommand(cmd::kQuantizeQuarter); }, 1},
        {"quantize with no selection", nothing, [](Canvas& c) { c.view.OnCommand(cmd::kQuantize8th); }, 0},
        {"clear without a change", nothing, [](Canvas& c) { c.view.edits().ClearSelection(); }, 0},
        {"clear of a selection", selectedNoteAt(48), [](Canvas& c) { c.view.OnCommand(cmd::kClear); }, 1},
        {"paste with nothing on the clipboard", nothing, [](Canvas& c) { c.view.edits().Paste(); }, 0},
        {"paste of a block of no notes", [](Canvas& c) { c.putOnClipboard({}); },
         [](Canvas& c) { c.view.edits().Paste(); }, 1},
        {"arrow moves then Enter", selectedNoteAt(100),
         [](Canvas& c) {
             c.key(Qt::Key_Right);
             c.key(Qt::Key_Right);
             c.key(Qt::Key_Return);
         },
         1},
        {"arrow move then a click on the note", selectedNoteAt(100),
         [](Canvas& c) {
             c.key(Qt::Key_Up);
             c.click(102, 186);
         },
         2},
        {"arrow move then a drag", selectedNoteAt(100),
         [](Canvas& c) {
             c.key(Qt::Key_Right);
             c.drag(103, 198, 153, 198);
         },
         2},
        {"arrow move then a band that keeps the selection", selectedNoteAt(100),
         [](Canvas& c) {
             c.key(Qt::Key_Right);
             c.drag(90, 190, 130, 210);
         },
         1},
        {"arrow move then a release without a press", selectedNoteAt(100),
         [](Canvas& c) {
             c.key(Qt::Key_Right);
             c.release(400, 300);
         },
         1},
        {"arrow move then duplicate", selectedNoteAt(100),
         [](Canvas& c) {
             c.key(Qt::Key_Right);
             c.view.OnCommand(cmd::kDuplicate);
             c.click(600, 300);
         },
         3},
    };
    for (const Case& test : cases) {
        Canvas c;
        test.prepare(c);
        const int before = c.steps();
        test.act(c);
        EXPECT_EQ(c.steps() - before, test.steps) << test.what;
    }
}

} // namespace
} // namespace zembra
