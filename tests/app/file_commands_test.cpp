// The File menu reaches the document, and closing the window asks before changes are lost.
#include "app/document_view_link.h"
#include "services/command_ids.h"
#include "app/main_frame.h"
#include "services/settings.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"

#include "scoped_scripted_prompts.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zembra {
namespace {

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
