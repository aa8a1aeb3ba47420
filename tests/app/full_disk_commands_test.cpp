// The window's file commands on a full disk: the message names the file and says why, the file
// that was there is as it was, and nothing is left beside it.
#include "app/document_view_link.h"
#include "app/main_frame.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"
#include "services/command_ids.h"
#include "services/prompts.h"

#include "full_disk.h"
#include "scoped_scripted_prompts.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zembra {
namespace {

const QByteArray kPrevious = "a good file made earlier";

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class WindowFiles : public testing::Test {
protected:
    WindowFiles()
        : view(new CKelpView)
        , frame(&doc, view)
    {
        LinkDocumentAndView(doc, *view);
        doc.NewSong();
        SongState& song = view->song();
        for (int i = 0; i < 40; ++i) {
            song.NormaliseNote(song.AllocateNote(48 + 24 * i, song.bandTopOfRow(i % 30)));
        }
        view->edits().setModified(true);
        view->PaintOffscreen();
        frame.updateCommandStates();
    }

    void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    ScopedScriptedPrompts scripted;
    CKelpDoc doc;
    CKelpView* view;
    CMainFrame frame;
};

struct FileCommand {
    const char* what;
    int command;
    const char* name;
    bool optionsDialog; // the cutter export asks for its options first
};

class FullDiskCommands : public WindowFiles, public testing::WithParamInterface<FileCommand> {};

TEST_P(FullDiskCommands, SayWhichFileFailedAndWhyAndKeepThePreviousOne)
{
    const FileCommand& c = GetParam();
    test::FullDisk disk;
    if (!disk.mounted()) {
        GTEST_SKIP() << "no tmpfs can be mounted here; the command line's tests cover a failing write";
    }
    const QString target = disk.out() + '/' + QLatin1String(c.name);
    writeFile(target, kPrevious);
    disk.fill();
    if (c.optionsDialog) {
        scripted->pushDialog([](QDialog& dialog) {
            dialog.accept();
            return dialog.result();
        });
    }
    scripted->pushFileName(target);
    scripted->pushAnswer(Prompts::Answer::Yes); // replace the file that is there
    frame.action(c.command)->trigger();

    const QStringList messages = scripted->messages();
    ASSERT_EQ(messages.size(), 2) << c.what << ": the question to replace the file, then the failure";
    EXPECT_TRUE(messages[1].contains(QDir::toNativeSeparators(target))) << messages[1].toStdString();
    EXPECT_TRUE(messages[1].contains(QStringLiteral("The disk is full."))) << messages[1].toStdString();
    EXPECT_EQ(contents(target), kPrevious);
    EXPECT_EQ(QDir(disk.out()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QLatin1String(c.name)});
    EXPECT_EQ(view->song().noteCount, 40) << "the song on the canvas is as it was";
}

INSTANTIATE_TEST_SUITE_P(
    Window, FullDiskCommands,
    testing::Values(FileCommand{"Save As", cmd::kFileSaveAs, "song.mid", false},
                    FileCommand{"Export Audio", cmd::kExportAudio, "song.wav", false},
                    FileCommand{"Export Card as PDF", cmd::kExportCardPdf, "card.pdf", false},
                    FileCommand{"Export Card for Cutter", cmd::kExportCardCutter, "card.svg", true}),
    [](const testing::TestParamInfo<FileCommand>& test) { return "Command" + std::to_string(test.index); });

TEST_F(WindowFiles, ExportCardAsPdfAsksBeforeReplacingAFile)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("card.pdf"));
    writeFile(target, kPrevious);
    scripted->pushFileName(target);
    scripted->pushAnswer(Prompts::Answer::No);
    frame.action(cmd::kExportCardPdf)->trigger();
    ASSERT_FALSE(scripted->asked().empty());
    EXPECT_EQ(scripted->asked().back().kind, ScriptedPrompts::Asked::Kind::Question);
    EXPECT_TRUE(scripted->asked().back().text.contains(QStringLiteral("already exists")));
    EXPECT_EQ(contents(target), kPrevious) << "No keeps the file";

    scripted->pushFileName(target);
    scripted->pushAnswer(Prompts::Answer::Yes);
    frame.action(cmd::kExportCardPdf)->trigger();
    EXPECT_TRUE(contents(target).startsWith("%PDF-"));
}

} // namespace
} // namespace zembra
