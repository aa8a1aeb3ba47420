// The card commands reach the print flow from the menu: PDF export, print, preview.
#include "app/document_view_link.h"
#include "app/main_frame.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"
#include "services/command_ids.h"

#include "scoped_scripted_prompts.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QToolBar>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zembra {
namespace {

class CardCommandsTest : public testing::Test {
protected:
    CardCommandsTest()
        : view(new CKelpView)
        , frame(&doc, view)
    {
        LinkDocumentAndView(doc, *view);
        doc.NewSong();
        SongState& song = view->song();
        song.NormaliseNote(song.AllocateNote(48, song.bandTopOfRow(3)));
        view->PaintOffscreen();
        frame.updateCommandStates();
    }

    ScopedScriptedPrompts scripted;
    CKelpDoc doc;
    CKelpView* view;
    CMainFrame frame;
    QTemporaryDir dir;
};

TEST_F(CardCommandsTest, ExportCardAsPdfIsOnTheFileMenuAndWritesTheCard)
{
    QAction* exportPdf = frame.action(cmd::kExportCardPdf);
    ASSERT_NE(exportPdf, nullptr);
    EXPECT_EQ(exportPdf->text(), QStringLiteral("Export Card as PDF..."));
    QMenu* file = frame.menuBar()->actions().first()->menu();
    EXPECT_TRUE(file->actions().contains(exportPdf));
    const QString path = dir.filePath(QStringLiteral("card.pdf"));
    scripted->pushFileName(path);
    exportPdf->trigger();
    EXPECT_TRUE(QFile::exists(path));
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST_F(CardCommandsTest, ExportCardForCutterIsOnTheFileMenuAndWritesTheDrawing)
{
    QAction* exportCutter = frame.action(cmd::kExportCardCutter);
    ASSERT_NE(exportCutter, nullptr);
    EXPECT_EQ(exportCutter->text(), QStringLiteral("Export Card for Cutter(&K)...\tCtrl+Shift+E"));
    EXPECT_EQ(exportCutter->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+E")));
    QMenu* file = frame.menuBar()->actions().first()->menu();
    EXPECT_TRUE(file->actions().contains(exportCutter));
    scripted->pushDialog([](QDialog& dialog) {
        dialog.accept();
        return dialog.result();
    });
    const QString path = dir.filePath(QStringLiteral("card.svg"));
    scripted->pushFileName(path);
    const int notes = view->song().noteCount;
    exportCutter->trigger();
    QFile svg(path);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_TRUE(text.startsWith("<?xml"));
    EXPECT_TRUE(text.contains("<circle"));
    EXPECT_EQ(view->song().noteCount, notes);
}

TEST_F(CardCommandsTest, PrintShowsTheSettingsAndPreviewKeepsTheWindowOpen)
{
    frame.action(cmd::kPrint)->trigger();
    ASSERT_EQ(scripted->asked().size(), 1u);
    EXPECT_EQ(scripted->asked()[0].dialogClass, QStringLiteral("zembra::CCardPrintDialog"));

    bool openDuringPreview = false;
    scripted->pushDialog([&](QDialog&) {
        openDuringPreview = frame.printPreviewShown();
        return int(QDialog::Rejected);
    });
    frame.action(cmd::kPrintPreview)->trigger();
    EXPECT_TRUE(openDuringPreview);
    EXPECT_FALSE(frame.printPreviewShown());
}

TEST_F(CardCommandsTest, CheckDistanceIsOnTheMenuAndTheCanvasToolbar)
{
    SongState& song = view->song();
    song.NormaliseNote(song.AllocateNote(50, song.bandTopOfRow(3)));
    view->PaintOffscreen();
    frame.updateCommandStates();
    QAction* check = frame.action(cmd::kDistanceCheck);
    ASSERT_TRUE(check->isEnabled());
    EXPECT_TRUE(frame.canvasToolBar()->actions().contains(check));
    check->trigger();
    EXPECT_TRUE(check->isChecked());
    view->PaintOffscreen();
    EXPECT_EQ(frame.pane(kPaneDistanceCheck)->text(), QStringLiteral("    1"));
}

} // namespace
} // namespace zembra
