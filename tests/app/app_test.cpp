#include "app/document_view_link.h"
#include "services/command_ids.h"
#include "app/frame_geometry.h"
#include "app/help_file.h"
#include "app/main_frame.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"

#include "scoped_scripted_prompts.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <gtest/gtest.h>

namespace zembra {
namespace {

TEST(FrameGeometry, TopLeftFullWidth626High)
{
    EXPECT_EQ(InitialFrameRect(1024, 768), (FrameRect{0, 0, 1024, 626}));
    EXPECT_EQ(InitialFrameRect(640, 480), (FrameRect{0, 0, 640, 480}));
    EXPECT_EQ(InitialFrameRect(800, 625), (FrameRect{0, 0, 800, 625}));
    EXPECT_EQ(InitialFrameRect(800, 626), (FrameRect{0, 0, 800, 626}));
}

// The window is as much taller or shorter as the box's band: 12 pixels a row more or less than 33.
TEST(FrameGeometry, TheHeightFollowsTheRows)
{
    EXPECT_EQ(InitialFrameRect(1024, 768, 33, 12), (FrameRect{0, 0, 1024, 626}));
    EXPECT_EQ(InitialFrameRect(1024, 768, 15, 12), (FrameRect{0, 0, 1024, 410}));
    EXPECT_EQ(InitialFrameRect(1024, 768, 30, 12), (FrameRect{0, 0, 1024, 590}));
    EXPECT_EQ(InitialFrameRect(1920, 1080, 48, 12), (FrameRect{0, 0, 1920, 806}));
    EXPECT_EQ(InitialFrameRect(1024, 768, 48, 12), (FrameRect{0, 0, 1024, 768})) << "as high as the screen";

    struct Case {
        int height, oldRows, newRows, available, expected;
    };
    const Case cases[] = {
        {626, 33, 15, 1000, 410}, {410, 15, 33, 1000, 626}, // there and back
        {700, 33, 30, 1000, 664},                           // a window the user made taller keeps its room
        {626, 33, 48, 1000, 806}, {626, 33, 48, 740, 740},  // no taller than the screen's free height
        {800, 33, 48, 740, 800},                            // taller than that already: it stays
        {800, 48, 15, 740, 404},  {626, 33, 48, 0, 806},    // shrinking is never held back; 0: no limit
        {100, 33, 15, 1000, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HeightForRows(c.height, c.oldRows, c.newRows, 12, c.available), c.expected)
            << c.height << " from " << c.oldRows << " to " << c.newRows << " rows";
    }
}

TEST(FrameGeometry, TheFrameCountsInTheOuterHeight)
{
    EXPECT_EQ(InnerHeightForOuter(626, 0), 626);
    EXPECT_EQ(InnerHeightForOuter(626, 30), 596); // a title bar of 26 and borders of 2
    EXPECT_EQ(InnerHeightForOuter(20, 30), 1);
}

TEST(HelpFile, EditionSuffixesShareOnePage)
{
    struct Case {
        const char* exe;
        const char* page;
    };
    const Case cases[] = {
        {"/usr/bin/zembra", "zembra.html"},
        {"/opt/Zembra20C07", "Zembra.html"},
        {"/opt/Zembra20c19.exe", "Zembra.html"},
        {"/opt/Zembra33C", "Zembra.html"},
        {"/opt/Zembra20D", "Zembra.html"},
        {"/opt/Zembra20C20", "Zembra20C20.html"},
        {"C:\\Kelp\\Kelp20C.exe", "Kelp.html"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HelpFileName(c.exe), c.page) << c.exe;
    }
}

class Frame : public testing::Test {
protected:
    Frame()
        : view(new CKelpView)
        , frame(&doc, view)
    {
        LinkDocumentAndView(doc, *view);
        doc.NewSong();
    }

    CKelpDoc doc;
    CKelpView* view;
    CMainFrame frame;
};

TEST_F(Frame, MenusToolbarsAndPanes)
{
    const QList<QAction*> popups = frame.menuBar()->actions();
    ASSERT_EQ(popups.size(), 5);
    EXPECT_EQ(popups[0]->text(), QStringLiteral("File(&F)"));
    EXPECT_EQ(popups[3]->text(), QStringLiteral("&Midi")) << "the device menu goes before Help";
    EXPECT_EQ(popups[4]->text(), QStringLiteral("Help(&H)"));
    EXPECT_EQ(frame.action(cmd::kQuantize16th)->text(), QStringLiteral("Quontize 16th(&6)\tCtrl+6"));
    EXPECT_EQ(frame.action(cmd::kQuantize16th)->shortcuts(), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+6"))})
        << "the key the label names works";
    EXPECT_EQ(frame.action(cmd::kCopy)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+C")), QKeySequence(QStringLiteral("Ctrl+Insert"))}));
    EXPECT_EQ(frame.action(cmd::kUndo)->shortcuts().size(), 2);
    EXPECT_EQ(frame.action(cmd::kClear)->shortcuts().front(), QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(frame.canvasToolBar()->parentWidget(), &frame);
    EXPECT_EQ(frame.toolBarArea(frame.canvasToolBar()), Qt::BottomToolBarArea);
    EXPECT_FALSE(frame.mainToolBar()->actions().contains(frame.action(cmd::kTempoLock)));
    EXPECT_FALSE(frame.canvasToolBar()->actions().contains(frame.action(cmd::kTempoLock)));
    view->PaintOffscreen();
    EXPECT_EQ(frame.pane(kPaneNoteCount)->text(), QStringLiteral("    0"));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Untitled - Zembra")) << "the name, without a version of its own";
}

TEST_F(Frame, CommandsFollowTheViewsState)
{
    frame.updateCommandStates();
    EXPECT_TRUE(frame.action(cmd::kSelectAll)->isEnabled());
    EXPECT_FALSE(frame.action(cmd::kTempoLock)->isEnabled());
    EXPECT_FALSE(frame.action(cmd::kPaste)->isEnabled());
}

TEST_F(Frame, CloseIsRefusedDuringPrintPreview)
{
    frame.show();
    frame.setPrintPreviewShown(true);
    EXPECT_FALSE(frame.close());
    frame.setPrintPreviewShown(false);
    EXPECT_TRUE(frame.close());
}

TEST_F(Frame, AboutGoesThroughPrompts)
{
    ScopedScriptedPrompts scripted;
    frame.runCommand(cmd::kAbout);
    ASSERT_EQ(scripted->asked().size(), 1u);
    EXPECT_EQ(scripted->asked()[0].dialogClass, QStringLiteral("zembra::AboutDialog"));
}

} // namespace
} // namespace zembra
