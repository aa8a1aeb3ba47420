// The window follows the song's box: File > Box... with boxes of one's own of 15, 30 and 48
// notes, the band, the row names and the window's height each gives, a refused box file, and a
// restart that begins on the kept box.
#include "app/document_view_link.h"
#include "app/kelp_app.h"
#include "app/main_frame.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"
#include "midi/midi_toolkit.h"
#include "model/music_box.h"
#include "playback_fixture.h"
#include "scoped_scripted_prompts.h"
#include "services/command_ids.h"
#include "services/own_box_store.h"
#include "services/settings.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLayout>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zembra {
namespace {

using Kind = ScriptedPrompts::Asked::Kind;

std::vector<int> chromatic(int from, int count)
{
    std::vector<int> notes;
    for (int i = 0; i < count; ++i) {
        notes.push_back(from + i);
    }
    return notes;
}

// A box file as a user writes one.
QByteArray boxJson(const std::string& name, const std::vector<int>& notes, double stripWidthMm, double rowPitchMm,
                   double holeMm)
{
    std::string list;
    for (int note : notes) {
        list += (list.empty() ? "" : ", ") + std::to_string(note);
    }
    return QByteArray::fromStdString("{\"name\": \"" + name + "\", \"notes\": [" + list +
                                     "], \"stripWidthMm\": " + std::to_string(stripWidthMm) +
                                     ", \"firstRowMm\": 6, \"rowPitchMm\": " + std::to_string(rowPitchMm) +
                                     ", \"holeMm\": " + std::to_string(holeMm) +
                                     ", \"shortestRepeatMm\": 8, \"paperPerTurnMm\": 6}");
}

struct OwnBox {
    const char* name;
    std::vector<int> notes;
    double stripWidthMm, rowPitchMm, holeMm;
    QByteArray json() const { return boxJson(name, notes, stripWidthMm, rowPitchMm, holeMm); }
    int rows() const { return static_cast<int>(notes.size()); }
};

const OwnBox kFifteen{"Fifteen of mine", {60, 62, 64, 65, 67, 69, 71, 72, 74, 76, 77, 79, 81, 83, 84}, 41, 2, 1.8};
const OwnBox kThirty{"Thirty of mine", FindBuiltInBox("30F")->notes, 70, 2, 1.8};
const OwnBox kFortyEight{"Forty-eight of mine", chromatic(36, 48), 100, 1.8, 1.6};

// The kept box and the remembered choice belong to one test.
void forgetChosenBoxes()
{
    QSettings().clear();
    QFile::remove(OwnBoxPath());
}

// The main window over a toolkit on the manual clock, with scripted prompts and a folder for
// box files; 600 pixels high, as high as the offscreen screen.
class Window {
public:
    Window()
        : time(std::make_shared<ManualTimeSource>())
        , toolkit(ToolkitOptions::manual(time))
        , installer(&toolkit)
        , view(new CKelpView)
        , frame(std::make_unique<CMainFrame>(&doc, view))
    {
        forgetChosenBoxes();
        LinkDocumentAndView(doc, *view);
        doc.NewSong();
        frame->resize(900, 600);
        frame->show();
        settle();
    }
    ~Window()
    {
        frame.reset();
        forgetChosenBoxes();
    }

    void settle()
    {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            frame->layout()->activate();
        }
        view->PaintOffscreen();
    }
    QString write(const char* name, const QByteArray& text)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }
    // File > Box... as the menu item runs it, the file chooser answering `path`.
    void chooseBox(const QString& path)
    {
        scripted->pushFileName(path);
        frame->action(cmd::kBoxFile)->trigger();
        settle();
    }
    QImage shot() { return view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    ScopedScriptedPrompts scripted;
    std::shared_ptr<ManualTimeSource> time;
    MidiToolkit toolkit;
    SharedToolkit installer;
    QTemporaryDir dir;
    CKelpDoc doc;
    CKelpView* view;
    std::unique_ptr<CMainFrame> frame;
};

