// Every action of the main window, triggered as a person would, does what its command says; and
// a command that fails half-way leaves the song as it was and the program running.
#include "app/document_view_link.h"
#include "app/context_help_mode.h"
#include "app/help_window.h"
#include "app/main_frame.h"
#include "canvas/kelp_view.h"
#include "midi/midi_file.h"
#include "midi/midi_toolkit.h"
#include "playback_fixture.h"
#include "scoped_scripted_prompts.h"
#include "document/kelp_doc.h"
#include "text/string_ids.h"
#include "services/command_ids.h"
#include "services/qt_text.h"
#include "services/prompts.h"
#include "services/save_confirm_dialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <new>
#include <set>

namespace zembra {
namespace {

using namespace cmd;
using Kind = ScriptedPrompts::Asked::Kind;

// A main window over a toolkit on the manual clock, with scripted prompts and a folder of its own.
class Bench {
public:
    Bench()
        : time(std::make_shared<ManualTimeSource>())
        , toolkit(ToolkitOptions::manual(time))
        , installer(&toolkit)
        , view(new CKelpView)
        , frame(std::make_unique<CMainFrame>(&doc, view))
    {
        QSettings().clear();
        QApplication::clipboard()->clear();
        LinkDocumentAndView(doc, *view);
        doc.NewSong();
        frame->resize(900, 700);
        frame->show();
        view->PaintOffscreen();
    }
    ~Bench()
    {
        if (view->playing()) {
            view->playback().Stop();
        }
        frame.reset();
    }

    // A note made with the right button, as the user makes one.
    void rightClick(int canvasX, int y)
    {
        QTest::mouseClick(view->viewport(), Qt::RightButton, {}, QPoint(canvasX + 20 - view->scrollX(), y));
        view->PaintOffscreen();
    }
    void selectAll()
    {
        view->song().SelectAll();
        view->PaintOffscreen();
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    std::vector<Kind> kinds()
    {
        std::vector<Kind> found;
        for (const auto& asked : scripted->asked()) {
            found.push_back(asked.kind);
        }
        return found;
    }
    QByteArray contents(const QString& file) const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    ScopedScriptedPrompts scripted;
    std::shared_ptr<ManualTimeSource> time;
    MidiToolkit toolkit;
    SharedToolkit installer;
    QTemporaryDir dir;
    CKelpDoc doc;
    CKelpView* view;
    std::unique_ptr<CMainFrame> frame;
    QByteArray saved;
};

struct Case {
    int id;
    const char* what;
    std::function<void(Bench&)> arrange;
    // Called after the trigger; an empty check means the command must be unavailable.
    std::function<void(Bench&)> check;
};

HelpWindow* helpWindow(Bench& b)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* help = qobject_cast<HelpWindow*>(widget); help && help->isVisible()) {
            return help;
        }
    }
    (void)b;
    return nullptr;
}

QString helpFragment(Bench& b)
{
    HelpWindow* help = helpWindow(b);
    return help ? help->findChild<QTextBrowser*>()->source().fragment() : QStringLiteral("<no help window>");
}

void arrangeHelp(Bench& b)
{
    const QString page = b.path("help.html");
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><a name=\"context-1e145\">here</a></body></html>");
    file.close();
    b.frame->setHelpFile(page);
}

void arrangeCanvasFocus(Bench& b)
{
    QApplication::setActiveWindow(b.frame.get());
    b.view->setFocus();
}

void closeHelp(Bench& b)
{
    if (HelpWindow* help = helpWindow(b)) {
        help->close();
    }
}

// An own file on disk, then one more note: Save writes it without asking.
void arrangeOwnFile(Bench& b)
{
    b.rightClick(40, 200);
    b.scripted->pushFileName(b.path("own.mid"));
    ASSERT_EQ(b.doc.SaveSong(QString()), CKelpDoc::SaveOutcome::Saved);
    b.saved = b.contents(b.path("own.mid"));
    b.rightClick(80, 200);
    b.scripted->clear();
}

void arrangeNoteAt35(Bench& b)
{
    b.rightClick(35, 200);
    b.selectAll();
}

