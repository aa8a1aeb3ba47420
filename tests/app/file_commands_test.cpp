// The File menu reaches the document, and closing the window asks before changes are lost.
#include "app/document_view_link.h"
#include "services/command_ids.h"
#include "app/main_frame.h"
#include "services/settings.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"

#include "scoped_scripted_prompts.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zembra {
namespace {

QString fixture(const char* name)
{
    return QString::fromLatin1(ZEMBRA_TEST_DATA "/midi/") + name;
}

// The save question, answered with one of its buttons; `asked` tells whether it came.
ScriptedPrompts::DialogScript answerSaveQuestion(const char* button, bool* asked)
{
    return [button, asked](QDialog& dialog) {
        *asked = dialog.objectName() == QStringLiteral("SaveConfirmDialog");
        if (auto* choice = dialog.findChild<QPushButton*>(QString::fromLatin1(button))) {
            choice->click();
        }
        return dialog.result();
    };
}

class FileCommands : public testing::Test {
protected:
    FileCommands()
        : view(new CKelpView)
        , frame(&doc, view)
    {
        QSettings().clear();
        LinkDocumentAndView(doc, *view);
        doc.NewSong();
    }

    void edit()
    {
        SongState& song = view->song();
        song.NormaliseNote(song.AllocateNote(48, song.bandTopOfRow(3)));
        view->PaintOffscreen();
        view->edits().setModified(true);
        frame.updateCommandStates();
    }

    ScopedScriptedPrompts scripted;
    CKelpDoc doc;
    CKelpView* view;
    CMainFrame frame;
    QTemporaryDir dir;
};

TEST_F(FileCommands, SaveAsAndOpenImageGoThroughTheDocument)
{
    EXPECT_FALSE(frame.action(cmd::kFileSave)->isEnabled()) << "nothing changed yet";
    EXPECT_FALSE(frame.action(cmd::kFileSaveAs)->isEnabled()) << "no note to save";
    EXPECT_TRUE(frame.action(cmd::kFileOpen)->isEnabled());
    EXPECT_TRUE(frame.action(cmd::kOpenImage)->isEnabled());
    edit();
    ASSERT_TRUE(frame.action(cmd::kFileSaveAs)->isEnabled());
    const QString path = dir.filePath(QStringLiteral("tune.mid"));
    scripted->pushFileName(path);
    frame.action(cmd::kFileSaveAs)->trigger();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(frame.windowTitle().startsWith(QStringLiteral("tune - "))) << frame.windowTitle().toStdString();
    EXPECT_FALSE(frame.action(cmd::kFileSave)->isEnabled()) << "saved: nothing to save";

    scripted->clear();
    frame.action(cmd::kOpenImage)->trigger();
    ASSERT_EQ(scripted->asked().size(), 1u);
    EXPECT_EQ(scripted->asked()[0].kind, ScriptedPrompts::Asked::Kind::OpenFile);
}

TEST_F(FileCommands, ClosingWithChangesAsksWithoutAWayBack)
{
    edit();
    bool returnEnabled = true;
    scripted->pushDialog([&returnEnabled](QDialog& dialog) {
        returnEnabled = dialog.findChild<QPushButton*>(QStringLiteral("return"))->isEnabled();
        dialog.findChild<QPushButton*>(QStringLiteral("discard"))->click();
        return dialog.result();
    });
    applicationDevMode() = DevMode::blank();
    EXPECT_TRUE(frame.close());
    EXPECT_FALSE(returnEnabled);
    EXPECT_TRUE(QSettings().value(QStringLiteral("PrinterSetting/DevMode1")).isValid())
        << "the printer settings are stored on the way out";
    applicationDevMode() = DevMode();
}

TEST_F(FileCommands, ExitAfterAnImportAsksUntilTheSongIsSaved)
{
    applicationDevMode() = DevMode::blank();
    // A foreign file, its import settings worked on: a transposition and folding.
    scripted->pushFileName(fixture("comb-fit-voices.mid"));
    scripted->pushDialog([](QDialog& dialog) {
        auto* transposition = dialog.findChild<QComboBox*>(QStringLiteral("transposition"));
        transposition->setCurrentIndex(transposition->findText(QStringLiteral("+2")));
        dialog.findChild<QCheckBox*>(QStringLiteral("foldOctaves"))->click();
        dialog.findChild<QPushButton*>(QStringLiteral("ok"))->click();
        return dialog.result();
    });
    frame.action(cmd::kFileOpen)->trigger();
    ASSERT_GT(view->song().noteCount, 0);
    EXPECT_TRUE(view->modified()) << "a song placed from a foreign file is still to be saved";
    EXPECT_TRUE(frame.action(cmd::kFileSave)->isEnabled());

    const int placed = view->song().noteCount;
    bool asked = false;
    scripted->pushDialog(answerSaveQuestion("return", &asked));
    frame.action(cmd::kExit)->trigger();
    EXPECT_TRUE(asked) << "Exit asks before the arrangement is lost";
    EXPECT_EQ(view->song().noteCount, placed) << "gone back: the song stays";

    // Saved, it is a song file of this program: opened again unchanged, it has nothing to save.
    const QString saved = dir.filePath(QStringLiteral("arranged.mid"));
    scripted->pushFileName(saved);
    frame.action(cmd::kFileSaveAs)->trigger();
    EXPECT_FALSE(view->modified());
    scripted->pushFileName(saved);
    scripted->pushDialog([](QDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("ok"))->click();
        return dialog.result();
    });
    frame.action(cmd::kFileOpen)->trigger();
    EXPECT_FALSE(view->modified()) << "a song file opened as it was saved";
    scripted->clear();
    EXPECT_TRUE(frame.close());
    EXPECT_TRUE(scripted->asked().empty()) << "nothing to ask";
    applicationDevMode() = DevMode();
}

TEST_F(FileCommands, NewAsksFirstAndReturnKeepsTheSong)
{
    edit();
    scripted->pushDialog([](QDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("return"))->click();
        return dialog.result();
    });
    frame.action(cmd::kFileNew)->trigger();
    EXPECT_EQ(view->song().noteCount, 1);
    EXPECT_TRUE(view->modified());
}

} // namespace
} // namespace zembra