// What the canvas shows of the song's rows in `shot`, scrolled down by `scrollY`: a name beside
// each row in the margin, the lower line of each C row in the C-row colour and of every other row
// in the row colour, and the key of the transposition just below the band.
void expectRows(const QImage& shot, const SongState& song, int scrollY)
{
    const QRgb background = shot.pixel(1, 1);
    constexpr int kBetweenBeats = 20 + 24 * 3 + 10; // client x off every beat and bar line
    const int bottomLine = song.bandBottom() - scrollY;
    QRgb cLine = 0;
    QRgb rowLine = 0;
    for (int r = 0; r < song.rowCount; ++r) {
        SCOPED_TRACE("row " + std::to_string(r));
        const int top = song.bandTopOfRow(r) - scrollY;
        if (top < 0 || top + song.rowHeight >= shot.height()) {
            continue;
        }
        bool named = false;
        for (int y = top + 1; y < top + song.rowHeight; ++y) {
            for (int x = 0; x < 20; ++x) {
                named = named || shot.pixel(x, y) != background;
            }
        }
        EXPECT_TRUE(named) << "a name beside the row";
        const QRgb line = shot.pixel(kBetweenBeats, top + song.rowHeight);
        EXPECT_NE(line, background);
        QRgb& expected = song.rows[r].isC ? cLine : rowLine;
        if (expected == 0) {
            expected = line;
        }
        EXPECT_EQ(line, expected) << (song.rows[r].isC ? "a C row" : "a row");
    }
    EXPECT_NE(cLine, rowLine);
    if (bottomLine + 20 < shot.height()) {
        bool keyShown = false;
        for (int y = bottomLine + 5; y < bottomLine + 20; ++y) {
            for (int x = 5; x < 70; ++x) {
                keyShown = keyShown || shot.pixel(x, y) != background;
            }
        }
        EXPECT_TRUE(keyShown) << "the key of the transposition under the lowest row";
        EXPECT_EQ(shot.pixel(kBetweenBeats, bottomLine + 1), background) << "nothing of the band below its last line";
    }
}