void arrangeTwoNotes(Bench& b)
{
    b.rightClick(40, 200);
    b.rightClick(120, 260);
}

// Two notes of one row 10 pixels apart, under the check: at 50 mm a bar they need 16.
void arrangeCloseNotes(Bench& b)
{
    b.rightClick(40, 200);
    b.rightClick(50, 200);
    b.view->OnCommand(kDistanceCheck);
    b.view->PaintOffscreen();
    b.scripted->clear();
}

// Notes that are already saved or that nobody minds losing: no save question comes first.
void arrangeUnmodifiedNotes(Bench& b)
{
    arrangeTwoNotes(b);
    b.view->edits().setModified(false);
}

// A file imported as it is; the choices of Arrange again are confirmed as they open.
void arrangeImportedFile(Bench& b)
{
    b.scripted->pushDialog(ScriptedPrompts::Press("ok"));
    b.doc.OpenNamedSong(QString::fromLatin1(ZEMBRA_TEST_DATA "/midi/comb-fit-voices.mid"));
    ASSERT_GT(b.view->song().noteCount, 0);
    b.scripted->clear();
    b.scripted->pushDialog(ScriptedPrompts::Press("ok"));
}

void arrangePlaying(Bench& b)
{
    b.rightClick(40, 200);
    b.view->playback().Play();
    ASSERT_TRUE(b.view->playing());
}

