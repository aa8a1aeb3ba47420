// The recovery point on the real event loop: written by its timer or after enough edits, and gone
// after a save or a clean close.
#include "app/document_view_link.h"
#include "app/main_frame.h"
#include "app/recovery_folder.h"
#include "app/recovery_keeper.h"
#include "app/recovery_offer.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"

#include "scoped_scripted_prompts.h"
#include "song_fixtures.h"
#include "watchdog.h"

#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>

namespace zembra {
namespace {

using namespace std::chrono_literals;

class RecoveryKeeping : public testing::Test {
protected:
    RecoveryKeeping()
        : view(new CKelpView)
        , frame(&doc, view)
    {
        LinkDocumentAndView(doc, *view);
        doc.NewSong();
        QObject::connect(&frame, &CMainFrame::closing, &keeper, &RecoveryKeeper::Discard);
    }

    // A note made and recorded as one undo step, as the end of a gesture records it.
    void edit(int left)
    {
        PlaceNote(view->song(), left, view->song().bandTopOfRow(3));
        view->edits().Snapshot();
    }

    bool kept() const { return QFile::exists(folder.songPath()); }

    // Everything in the folder but this program's lock.
    QStringList leftInFolder() const
    {
        QStringList names = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
        names.removeIf([](const QString& name) { return name.endsWith(QStringLiteral(".lock")); });
        return names;
    }

    void waitForPoint()
    {
        test::Watchdog watchdog(30s, "waiting for a recovery point");
        QEventLoop loop;
        QObject::connect(&keeper, &RecoveryKeeper::written, &loop, &QEventLoop::quit);
        loop.exec();
    }

    ScopedScriptedPrompts scripted;
    QTemporaryDir dir;
    CKelpDoc doc;
    CKelpView* view;
    CMainFrame frame;
    RecoveryFolder folder{dir.filePath(QStringLiteral("recovery"))};
    RecoveryKeeper keeper{doc, *view, folder};
};

TEST_F(RecoveryKeeping, TheTimerKeepsUnsavedChangesUntilTheSongIsSaved)
{
    keeper.setLimits({20ms, 1000});
    edit(100);
    EXPECT_FALSE(kept()) << "the timer writes, not the edit";
    waitForPoint();
    EXPECT_TRUE(kept());
    EXPECT_EQ(leftInFolder().size(), 2) << "the song and where it came from: " << leftInFolder().join(' ').toStdString();

    scripted->pushFileName(dir.filePath(QStringLiteral("tune.mid")));
    ASSERT_EQ(doc.SaveSong(QString()), CKelpDoc::SaveOutcome::Saved);
    EXPECT_TRUE(leftInFolder().isEmpty()) << leftInFolder().join(' ').toStdString();

    edit(140);
    waitForPoint();
    EXPECT_TRUE(kept()) << "new changes after the save are kept again";
}

TEST_F(RecoveryKeeping, EnoughEditsKeepTheSongAndACleanCloseRemovesIt)
{
    keeper.setLimits({1h, 3});
    edit(100);
    edit(140);
    ASSERT_TRUE(test::eventLoopAnswers());
    EXPECT_FALSE(kept()) << "two edits of three, long before the hour";
    edit(180);
    waitForPoint();
    EXPECT_TRUE(kept());

    scripted->pushDialog([](QDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("discard"))->click();
        return dialog.result();
    });
    EXPECT_TRUE(frame.close());
    EXPECT_TRUE(view->modified()) << "not saved";
    EXPECT_TRUE(leftInFolder().isEmpty()) << "the user chose to drop the changes: "
                                          << leftInFolder().join(' ').toStdString();
}

TEST(RecoveryOffer, ARestoredSongIsOnTheBoxItWasKeptFor)
{
    ScopedScriptedPrompts scripted;
    QTemporaryDir dir;
    const QString recovery = dir.filePath(QStringLiteral("recovery"));
    ASSERT_TRUE(QDir().mkpath(recovery));
    {
        // Left behind by a program that ended without closing, its song on the 15-note box.
        CKelpView view;
        CKelpDoc doc;
        LinkDocumentAndView(doc, view);
        view.song().UseBox(*FindBuiltInBox("15"));
        PlaceNote(view.song(), 48, view.song().bandTopOfRow(14));
        ASSERT_TRUE(doc.WriteSong(recovery + QStringLiteral("/0123456789abcdef0123456789abcdef.mid"),
                                  QStringLiteral("kept")));
    }
    CKelpView view;
    CKelpDoc doc;
    LinkDocumentAndView(doc, view);
    doc.NewSong();
    RecoveryFolder folder(recovery);
    RecoveryKeeper keeper(doc, view, folder);
    scripted->pushAnswer(Prompts::Answer::Yes);
    ASSERT_TRUE(OfferRecovery(folder, keeper, doc, view, nullptr));
    EXPECT_EQ(view.song().box.id, "15");
    ASSERT_EQ(view.song().noteCount, 1);
    EXPECT_EQ(view.song().notes[0].pitch, 84);
    EXPECT_EQ(view.song().notes[0].top, view.song().bandTopOfRow(14));
}

} // namespace
} // namespace zembra