TEST(BoxWindow, EachOwnBoxGivesItsBandRowNamesAndWindowHeight)
{
    Window w;
    const int height33 = w.frame->height();
    const int chrome = height33 - w.view->viewport()->height();
    const QImage shot33 = w.shot();
    expectRows(shot33, w.view->song(), 0);

    // 15 rows: the window is shorter by the 18 rows it no longer shows, and still holds the band.
    w.chooseBox(w.write("fifteen.json", kFifteen.json()));
    const SongState& song = w.view->song();
    ASSERT_EQ(song.rowCount, 15);
    EXPECT_EQ(song.box.name, kFifteen.name);
    EXPECT_EQ(song.bandBottom(), 50 + 15 * 12);
    EXPECT_EQ(w.frame->height(), height33 - 18 * 12);
    EXPECT_EQ(w.frame->height() - w.view->viewport()->height(), chrome);
    EXPECT_GT(w.view->viewport()->height(), song.bandBottom());
    EXPECT_FALSE(w.view->verticalScrollBar()->isVisible());
    expectRows(w.shot(), song, 0);
    EXPECT_EQ(QString::fromUtf8(song.rows[0].name.view()), QStringLiteral("C"));
    EXPECT_EQ(QString::fromUtf8(song.rows[14].name.view()), QStringLiteral("C"));
    // A new song keeps working on the box of the song that was open.
    w.view->edits().setModified(false);
    w.doc.NewSong();
    w.settle();
    EXPECT_EQ(song.rowCount, 15);
    EXPECT_EQ(w.frame->height(), height33 - 18 * 12);

    // 30 rows: taller again by the 15 rows more.
    w.chooseBox(w.write("thirty.json", kThirty.json()));
    ASSERT_EQ(song.rowCount, 30);
    EXPECT_EQ(w.frame->height(), height33 - 3 * 12);
    EXPECT_FALSE(w.view->verticalScrollBar()->isVisible());
    expectRows(w.shot(), song, 0);
    EXPECT_EQ(QString::fromUtf8(song.rows[0].name.view()), QStringLiteral("F"));
    EXPECT_EQ(QString::fromUtf8(song.rows[8].name.view()), QStringLiteral("Bb"));

    // 48 rows: taller by 18 rows more, as far as the screen allows.
    w.chooseBox(w.write("forty-eight.json", kFortyEight.json()));
    ASSERT_EQ(song.rowCount, 48);
    const int height48 = w.frame->height();
    EXPECT_EQ(height48, height33 + 15 * 12);
    EXPECT_LE(w.frame->frameGeometry().height(), w.frame->screen()->availableGeometry().height());
    EXPECT_GT(w.view->viewport()->height(), song.bandBottom());
    EXPECT_FALSE(w.view->verticalScrollBar()->isVisible());
    expectRows(w.shot(), song, 0);

    // Undo takes the switch back, and the window with it; redo brings both again.
    w.view->edits().Undo();
    w.settle();
    EXPECT_EQ(song.rowCount, 30);
    EXPECT_EQ(w.frame->height(), height33 - 3 * 12);
    w.view->edits().Redo();
    w.settle();
    EXPECT_EQ(song.rowCount, 48);
    EXPECT_EQ(w.frame->height(), height48);

    // The user makes the window shorter than the rows: the canvas scrolls down to the last row.
    w.frame->resize(900, 500);
    w.settle();
    QScrollBar* down = w.view->verticalScrollBar();
    const int clientHeight = w.view->viewport()->height();
    ASSERT_LT(clientHeight, song.bandBottom());
    EXPECT_TRUE(down->isVisible());
    EXPECT_EQ(down->maximum(), song.bandBottom() + 40 - clientHeight) << "down to the author line";
    expectRows(w.shot(), song, 0);
    down->setValue(down->maximum());
    w.settle();
    EXPECT_EQ(w.view->scrollY(), down->maximum());
    expectRows(w.shot(), song, down->maximum());

    // A note made on the lowest row while scrolled down lands there.
    const QPoint lowest(20 + 100, song.bandTopOfRow(0) + 6 - w.view->scrollY());
    QTest::mouseClick(w.view->viewport(), Qt::RightButton, {}, lowest);
    w.settle();
    ASSERT_EQ(song.noteCount, 1);
    EXPECT_EQ(song.RowOf(0), 0);
    EXPECT_EQ(song.notes[0].pitch, 36);

    // Taller again: the rows fit and the canvas no longer scrolls.
    w.frame->resize(900, height48);
    w.settle();
    EXPECT_EQ(w.view->scrollY(), 0);
    EXPECT_FALSE(w.view->verticalScrollBar()->isVisible());
    expectRows(w.shot(), song, 0);
}

TEST(BoxWindow, ASwitchThatMovesNotesAsksWithTheCountsAndIsOneUndoStep)
{
    Window w;
    SongState& song = w.view->song();
    // C4 and E5 stay, A6 folds an octave down onto A5, Eb4 has no row in any octave and goes.
    for (int pitch : {60, 63, 76, 93}) {
        const int slot = song.AllocateNote(100 + 50 * song.noteCount, song.bandTopOfRow(song.RowForPitch(pitch)));
        ASSERT_GE(slot, 0);
        song.NormaliseNote(slot);
        ++song.noteCount;
    }
    w.view->edits().Snapshot();
    w.settle();
    const QString path = w.write("fifteen.json", kFifteen.json());

    w.scripted->pushAnswer(Prompts::Answer::No);
    w.chooseBox(path);
    ASSERT_EQ(w.scripted->asked().back().kind, Kind::Question);
    EXPECT_EQ(w.scripted->asked().back().text,
              QStringLiteral("The song moves onto the box \"Fifteen of mine\".\n"
                             "Notes that stay on the row of their pitch: 2\n"
                             "Notes moved by octaves: 1\n"
                             "Notes removed: 1\n"
                             "Do you want to change the box?"));
    EXPECT_EQ(song.rowCount, 33) << "No: the song stays on its box";
    EXPECT_EQ(song.noteCount, 4);
    EXPECT_TRUE(StoredOwnBox()) << "the good file is kept all the same";

    w.scripted->pushAnswer(Prompts::Answer::Yes);
    w.chooseBox(path);
    EXPECT_EQ(song.rowCount, 15);
    EXPECT_EQ(song.noteCount, 3);
    EXPECT_EQ(settings::LastBoxId(), QStringLiteral("own"));
    w.view->edits().Undo();
    w.settle();
    EXPECT_EQ(song.rowCount, 33) << "one undo step takes the whole switch back";
    EXPECT_EQ(song.noteCount, 4);
}

