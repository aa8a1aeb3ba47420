// The settings command on the menu and the canvas toolbar, the recent files of the File menu
// and a file dropped on the window.
#include "app/document_view_link.h"
#include "app/main_frame.h"
#include "canvas/command_state.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"
#include "services/command_ids.h"
#include "services/settings.h"

#include "scoped_scripted_prompts.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

namespace zembra {
namespace {

QString fixture(const char* name)
{
    return QString::fromLatin1(ZEMBRA_TEST_DATA "/midi/") + name;
}

// Picks entries by their text, then presses a button of the dialog.
ScriptedPrompts::DialogScript answer(std::vector<std::pair<const char*, const char*>> choices, const char* button)
{
    return [choices, button](QDialog& dialog) {
        for (const auto& [list, entry] : choices) {
            auto* box = dialog.findChild<QComboBox*>(QString::fromLatin1(list));
            box->setCurrentIndex(box->findText(QString::fromLatin1(entry)));
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
        return dialog.result();
    };
}

class ImportCommands : public testing::Test {
protected:
    ImportCommands()
        : view(new CKelpView)
        , frame(&doc, view)
    {
        QSettings().clear();
        LinkDocumentAndView(doc, *view);
        doc.NewSong();
        frame.updateRecentFiles();
    }

    ScopedScriptedPrompts scripted;
    CKelpDoc doc;
    CKelpView* view;
    CMainFrame frame;
};

TEST_F(ImportCommands, SettingsFromTheMenuAndTheToolbarEditTheCanvas)
{
    QAction* settingsAction = frame.action(cmd::kSettings);
    ASSERT_NE(settingsAction, nullptr);
    EXPECT_TRUE(frame.canvasToolBar()->actions().contains(settingsAction));
    frame.updateCommandStates();
    EXPECT_TRUE(StateOf(cmd::kSettings, view->facts()).enabled) << view->facts().playing;
    EXPECT_TRUE(settingsAction->isEnabled());
    SongState& song = view->song();
    song.importTransposition = -3;

    scripted->pushDialog(answer({{"bars", "32"}, {"scale", "48"}, {"transposition", "+2"}}, "ok"));
    settingsAction->trigger();
    ASSERT_EQ(scripted->asked().size(), 1u);
    EXPECT_EQ(scripted->asked()[0].dialogClass, QStringLiteral("zembra::CanvasSettingsDialog"));
    EXPECT_EQ(song.barCount, 32);
    EXPECT_EQ(song.pixelsPerQuarter, 48);
    EXPECT_EQ(song.canvasWidth, 48 * 4 * 32) << "the width follows the new grid";
    EXPECT_EQ(song.temporaryTransposition, 2) << "the dialog's transposition is the temporary one";
    EXPECT_EQ(song.importTransposition, -3) << "the import's stays as it was";
    EXPECT_TRUE(view->edits().undoRing().canUndo()) << "a change is one undo step";
    view->PaintOffscreen();
    EXPECT_EQ(view->paneText(kPaneKey), QStringLiteral(" 2 (D Bm)"));

    // The same values again: nothing changed, no snapshot.
    view->edits().Undo();
    view->edits().Redo();
    const bool couldRedo = view->edits().undoRing().canRedo();
    scripted->pushDialog(answer({}, "ok"));
    settingsAction->trigger();
    EXPECT_EQ(view->edits().undoRing().canRedo(), couldRedo);
    EXPECT_EQ(song.temporaryTransposition, 2);

    // Cancel changes nothing.
    scripted->pushDialog(answer({{"bars", "8"}, {"transposition", "0"}}, "cancel"));
    settingsAction->trigger();
    EXPECT_EQ(song.barCount, 32);
    EXPECT_EQ(song.temporaryTransposition, 2);
}

struct Note {
    int left;
    int top;
    int pitch;
    bool operator==(const Note&) const = default;
};

std::vector<Note> notesOf(const SongState& song)
{
    std::vector<Note> notes;
    for (int i = 0; i < song.UsedEnd(); ++i) {
        if (song.IsLive(i)) {
            notes.push_back({song.notes[i].left, song.notes[i].top, song.notes[i].pitch});
        }
    }
    return notes;
}

// Confirms the import settings, after picking a transposition when one is given; `shown` gets
// the transposition the dialog opened with.
ScriptedPrompts::DialogScript importAt(const char* transposition, QString* shown)
{
    return [transposition, shown](QDialog& dialog) {
        auto* list = dialog.findChild<QComboBox*>(QStringLiteral("transposition"));
        *shown = list->currentText();
        if (transposition) {
            list->setCurrentIndex(list->findText(QString::fromLatin1(transposition)));
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        return dialog.result();
    };
}

TEST_F(ImportCommands, ASavedSongOpensAsSavedAndEveryFileStartsAtZero)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString shown;
    scripted->pushFileName(fixture("abc2midi-tune.mid"));
    scripted->pushDialog(importAt("+12", &shown));
    frame.action(cmd::kFileOpen)->trigger();
    EXPECT_EQ(shown, QStringLiteral("0"));
    const std::vector<Note> arranged = notesOf(view->song());
    ASSERT_FALSE(arranged.empty());

    const QString saved = dir.filePath(QStringLiteral("arranged.mid"));
    scripted->pushFileName(saved);
    frame.action(cmd::kFileSaveAs)->trigger();
    ASSERT_TRUE(QFile::exists(saved));
    frame.action(cmd::kFileNew)->trigger();
    ASSERT_EQ(view->song().noteCount, 0);

    scripted->pushFileName(saved);
    scripted->pushDialog(importAt(nullptr, &shown));
    frame.action(cmd::kFileOpen)->trigger();
    EXPECT_EQ(shown, QStringLiteral("0")) << "the song file opens without another shift";
    EXPECT_EQ(notesOf(view->song()), arranged) << "note for note as it was saved";

    scripted->pushFileName(fixture("csvmidi-format1.mid"));
    scripted->pushDialog(importAt(nullptr, &shown));
    frame.action(cmd::kFileOpen)->trigger();
    EXPECT_EQ(shown, QStringLiteral("0")) << "the next foreign file starts at 0 too";
    EXPECT_TRUE(scripted->messages().isEmpty()) << scripted->messages().join('|').toStdString();
}

TEST_F(ImportCommands, SettingsAreNotOfferedWhilePlaying)
{
    SongState& song = view->song();
    song.NormaliseNote(song.AllocateNote(0, song.bandTopOfRow(3)));
    view->PaintOffscreen();
    view->playback().Play();
    ASSERT_TRUE(view->playing());
    frame.updateCommandStates();
    EXPECT_FALSE(frame.action(cmd::kSettings)->isEnabled());
    frame.runCommand(cmd::kSettings);
    EXPECT_TRUE(scripted->asked().empty());
    view->playback().Stop();
}

TEST_F(ImportCommands, RecentFilesAreListedNumberedAndOpen)
{
    const std::vector<QAction*>& items = frame.recentFileActions();
    ASSERT_EQ(items.size(), 4u);
    for (QAction* item : items) {
        EXPECT_FALSE(item->isVisible()) << "no recent file yet";
    }
    settings::AddRecentFile(fixture("csvmidi-format1.mid"));
    settings::AddRecentFile(fixture("abc2midi-tune.mid"));
    frame.updateRecentFiles();
    EXPECT_TRUE(items[0]->isVisible());
    EXPECT_TRUE(items[0]->text().startsWith(QStringLiteral("&1 ")));
    EXPECT_TRUE(items[0]->text().endsWith(QStringLiteral("abc2midi-tune.mid")));
    EXPECT_TRUE(items[1]->text().startsWith(QStringLiteral("&2 ")));
    EXPECT_FALSE(items[2]->isVisible());
    QMenu* fileMenu = frame.menuBar()->actions().front()->menu();
    EXPECT_TRUE(fileMenu->actions().contains(items[0]));

    scripted->pushDialog(answer({}, "ok"));
    items[1]->trigger();
    EXPECT_EQ(doc.title(), QStringLiteral("csvmidi-format1"));
    EXPECT_EQ(view->song().noteCount, 4);
    frame.updateRecentFiles();
    EXPECT_TRUE(items[0]->text().endsWith(QStringLiteral("csvmidi-format1.mid"))) << "the opened file comes first";
}

TEST_F(ImportCommands, ADroppedFileOpensAfterTheSaveQuestion)
{
    SongState& song = view->song();
    song.NormaliseNote(song.AllocateNote(0, song.bandTopOfRow(3)));
    ++song.noteCount;
    view->edits().setModified(true);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(fixture("abc2midi-tune.mid"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    // The save question: do not save; then the import dialog: OK.
    scripted->pushDialog([](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), QStringLiteral("SaveConfirmDialog"));
        auto* discard = dialog.findChild<QPushButton*>(QStringLiteral("discard"));
        if (!discard) {
            ADD_FAILURE() << dialog.metaObject()->className();
            return int(QDialog::Rejected);
        }
        discard->click();
        return dialog.result();
    });
    scripted->pushDialog(answer({}, "ok"));
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    EXPECT_TRUE(drop.isAccepted());
    QApplication::processEvents();
    ASSERT_EQ(scripted->asked().size(), 2u);
    EXPECT_EQ(doc.title(), QStringLiteral("abc2midi-tune"));
    EXPECT_EQ(view->song().noteCount, 20);
}

} // namespace
} // namespace zembra
