// Help: which context a click asks for, that the guide has a place for every command in both
// languages, and the frame's context-help mode from Shift+F1 to the opened page.
#include "app/document_view_link.h"
#include "app/context_help_mode.h"
#include "app/frame_geometry.h"
#include "app/help_file.h"
#include "app/help_window.h"
#include "app/main_frame.h"
#include "app/menu_table.h"
#include "canvas/kelp_view.h"
#include "document/kelp_doc.h"
#include "text/strings.h"
#include "services/command_ids.h"

#include "scoped_scripted_prompts.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

#include <set>

namespace zembra {
namespace {

const QString kGuideDir = QStringLiteral(ZEMBRA_TEST_DATA "/../../resources/help");

TEST(HelpContext, ControlsAskForTheirIdAboveTheBase)
{
    const struct {
        int id;
        int context;
    } cases[] = {{0, 0},           {-4, 0},          {9, 0},          {1, 0x10001},
                 {10, 0x1000a},    {57600, 0x1e100}, {32814, 0x1802e}, {201, 0x100c9},
                 {205, 0x100c9},   {401, 0x100c9}};
    for (const auto& c : cases) {
        EXPECT_EQ(HelpContextForControl(c.id), c.context) << c.id;
    }
    EXPECT_EQ(HelpAnchor(0x1e100), "context-1e100");
    EXPECT_EQ(HelpAnchor(0), "");
    EXPECT_EQ(LocalisedHelpFileName("zembra.html", true), "zembra.ja.html");
    EXPECT_EQ(LocalisedHelpFileName("zembra.html", false), "zembra.html");
}

// Every id a menu item, a toolbar button or a key carries.
std::set<int> commandIds()
{
    std::set<int> ids;
    for (const MenuPopup& popup : MainMenu()) {
        for (const MenuItem& item : popup.items) {
            ids.insert(item.id);
        }
    }
    for (int id : MainToolbar()) {
        ids.insert(id);
    }
    for (int id : CanvasToolbar()) {
        ids.insert(id);
    }
    for (const Accelerator& accelerator : Accelerators()) {
        ids.insert(accelerator.id);
    }
    ids.insert(cmd::kFirstDevice);
    ids.insert(cmd::kFirstDevice + 3);
    ids.insert(cmd::kFirstInput);
    // Neither a separator nor a gap, nor the button that is never offered, can be clicked.
    ids.erase(0);
    ids.erase(cmd::kToolbarSpacer);
    ids.erase(cmd::kValveAssignment);
    ids.erase(cmd::kUnansweredTool);
    return ids;
}

TEST(HelpGuide, HasThePlaceOfEveryCommandInBothLanguages)
{
    for (const char* page : {"zembra.html", "zembra.ja.html"}) {
        QFile file(kGuideDir + QLatin1Char('/') + QLatin1String(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page;
        const QString text = QString::fromUtf8(file.readAll());
        for (int id : commandIds()) {
            const int context = HelpContextForControl(id);
            ASSERT_NE(context, 0) << id;
            const QString anchor = QStringLiteral("id=\"%1\"").arg(QString::fromStdString(HelpAnchor(context)));
            EXPECT_TRUE(text.contains(anchor)) << page << " has no place for command " << id;
        }
        for (const char* section : {"start", "open", "edit", "play", "record", "save", "print", "keys"}) {
            EXPECT_TRUE(text.contains(QStringLiteral("id=\"%1\"").arg(QLatin1String(section)))) << page << section;
        }
    }
}

class ContextHelp : public testing::Test {
protected:
    ContextHelp()
        : view(new CKelpView)
        , frame(&doc, view)
    {
        LinkDocumentAndView(doc, *view);
        // The guide is named after the program, here the test program.
        const QString page = QString::fromStdString(HelpFileName(QCoreApplication::applicationFilePath().toStdString()));
        QFile::copy(kGuideDir + QStringLiteral("/zembra.html"), guides.filePath(page));
        QFile::copy(kGuideDir + QStringLiteral("/zembra.ja.html"),
                    guides.filePath(QString::fromStdString(LocalisedHelpFileName(page.toStdString(), true))));
        qputenv("ZEMBRA_HELP_DIR", guides.path().toUtf8());
        frame.show();
        QApplication::setActiveWindow(&frame);
    }
    ~ContextHelp() override
    {
        qunsetenv("ZEMBRA_HELP_DIR");
        if (HelpWindow* window = HelpWindow::Current()) {
            window->close();
        }
    }

    QString openedAnchor() const
    {
        HelpWindow* window = HelpWindow::Current();
        return window ? window->source().fragment() : QStringLiteral("<no help window>");
    }

    QTemporaryDir guides;
    ScopedScriptedPrompts scripted;
    CKelpDoc doc;
    CKelpView* view;
    CMainFrame frame;
};

TEST_F(ContextHelp, AClickOnAToolbarButtonOpensTheGuideThereAndDoesNotCarryItOut)
{
    frame.runCommand(cmd::kContextHelp);
    ASSERT_TRUE(frame.contextHelp().active());
    QWidget* button = frame.canvasToolBar()->widgetForAction(frame.action(cmd::kRecording));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(frame.contextHelp().active());
    EXPECT_EQ(openedAnchor(), QStringLiteral("context-1802e"));
    EXPECT_FALSE(view->recording()) << "the click asked for help only";
}

// A drag on the canvas that asked for help neither edits nor ends with a release the canvas
// takes for one without a press (which would clear the modes).
TEST_F(ContextHelp, ADragOnTheCanvasAsksForHelpAndLeavesTheModesOn)
{
    frame.runCommand(cmd::kQuantizeQuarter);
    ASSERT_TRUE(view->song().snapQuarter);
    const int undoBefore = view->edits().undoRing().undoCounter();
    frame.runCommand(cmd::kContextHelp);
    QWidget* port = view->viewport();
    QTest::mousePress(port, Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mouseMove(port, QPoint(90, 60));
    QTest::mouseRelease(port, Qt::LeftButton, {}, QPoint(90, 60));
    EXPECT_FALSE(frame.contextHelp().active());
    EXPECT_NE(HelpWindow::Current(), nullptr);
    EXPECT_TRUE(view->song().snapQuarter) << "the release of the help click reached the canvas";
    EXPECT_EQ(view->edits().undoRing().undoCounter(), undoBefore);
    // The next click is the canvas's own again.
    const int live = view->song().noteCount;
    QTest::mouseClick(port, Qt::RightButton, {}, QPoint(60, 60));
    EXPECT_EQ(view->song().noteCount, live + 1);
}

// When the help click's release never arrives (another window took the mouse), the next press
// is not swallowed with the release that follows it.
TEST_F(ContextHelp, ALostReleaseDoesNotSwallowTheNextClick)
{
    frame.runCommand(cmd::kContextHelp);
    QWidget* port = view->viewport();
    QTest::mousePress(port, Qt::LeftButton, {}, QPoint(40, 40));
    const int live = view->song().noteCount;
    QTest::mousePress(port, Qt::RightButton, {}, QPoint(60, 60));
    QTest::mouseRelease(port, Qt::RightButton, {}, QPoint(60, 60));
    EXPECT_EQ(view->song().noteCount, live + 1);
}

TEST_F(ContextHelp, ControlsGiveTheirIdAndTheFrameworksOwnTakeTheTop)
{
    QWidget dialog;
    dialog.setProperty("helpId", 1063);
    QPushButton inner(&dialog);
    QPushButton ok(&dialog);
    ok.setProperty("helpId", 9);
    EXPECT_EQ(ContextHelpMode::ControlIdAt(&inner, {}), 1063);
    EXPECT_EQ(HelpContextForControl(ContextHelpMode::ControlIdAt(&ok, {})), 0);
    QMenu menu;
    QAction* item = menu.addAction(QStringLiteral("x"));
    item->setData(cmd::kPlay);
    menu.show();
    EXPECT_EQ(ContextHelpMode::ControlIdAt(&menu, menu.actionGeometry(item).center()), cmd::kPlay);
}

TEST_F(ContextHelp, EscapeLeavesTheMode)
{
    frame.runCommand(cmd::kContextHelp);
    QTest::keyClick(&frame, Qt::Key_Escape);
    EXPECT_FALSE(frame.contextHelp().active());
}

TEST_F(ContextHelp, HelpOpensTheGuideInTheTablesLanguage)
{
    frame.runCommand(cmd::kHelp);
    ASSERT_NE(HelpWindow::Current(), nullptr);
    const QString page = HelpWindow::Current()->source().fileName();
    EXPECT_EQ(page.endsWith(QStringLiteral(".ja.html")), language() == Language::Japanese) << page.toStdString();
    EXPECT_TRUE(openedAnchor().isEmpty());
}

TEST_F(ContextHelp, AMissingGuideIsReportedWithItsPath)
{
    QTemporaryDir empty;
    qputenv("ZEMBRA_HELP_DIR", empty.path().toUtf8());
    frame.runCommand(cmd::kHelp);
    ASSERT_EQ(scripted->messages().size(), 1);
    EXPECT_TRUE(scripted->messages().front().startsWith(QStringLiteral("Not Exist Html Help File\n\n   File Path [ ")));
    EXPECT_TRUE(scripted->messages().front().contains(empty.path() + QStringLiteral("/app_tests.html ]")))
        << scripted->messages().front().toStdString();
}

} // namespace
} // namespace zembra

namespace zembra {
namespace {

TEST(PaneKeys, GoRoundTheCanvasAndTheToolbars)
{
    const struct {
        int current;
        bool forward;
        int next;
    } cases[] = {{0, true, 1}, {1, true, 2}, {2, true, 0}, {0, false, 2}, {2, false, 1}, {-1, true, 0}, {-1, false, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(NextPane(c.current, 3, c.forward), c.next) << c.current << c.forward;
    }
    EXPECT_EQ(NextPane(0, 0, true), -1);
}

TEST_F(ContextHelp, F6MovesTheFocusFromTheCanvasToTheToolbarsAndBack)
{
    frame.activateWindow();
    view->setFocus();
    frame.runCommand(cmd::kNextPane);
    EXPECT_TRUE(frame.mainToolBar()->isAncestorOf(QApplication::focusWidget()));
    frame.runCommand(cmd::kNextPane);
    EXPECT_TRUE(frame.canvasToolBar()->isAncestorOf(QApplication::focusWidget()));
    frame.runCommand(cmd::kNextPane);
    EXPECT_EQ(QApplication::focusWidget(), view);
    frame.runCommand(cmd::kPreviousPane);
    EXPECT_TRUE(frame.canvasToolBar()->isAncestorOf(QApplication::focusWidget()));
}

} // namespace
} // namespace zembra