TEST(BoxWindow, ARefusedBoxFileIsNamedWithItsFieldAndChangesNothing)
{
    Window w;
    const QString good = w.write("fifteen.json", kFifteen.json());
    w.chooseBox(good);
    ASSERT_EQ(w.view->song().rowCount, 15);
    const int height = w.frame->height();
    const int undoBefore = w.view->edits().undoRing().undoCounter();

    OwnBox wide = kThirty;
    wide.holeMm = 2.5; // wider than the rows are apart
    const QString bad = w.write("wide holes.json", wide.json());
    w.scripted->clear();
    w.chooseBox(bad);
    ASSERT_EQ(w.scripted->asked().size(), 2u);
    EXPECT_EQ(w.scripted->asked().front().kind, Kind::OpenFile);
    const auto& asked = w.scripted->asked().back();
    EXPECT_EQ(asked.kind, Kind::Message);
    EXPECT_TRUE(asked.text.contains(bad)) << asked.text.toStdString();
    EXPECT_TRUE(asked.text.contains(QStringLiteral("\"holeMm\""))) << asked.text.toStdString();

    const SongState& song = w.view->song();
    EXPECT_EQ(song.rowCount, 15);
    EXPECT_EQ(song.box.name, kFifteen.name);
    EXPECT_EQ(w.view->edits().undoRing().undoCounter(), undoBefore) << "no undo step";
    EXPECT_EQ(w.frame->height(), height);
    ASSERT_TRUE(StoredOwnBox());
    EXPECT_EQ(StoredOwnBox()->name, kFifteen.name) << "the kept box stays";

    w.scripted->clear();
    w.chooseBox(w.dir.filePath(QStringLiteral("missing.json")));
    ASSERT_EQ(w.scripted->asked().size(), 2u);
    EXPECT_TRUE(w.scripted->asked().back().text.contains(QStringLiteral("missing.json")));
    EXPECT_EQ(song.rowCount, 15);
}

TEST(BoxWindow, TheProgramRestartsOnTheKeptBox)
{
    forgetChosenBoxes();
    ScopedScriptedPrompts scripted;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fifteen.json"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kFifteen.json());
    }
    int height33 = 0;
    {
        KelpApp app;
        ASSERT_TRUE(app.InitInstance({}));
        EXPECT_EQ(app.view()->song().rowCount, 33) << "a first start is on the 33-note box";
        height33 = app.frame()->height();
        scripted->pushFileName(path);
        app.frame()->action(cmd::kBoxFile)->trigger();
        EXPECT_EQ(app.view()->song().rowCount, 15);
    }
    ASSERT_TRUE(QFile::remove(path)) << "the box now lives in the data folder only";
    {
        KelpApp app;
        ASSERT_TRUE(app.InitInstance({}));
        QApplication::processEvents();
        const SongState& song = app.view()->song();
        EXPECT_EQ(song.box.id, "own");
        EXPECT_EQ(song.box.name, kFifteen.name);
        EXPECT_EQ(song.rowCount, 15);
        EXPECT_LT(app.frame()->height(), height33);
        app.frame()->layout()->activate();
        EXPECT_GT(app.view()->viewport()->height(), song.bandBottom()) << "the window holds the band";
        EXPECT_EQ(app.view()->verticalScrollBar()->maximum(), 0);
    }
    forgetChosenBoxes();
}

} // namespace
} // namespace zembra