const std::vector<Case>& cases()
{
    static const std::vector<Case> table = {
        {kFileNew, "new song", arrangeUnmodifiedNotes,
         [](Bench& b) {
             EXPECT_EQ(b.view->song().noteCount, 0);
             EXPECT_TRUE(b.kinds().empty()) << "nothing to lose: no question, and no file chooser";
         }},
        {kFileOpen, "open asks for a song file", arrangeUnmodifiedNotes,
         [](Bench& b) {
             EXPECT_EQ(b.kinds(), std::vector<Kind>{Kind::OpenFile});
             EXPECT_EQ(b.view->song().noteCount, 2);
         }},
        {kFileSave, "save writes the own file silently", arrangeOwnFile,
         [](Bench& b) {
             EXPECT_TRUE(b.kinds().empty());
             EXPECT_NE(b.contents(b.path("own.mid")), b.saved);
             EXPECT_FALSE(b.view->modified());
         }},
        {kFileSaveAs, "save as asks for a song name", arrangeOwnFile,
         [](Bench& b) {
             ASSERT_EQ(b.kinds(), std::vector<Kind>{Kind::SaveFile});
             EXPECT_EQ(b.scripted->asked()[0].defaultSuffix, QStringLiteral("mid"));
             EXPECT_EQ(b.contents(b.path("own.mid")), b.saved);
         }},
        {kExportAudio, "export asks for a WAV name", arrangeTwoNotes,
         [](Bench& b) {
             ASSERT_EQ(b.kinds(), std::vector<Kind>{Kind::SaveFile});
             EXPECT_EQ(b.scripted->asked()[0].defaultSuffix, QStringLiteral("wav"));
         }},
        {kOpenImage, "open image loads a picture",
         [](Bench& b) {
             QImage image(8, 4, QImage::Format_RGB32);
             image.fill(Qt::blue);
             ASSERT_TRUE(image.save(b.path("card.bmp"), "BMP"));
             b.scripted->pushFileName(b.path("card.bmp"));
         },
         [](Bench& b) {
             ASSERT_NE(b.doc.background(), nullptr);
             EXPECT_EQ(b.doc.background()->size(), QSize(8, 4));
         }},
        {kPrintSetup, "print setup shows the page set-up dialog", nullptr,
         [](Bench& b) {
             ASSERT_EQ(b.kinds(), std::vector<Kind>{Kind::Dialog});
             EXPECT_EQ(b.scripted->asked()[0].dialogClass, QStringLiteral("QPageSetupDialog"));
         }},
        {kPrintPreview, "preview shows the card's pages", arrangeTwoNotes,
         [](Bench& b) {
             ASSERT_EQ(b.kinds(), std::vector<Kind>{Kind::Dialog});
             EXPECT_EQ(b.scripted->asked()[0].dialogClass, QStringLiteral("QPrintPreviewDialog"));
             EXPECT_FALSE(b.frame->printPreviewShown());
         }},
        {kPrint, "print shows the print settings first", arrangeTwoNotes,
         [](Bench& b) {
             ASSERT_EQ(b.kinds(), std::vector<Kind>{Kind::Dialog});
             EXPECT_EQ(b.scripted->asked()[0].dialogClass, QStringLiteral("zembra::CCardPrintDialog"));
         }},
        {kExportCardPdf, "card export asks for a PDF name", arrangeTwoNotes,
         [](Bench& b) {
             ASSERT_EQ(b.kinds(), std::vector<Kind>{Kind::SaveFile});
             EXPECT_EQ(b.scripted->asked()[0].defaultSuffix, QStringLiteral("pdf"));
         }},
        {kExportCardCutter, "cutter export asks how to cut first", arrangeTwoNotes,
         [](Bench& b) {
             ASSERT_EQ(b.kinds(), std::vector<Kind>{Kind::Dialog});
             EXPECT_EQ(b.scripted->asked()[0].dialogClass, QStringLiteral("zembra::CutterExportDialog"));
         }},
        {kPrintCalibration, "the calibration strip asks for the printer first", nullptr,
         [](Bench& b) {
             ASSERT_EQ(b.kinds(), std::vector<Kind>{Kind::Dialog});
             EXPECT_EQ(b.scripted->asked()[0].dialogClass, QStringLiteral("QPrintDialog"));
         }},
        {kCalibrationLengths, "the measured lengths are taken for the printer of the printer settings", nullptr,
         [](Bench& b) {
             // Without a printer the output is PDF, which is exact and has nothing to calibrate.
             if (QPrinterInfo::availablePrinterNames().isEmpty()) {
                 ASSERT_EQ(b.kinds(), std::vector<Kind>{Kind::Message});
                 EXPECT_EQ(b.scripted->asked()[0].text, TextOf(str::kCalibrationNoPrinter));
             } else {
                 ASSERT_EQ(b.kinds(), std::vector<Kind>{Kind::Dialog});
                 EXPECT_EQ(b.scripted->asked()[0].dialogClass, QStringLiteral("zembra::CalibrationDialog"));
             }
         }},
        {kBoxFile, "box asks for a box file; cancelled, the song keeps its box", nullptr,
         [](Bench& b) {
             ASSERT_EQ(b.kinds(), std::vector<Kind>{Kind::OpenFile});
             EXPECT_EQ(b.view->song().box.id, "33");
         }},
        {kCrank, "crank turns the card by hand: the wheel moves it, the item again ends it", arrangeTwoNotes,
         [](Bench& b) {
             ASSERT_TRUE(b.view->crank().active());
             EXPECT_TRUE(b.frame->action(kCrank)->isChecked());
             EXPECT_TRUE(b.frame->action(kStop)->isEnabled());
             EXPECT_FALSE(b.frame->action(kPlay)->isEnabled());
             QWheelEvent notch(QPointF(300, 200), QPointF(300, 200), QPoint(), QPoint(0, -120), Qt::NoButton,
                               Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(b.view->viewport(), &notch);
             EXPECT_GT(b.view->crank().position(), 0);
             b.frame->action(kCrank)->trigger();
             EXPECT_FALSE(b.view->crank().active());
             EXPECT_FALSE(b.frame->action(kCrank)->isChecked());
         }},
        {kExit, "exit closes the window", nullptr, [](Bench& b) { EXPECT_FALSE(b.frame->isVisible()); }},
        {kUndo, "undo takes the last note back", arrangeTwoNotes,
         [](Bench& b) {
             b.view->PaintOffscreen();
             EXPECT_EQ(b.view->song().noteCount, 1);
         }},
        {kRedo, "redo puts it back",
         [](Bench& b) {
             arrangeTwoNotes(b);
             b.view->edits().Undo();
             b.view->PaintOffscreen();
         },
         [](Bench& b) {
             b.view->PaintOffscreen();
             EXPECT_EQ(b.view->song().noteCount, 2);
         }},
        {kCut, "cut removes and copies",
         [](Bench& b) {
             arrangeTwoNotes(b);
             b.selectAll();
         },
         [](Bench& b) {
             b.view->PaintOffscreen();
             EXPECT_EQ(b.view->song().noteCount, 0);
             EXPECT_TRUE(b.view->facts().clipboardHasNotes);
         }},
        {kCopy, "copy keeps the notes",
         [](Bench& b) {
             arrangeTwoNotes(b);
             b.selectAll();
         },
         [](Bench& b) {
             EXPECT_EQ(b.view->song().noteCount, 2);
             EXPECT_TRUE(b.view->facts().clipboardHasNotes);
         }},
        {kPaste, "paste adds the copied notes",
         [](Bench& b) {
             arrangeTwoNotes(b);
             b.selectAll();
             ASSERT_TRUE(b.view->edits().CopySelection());
         },
         [](Bench& b) {
             b.view->PaintOffscreen();
             EXPECT_EQ(b.view->song().noteCount, 4);
         }},
        {kSelectAll, "select all", arrangeTwoNotes,
         [](Bench& b) { EXPECT_EQ(b.view->song().selectedCount, 2); }},
        {kClear, "clear deletes without copying",
         [](Bench& b) {
             arrangeTwoNotes(b);
             b.selectAll();
         },
         [](Bench& b) {
             b.view->PaintOffscreen();
             EXPECT_EQ(b.view->song().noteCount, 0);
             EXPECT_FALSE(b.view->facts().clipboardHasNotes);
         }},
        {kDuplicate, "duplicate copies one note width on", arrangeNoteAt35,
         [](Bench& b) {
             b.view->PaintOffscreen();
             EXPECT_EQ(b.view->song().noteCount, 2);
             EXPECT_EQ(b.view->song().notes[1].left, 43);
         }},
        {kQuantizeQuarter, "quarter grid", arrangeNoteAt35,
         [](Bench& b) {
             EXPECT_EQ(b.view->song().notes[0].left, 24);
             EXPECT_TRUE(b.view->song().snapQuarter);
         }},
        {kQuantize8th, "8th grid", arrangeNoteAt35,
         [](Bench& b) {
             EXPECT_EQ(b.view->song().notes[0].left, 36);
             EXPECT_TRUE(b.view->song().snap8th);
             EXPECT_FALSE(b.view->song().snap16th);
         }},
        {kQuantize16th, "16th grid", arrangeNoteAt35,
         [](Bench& b) {
             EXPECT_EQ(b.view->song().notes[0].left, 36);
             EXPECT_TRUE(b.view->song().snap16th);
             EXPECT_FALSE(b.view->song().snap8th);
         }},
        {kRecording, "recording starts with the count-in", nullptr,
         [](Bench& b) {
             EXPECT_TRUE(b.view->recording());
             EXPECT_TRUE(b.view->playing());
             b.view->playback().Stop();
         }},
        {kDistanceCheck, "check distance shades close notes", arrangeTwoNotes,
         [](Bench& b) {
             EXPECT_EQ(b.view->song().distanceCheckMode, 1);
             EXPECT_TRUE(b.frame->action(kDistanceCheck)->isChecked());
         }},
        {kMendCloseHoles, "mend moves the later of two close notes up an octave and says so", arrangeCloseNotes,
         [](Bench& b) {
             ASSERT_EQ(b.kinds(), std::vector<Kind>{Kind::Message});
             EXPECT_EQ(b.scripted->asked()[0].text, QStringLiteral("1 notes moved by octaves, 0 notes removed."));
             const SongState& song = b.view->song();
             EXPECT_EQ(song.notes[1].top, song.notes[0].top - 12 * 12) << "twelve rows up: an octave";
             EXPECT_EQ(song.selectedCount, 1);
             EXPECT_FALSE(b.frame->action(kMendCloseHoles)->isEnabled()) << "nothing is flagged any more";
         }},
        {kArrangeAgain, "arrange again asks for its choices, arranges as one undo step and lists the changes",
         arrangeImportedFile,
         [](Bench& b) {
             ASSERT_EQ(b.kinds(), (std::vector<Kind>{Kind::Dialog, Kind::Dialog}));
             EXPECT_EQ(b.scripted->asked()[0].dialogClass, QStringLiteral("zembra::ArrangeAgainDialog"));
             EXPECT_EQ(b.scripted->asked()[1].dialogClass, QStringLiteral("zembra::ArrangeChangesDialog"));
             EXPECT_GT(b.view->song().noteCount, 0);
             b.frame->action(kUndo)->trigger();
             EXPECT_FALSE(b.frame->action(kUndo)->isEnabled()) << "one step back to the import";
         }},
        {kSettings, "settings open the canvas settings dialog", nullptr,
         [](Bench& b) {
             ASSERT_EQ(b.kinds(), std::vector<Kind>{Kind::Dialog});
             EXPECT_EQ(b.scripted->asked()[0].dialogClass, QStringLiteral("zembra::CanvasSettingsDialog"));
             EXPECT_EQ(b.view->song().barCount, 24) << "rejected: nothing changes";
         }},
        {kToggleSelectMode, "toggle-select mode", nullptr,
         [](Bench& b) {
             EXPECT_TRUE(b.view->song().toggleSelectMode);
             EXPECT_FALSE(b.view->song().zoomMode);
         }},
        {kZoomMode, "zoom mode", nullptr,
         [](Bench& b) {
             EXPECT_TRUE(b.view->song().zoomMode);
             EXPECT_FALSE(b.view->song().toggleSelectMode);
         }},
        {kShiftAfterDragMode, "shift-after-drag mode", nullptr,
         [](Bench& b) {
             EXPECT_TRUE(b.view->song().shiftAfterDragMode);
             EXPECT_FALSE(b.view->song().zoomMode);
         }},
        {kPlay, "play", arrangeTwoNotes, [](Bench& b) { EXPECT_TRUE(b.view->playing()); }},
        {kStop, "stop", arrangePlaying, [](Bench& b) { EXPECT_FALSE(b.view->playing()); }},
        {kSetTempo, "tempo dialog while playing", arrangePlaying,
         [](Bench& b) {
             ASSERT_EQ(b.kinds(), std::vector<Kind>{Kind::Dialog});
             EXPECT_EQ(b.scripted->asked()[0].dialogClass, QStringLiteral("zembra::TempoDialog"));
         }},
        {kTempoLock, "never available", nullptr, nullptr},
        {kHelp, "help opens the page at its top", arrangeHelp,
         [](Bench& b) {
             EXPECT_EQ(helpFragment(b), QString());
             closeHelp(b);
         }},
        {kContextHelp, "context help opens the page at the context of the next click", arrangeHelp,
         [](Bench& b) {
             ASSERT_TRUE(b.frame->contextHelp().active());
             QWidget* button = nullptr;
             for (QAction* act : b.frame->mainToolBar()->actions()) {
                 if (act->data().toInt() == kContextHelp) {
                     button = b.frame->mainToolBar()->widgetForAction(act);
                 }
             }
             ASSERT_NE(button, nullptr);
             QTest::mouseClick(button, Qt::LeftButton);
             EXPECT_EQ(helpFragment(b), QStringLiteral("context-1e145"));
             EXPECT_FALSE(b.frame->contextHelp().active());
             closeHelp(b);
         }},
        {kAbout, "about box", nullptr,
         [](Bench& b) {
             ASSERT_EQ(b.kinds(), std::vector<Kind>{Kind::Dialog});
             EXPECT_EQ(b.scripted->asked()[0].dialogClass, QStringLiteral("zembra::AboutDialog"));
         }},
        {kNextPane, "the focus moves from the canvas to the main toolbar", arrangeCanvasFocus,
         [](Bench& b) { EXPECT_TRUE(b.frame->mainToolBar()->isAncestorOf(QApplication::focusWidget())); }},
        {kPreviousPane, "the focus moves from the canvas back to the canvas toolbar", arrangeCanvasFocus,
         [](Bench& b) { EXPECT_TRUE(b.frame->canvasToolBar()->isAncestorOf(QApplication::focusWidget())); }},
    };
    return table;
}

TEST(FrameActions, EveryActionHasACase)
{
    Bench b;
    std::set<int> covered;
    for (const Case& c : cases()) {
        covered.insert(c.id);
    }
    std::set<int> offered;
    for (QAction* act : b.frame->actions()) {
        offered.insert(act->data().toInt());
    }
    EXPECT_EQ(offered, covered);
}

TEST(FrameActions, EachActionDoesWhatItsCommandSays)
{
    std::map<int, std::size_t> actionsOf;
    {
        Bench probe;
        for (const Case& c : cases()) {
            actionsOf[c.id] = probe.frame->commandActions(c.id).size();
        }
    }
    for (const Case& c : cases()) {
        SCOPED_TRACE(std::to_string(c.id) + " " + c.what);
        const std::size_t count = actionsOf[c.id];
        ASSERT_GT(count, 0u);
        for (std::size_t i = 0; i < count; ++i) {
            Bench fresh;
            if (c.arrange) {
                c.arrange(fresh);
                if (testing::Test::HasFatalFailure()) {
                    return;
                }
            }
            fresh.frame->updateCommandStates();
            QAction* act = fresh.frame->commandActions(c.id)[i];
            if (!c.check) {
                const SongState before = fresh.view->song();
                EXPECT_FALSE(act->isEnabled());
                fresh.frame->runCommand(c.id);
                EXPECT_TRUE(fresh.kinds().empty());
                EXPECT_EQ(fresh.view->song().noteCount, before.noteCount);
                continue;
            }
            ASSERT_TRUE(act->isEnabled());
            act->trigger();
            c.check(fresh);
        }
    }
}

// A dialog that runs out of memory after the user's part has already changed the song.
ScriptedPrompts::DialogScript exhaustedAfter(std::function<void()> change)
{
    return [change](QDialog&) -> int {
        change();
        throw std::bad_alloc();
    };
}

TEST(FrameActions, ACommandThatFailsHalfWayPutsTheSongBack)
{
    Bench b;
    b.rightClick(40, 200);
    b.scripted->pushDialog(exhaustedAfter([&b] {
        b.view->song().notes[0].left = 400;
        b.view->song().title = "changed";
    }));
    const SongState before = b.view->song();
    b.frame->action(kFileNew)->trigger();
    EXPECT_EQ(b.scripted->messages(),
              QStringList{QStringLiteral("Warning! The command could not be completed (out of memory?).\n"
                                         "The music is as it was before.")});
    EXPECT_EQ(b.view->song().notes[0].left, before.notes[0].left);
    EXPECT_EQ(b.view->song().title, before.title);
    EXPECT_EQ(b.view->song().noteCount, 1);
    EXPECT_TRUE(b.view->modified());

    // The window still answers.
    b.scripted->clear();
    b.frame->action(kSelectAll)->trigger();
    EXPECT_EQ(b.view->song().selectedCount, 1);
}

// File choosers that cannot even be shown.
class ExhaustedFilePrompts : public ScriptedPrompts {
public:
    QString saveFileName(QWidget*, const FileRequest&) override { throw std::bad_alloc(); }
};

TEST(FrameActions, ASaveThatFailsHalfWaySaysSoAndKeepsTheSong)
{
    Bench b;
    b.rightClick(40, 200);
    auto* exhausted = new ExhaustedFilePrompts;
    std::unique_ptr<Prompts> previous = installPrompts(std::unique_ptr<Prompts>(exhausted));
    b.frame->action(kFileSaveAs)->trigger();
    EXPECT_EQ(exhausted->messages(), QStringList{QStringLiteral("Warning! Cannot save(4)\nplease try again!")});
    installPrompts(std::move(previous));
    EXPECT_EQ(b.view->song().noteCount, 1);
    EXPECT_TRUE(b.view->modified());
    EXPECT_EQ(b.doc.title(), QStringLiteral("Untitled"));
}

} // namespace
} // namespace zembra
