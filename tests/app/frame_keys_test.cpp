// The keys of the main window: a key that a menu item names is bound to that item's command, and
// every bound key pressed on the canvas carries out its command, as the menu item would.
#include "services/command_ids.h"
#include "text/strings.h"

#include "scoped_scripted_prompts.h"
#include "window_bench.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

namespace zembra {
namespace {

using namespace cmd;

// Every command can be used: notes on the canvas, all selected, a copy on the clipboard and an
// undone step to redo.
void arrangeEverythingAvailable(WindowBench& b)
{
    b.rightClick(40, 200);
    b.rightClick(120, 260);
    b.rightClick(200, 230);
    b.view->edits().Undo();
    b.view->song().SelectAll();
    b.view->PaintOffscreen();
    ASSERT_TRUE(b.view->edits().CopySelection());
    // A file's notes kept from its import, for Arrange again.
    ArrangeSource source;
    source.resolution = 96;
    source.tracks = {{"", 0, 0}, {"Tune", 1, 4}};
    for (int i = 0; i < 4; ++i) {
        source.notes.push_back({static_cast<std::uint32_t>(i * 96), 72 + 2 * i, 1, false});
    }
    b.view->arranger().Keep(source);
    b.frame->updateCommandStates();
}

QString menuKey(const QAction* act)
{
    const QString text = act->text();
    const qsizetype tab = text.indexOf('\t');
    return tab < 0 ? QString() : text.mid(tab + 1);
}

TEST(FrameKeys, EveryKeyAMenuItemNamesIsBoundToIt)
{
    for (Language language : {Language::English, Language::Japanese}) {
        WindowBench b(language);
        int named = 0;
        for (QAction* popup : b.frame->menuBar()->actions()) {
            if (!popup->menu()) {
                continue;
            }
            for (QAction* item : popup->menu()->actions()) {
                const QString key = menuKey(item);
                if (key.isEmpty()) {
                    continue;
                }
                ++named;
                EXPECT_TRUE(item->shortcuts().contains(QKeySequence(key)))
                    << item->text().toStdString() << ": the menu names " << key.toStdString()
                    << " but the item does not answer it";
            }
        }
        EXPECT_EQ(named, 20) << "the items that name a key (Edit > Arrange again names Ctrl+Shift+A, Play > Crank Ctrl+K)";
    }
}

TEST(FrameKeys, EachBoundKeyPressedOnTheCanvasCarriesOutItsCommand)
{
    std::vector<std::pair<int, QKeySequence>> keys;
    {
        WindowBench probe;
        for (QAction* act : probe.frame->actions()) {
            for (const QKeySequence& key : act->shortcuts()) {
                keys.emplace_back(act->data().toInt(), key);
            }
        }
    }
    ASSERT_EQ(keys.size(), 28u); // Ctrl+Shift+A for Edit > Arrange again is the 27th, Ctrl+K for Play > Crank the 28th
    for (const auto& [id, key] : keys) {
        SCOPED_TRACE(std::to_string(id) + " " + key.toString().toStdString());
        ScopedScriptedPrompts scripted;
        WindowBench b;
        arrangeEverythingAvailable(b);
        if (testing::Test::HasFatalFailure()) {
            return;
        }
        QAction* act = b.frame->action(id);
        ASSERT_TRUE(act->isEnabled());
        QApplication::setActiveWindow(b.frame.get());
        b.view->setFocus();
        QSignalSpy triggered(act, &QAction::triggered);
        const QKeyCombination combination = key[0];
        QTest::keyClick(b.view, combination.key(), combination.keyboardModifiers());
        EXPECT_EQ(triggered.count(), 1);
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && top != b.frame.get() && !qobject_cast<QMenu*>(top)) {
                top->close();
            }
        }
    }
}

// Each box of the status bar tells what it holds: a tool tip when the mouse rests on it and a name
// for screen readers, in both languages.
TEST(StatusBar, EachPaneHasANameAndATip)
{
    const char* const english[] = {"Message",     "Horizontal position", "Vertical position", "Notes",
                                   "Notes too close", "Tempo",          "Temporary transposition",
                                   "Kana lock",   "Caps Lock",           "Num Lock",          "Scroll Lock"};
    for (Language language : {Language::English, Language::Japanese}) {
        WindowBench b(language);
        const QList<QLabel*> panes = b.frame->statusBar()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_EQ(panes.size(), 12) << "the eleven panes and the crank's";
        std::set<QString> names;
        std::set<QString> tips;
        for (int i = 0; i < 11; ++i) {
            QLabel* pane = b.frame->pane(i);
            ASSERT_TRUE(panes.contains(pane));
            EXPECT_FALSE(pane->accessibleName().isEmpty()) << i;
            EXPECT_FALSE(pane->toolTip().isEmpty()) << i;
            names.insert(pane->accessibleName());
            tips.insert(pane->toolTip());
            if (language == Language::English) {
                EXPECT_EQ(pane->accessibleName(), QString::fromLatin1(english[i]));
            }
        }
        auto* crank = b.frame->statusBar()->findChild<QLabel*>(QStringLiteral("crankPane"));
        ASSERT_NE(crank, nullptr);
        EXPECT_TRUE(panes.contains(crank));
        names.insert(crank->accessibleName());
        tips.insert(crank->toolTip());
        if (language == Language::English) {
            EXPECT_EQ(crank->accessibleName(), QStringLiteral("Crank"));
        }
        EXPECT_EQ(names.size(), 12u) << "each name tells its pane apart";
        EXPECT_EQ(tips.size(), 12u);
        // The tip shows where the mouse rests.
        QLabel* tempo = b.frame->pane(5);
        QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), tempo->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(tempo, &hover);
        EXPECT_TRUE(hover.isAccepted());
    }
}

} // namespace
} // namespace zembra
