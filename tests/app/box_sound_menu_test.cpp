// The Play menu's box sound: the setting kept between runs, the tuning as an undoable change of
// the song, given to the built-in synthesizer, and the note for another device.
#include "app/box_sound_menu.h"
#include "midi/virtual_device.h"
#include "model/playback_list.h"
#include "services/command_ids.h"
#include "services/settings.h"
#include "window_bench.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <algorithm>

namespace zembra {
namespace {

TEST(BoxSoundMenu, TheSettingIsKeptAndTheTuningIsAnUndoableChangeOfTheSong)
{
    WindowBench bench;
    auto* menu = bench.frame->findChild<BoxSoundMenu*>();
    ASSERT_NE(menu, nullptr);
    // In the Play menu, beside Play.
    QMenu* play = nullptr;
    for (QAction* popup : bench.frame->menuBar()->actions()) {
        if (popup->menu() && popup->menu()->actions().contains(menu->asBoxAction())) {
            play = popup->menu();
        }
    }
    ASSERT_NE(play, nullptr);
    const QList<QAction*> items = play->actions();
    EXPECT_TRUE(std::any_of(items.begin(), items.end(), [](QAction* a) { return a->data().toInt() == cmd::kPlay; }));

    // On at first, off when unchecked, and kept.
    EXPECT_TRUE(menu->asBoxAction()->isChecked());
    EXPECT_TRUE(bench.view->playback().playAsBox());
    menu->asBoxAction()->trigger();
    EXPECT_FALSE(bench.view->playback().playAsBox());
    EXPECT_FALSE(settings::PlayAsBox());
    menu->asBoxAction()->trigger();
    EXPECT_TRUE(settings::PlayAsBox());

    // The 33-note box carries no cents of its own.
    menu->Refresh();
    EXPECT_TRUE(menu->tuningAction(Tuning::Equal)->isChecked());
    EXPECT_FALSE(menu->tuningAction(Tuning::Box)->isEnabled());
    EXPECT_TRUE(menu->tuningAction(Tuning::Just)->isEnabled());
    EXPECT_FALSE(menu->builtInOnlyNote()->isVisible());

    menu->tuningAction(Tuning::Just)->trigger();
    EXPECT_EQ(bench.view->song().tuning, Tuning::Just);
    EXPECT_TRUE(menu->tuningAction(Tuning::Just)->isChecked());
    EXPECT_TRUE(bench.view->edits().modified());
    const std::array<double, 128> tuned = bench.toolkit.virtualDevice().tuning(kMusicBoxChannelIndex);
    EXPECT_NEAR(tuned[67], 1.96, 0.01) << "a pure fifth on C, given to the synthesizer at once";

    bench.frame->action(cmd::kUndo)->trigger();
    EXPECT_EQ(bench.view->song().tuning, Tuning::Equal);
    bench.frame->action(cmd::kRedo)->trigger();
    EXPECT_EQ(bench.view->song().tuning, Tuning::Just);

    // On another device the menu says that only the built-in synthesizer takes a tuning.
    bench.view->playback().OnDeviceMenu(cmd::kFirstDevice + bench.toolkit.virtualDeviceIndex());
    ASSERT_GE(bench.view->playback().device(), 0);
    menu->Refresh();
    EXPECT_TRUE(menu->builtInOnlyNote()->isVisible());
    EXPECT_FALSE(menu->builtInOnlyNote()->isEnabled());
}

} // namespace
} // namespace zembra
