// Recording through the view on the manual clock: the count-in, the metronome the virtual device
// hears, keys by their place, and a MIDI keyboard fed through the virtual input.
#include "app/document_view_link.h"
#include "app/device_menus.h"
#include "canvas/kelp_view.h"
#include "canvas/key_map.h"
#include "canvas/key_position.h"
#include "midi/input_device_menu.h"
#include "midi/midi_bytes.h"
#include "midi/midi_in_port.h"
#include "midi/midi_toolkit.h"
#include "midi/notice_pump.h"
#include "midi/sync_clock.h"
#include "midi/virtual_device.h"
#include "midi/virtual_input.h"
#include "document/kelp_doc.h"
#include "services/command_ids.h"

#include "playback_fixture.h"
#include "scoped_scripted_prompts.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace zembra {
namespace {

using namespace std::chrono_literals;

struct Placed {
    int left;
    int row;
    bool operator==(const Placed&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Placed& p)
{
    return out << "{x " << p.left << ", row " << p.row << "}";
}

class Recording : public PlaybackFixture {
protected:
    void SetUp() override
    {
        PlaybackFixture::SetUp();
        view->resize(1000, 560);
        view->show();
        toolkit.virtualDevice().clear();
    }

    // Moves the clock to a tick (120 beats a minute: 96 ticks are half a second).
    void runTo(std::uint32_t tick)
    {
        while (clock.GetPosition() < tick) {
            toolkit.advance(1ms);
            toolkit.dispatchNotices();
        }
        ASSERT_EQ(clock.GetPosition(), tick);
    }

    void run(std::chrono::milliseconds span)
    {
        for (auto t = 0ms; t < span; t += 10ms) {
            toolkit.advance(10ms);
            toolkit.dispatchNotices();
            if ((t / 10ms) % 10 == 9) {
                view->playback().OnPlaybackTimer();
            }
        }
    }

    std::vector<Placed> notes() const
    {
        std::vector<Placed> result;
        const SongState& song = view->song();
        for (int i = 0; i < song.UsedEnd(); ++i) {
            if (song.IsLive(i)) {
                result.push_back({song.notes[i].left, song.RowOf(i)});
            }
        }
        return result;
    }

    // Note-ons sent at once (time 0xFFFFFFFF is sent outside the clock: tick 0 after a start).
    std::vector<std::pair<int, int>> channelOneStrikesAfter(std::size_t from)
    {
        std::vector<std::pair<int, int>> result;
        const auto sent = toolkit.virtualDevice().sent();
        for (std::size_t i = from; i < sent.size(); ++i) {
            if (sent[i].bytes[0] == kNoteOn && sent[i].bytes[2] > 0) {
                result.emplace_back(sent[i].bytes[1], sent[i].bytes[2]);
            }
        }
        return result;
    }

    void press(int toolkitKey, std::uint32_t nativeScanCode = 0)
    {
        QKeyEvent event(QEvent::KeyPress, toolkitKey, Qt::NoModifier, nativeScanCode, 0, 0);
        QApplication::sendEvent(view.get(), &event);
    }
};

TEST_F(Recording, AKeyAtTick480LandsOnTheSecondBeatAsASelectedNote)
{
    view->recorder().StartRecording();
    ASSERT_TRUE(view->recording());
    ASSERT_TRUE(view->playing());
    EXPECT_FALSE(view->playback().repeating());
    runTo(480);
    const std::size_t before = toolkit.virtualDevice().sent().size();
    view->recorder().RecordKey(vk::kZ);
    EXPECT_EQ(notes(), (std::vector<Placed>{{24, 0}}));
    EXPECT_EQ(view->song().selectedCount, 1);
    // The key sounds at once, at its row's pitch and velocity.
    EXPECT_EQ(channelOneStrikesAfter(before), (std::vector<std::pair<int, int>>{{60, view->song().rows[0].velocity}}));
}

// Every recording key on the 15- and the 33-note box: the keys play the box's rows from the lowest
// up, and a key beyond its rows neither sounds nor makes a note.
TEST_F(Recording, EveryKeyPlaysTheRowsOfTheBoxFromTheLowestUp)
{
    const int keys[] = {vk::kZ, vk::kX,  vk::kC,  vk::kV,  vk::kB,     vk::kN,     vk::kM,         vk::kComma,
                        vk::kPeriod, vk::kSlash, vk::kRightOfSlash, vk::k1 + 4, vk::k1 + 5, vk::k1 + 6,
                        vk::k1 + 7, vk::k9, vk::k0, vk::kMinus, vk::kRightOfMinus, vk::kYen};
    for (const char* id : {"15", "33"}) {
        SCOPED_TRACE(id);
        const MusicBox& box = *FindBuiltInBox(id);
        view->ResetSong();
        view->song().UseBox(box);
        view->UpdateScrollSizes();
        view->recorder().StartRecording();
        runTo(480);
        std::vector<int> rows;
        std::vector<std::pair<int, int>> sounded;
        for (int key : keys) {
            const std::size_t before = toolkit.virtualDevice().sent().size();
            view->recorder().RecordKey(key);
            for (const auto& strike : channelOneStrikesAfter(before)) {
                sounded.push_back(strike);
            }
        }
        for (const Placed& p : notes()) {
            rows.push_back(p.row);
        }
        view->playback().Stop();
        const int played = std::min<int>(20, static_cast<int>(box.notes.size()));
        std::vector<int> expectedRows;
        std::vector<std::pair<int, int>> expectedSounds;
        for (int row = 0; row < played; ++row) {
            expectedRows.push_back(row);
            expectedSounds.emplace_back(box.notes[static_cast<std::size_t>(row)], view->song().rows[0].velocity);
        }
        EXPECT_EQ(rows, expectedRows);
        EXPECT_EQ(sounded, expectedSounds);
        for (int i = 0; i < view->song().UsedEnd(); ++i) {
            if (view->song().IsLive(i)) {
                EXPECT_EQ(view->song().notes[i].pitch, box.notes[static_cast<std::size_t>(view->song().RowOf(i))]);
            }
        }
    }
}

TEST_F(Recording, CountInKeysMakeNoNoteUnlessQuarterSnapMovesThemOntoTheSong)
{
    view->recorder().StartRecording();
    runTo(364); // x -5
    view->recorder().RecordKey(vk::kX);
    EXPECT_TRUE(notes().empty());
    view->playback().Stop();
    view->song().snapQuarter = 1;
    view->recorder().StartRecording();
    runTo(364);
    view->recorder().RecordKey(vk::kX);
    EXPECT_EQ(notes(), (std::vector<Placed>{{0, 1}}));
}

TEST_F(Recording, UnmappedKeysAndArrowsDoNothing)
{
    view->recorder().StartRecording();
    runTo(480);
    view->recorder().RecordKey(vk::kZ);
    const std::vector<Placed> one = notes();
    const std::size_t sent = toolkit.virtualDevice().sent().size();
    for (int key : {int(Qt::Key_A), int(Qt::Key_S), int(Qt::Key_D), int(Qt::Key_Left), int(Qt::Key_Right),
                    int(Qt::Key_Up), int(Qt::Key_Down), int(Qt::Key_Return)}) {
        press(key);
    }
    EXPECT_EQ(notes(), one) << "the selected note did not move";
    EXPECT_TRUE(channelOneStrikesAfter(sent).empty());
}

TEST_F(Recording, KeyEventsRecordByTheirPlace)
{
    if (NativeScanCodeSet() != ScanCodeSet::XkbKeycode) {
        GTEST_SKIP() << "the places below are Linux key codes";
    }
    view->recorder().StartRecording();
    runTo(480);
    press(Qt::Key_W, 52);        // a French keyboard's W sits where the Z is
    press(Qt::Key_yen, 132);     // the Japanese yen key
    press(Qt::Key_Backslash, 97); // the Japanese key right of the slash
    press(Qt::Key_Z, 25);        // the French Z sits on a key that does not record
    press(Qt::Key_Comma);        // no place given: its meaning counts
    EXPECT_EQ(notes(), (std::vector<Placed>{{24, 0}, {24, 19}, {24, 10}, {24, 7}}));
    // A key that repeats because it is held is not a new press.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, 52, 0, 0, QString(), true);
    QApplication::sendEvent(view.get(), &repeat);
    EXPECT_EQ(notes().size(), 4u);
}

TEST_F(Recording, NotesJoinTheEarlierSelectionAndTwoPressesAtOneTickMakeTwo)
{
    SongState& song = view->song();
    const int earlier = song.AllocateNote(480, song.bandTopOfRow(12));
    song.NormaliseNote(earlier);
    view->PaintOffscreen();
    song.SelectAll();
    view->recorder().StartRecording();
    runTo(576);
    view->recorder().RecordKey(vk::kC);
    view->recorder().RecordKey(vk::kC);
    EXPECT_EQ(song.selectedCount, 3);
    view->playback().Stop();
    view->OnCommand(cmd::kClear);
    EXPECT_TRUE(notes().empty()) << "Clear takes the take with the earlier selection";
}

TEST_F(Recording, StopKeepsTheTakeAsOneUndoStep)
{
    view->recorder().StartRecording();
    runTo(480);
    view->recorder().RecordKey(vk::kZ);
    runTo(576);
    view->recorder().RecordKey(vk::kB);
    view->playback().Stop();
    EXPECT_FALSE(view->recording());
    EXPECT_TRUE(view->modified());
    ASSERT_EQ(notes().size(), 2u);
    view->edits().Undo();
    EXPECT_TRUE(notes().empty());
    view->edits().Redo();
    EXPECT_EQ(notes().size(), 2u);
}

TEST_F(Recording, StopWithoutANewNoteTakesNoSnapshot)
{
    view->recorder().StartRecording();
    run(300ms);
    view->playback().Stop();
    EXPECT_FALSE(view->edits().undoRing().canUndo());
    EXPECT_FALSE(view->modified());
}

TEST_F(Recording, TheMetronomeClicksOnChannelTwoFromTheCountInToTheEndOfTheCanvas)
{
    view->song().barCount = 2;
    view->UpdateScrollSizes();
    view->recorder().StartRecording();
    const auto programs = toolkit.virtualDevice().sent();
    bool clickProgram = false;
    for (const auto& sent : programs) {
        clickProgram = clickProgram || (sent.bytes[0] == (kProgramChange | 1) && sent.bytes[1] == 115);
    }
    EXPECT_TRUE(clickProgram) << "channel 2 gets program 115";
    // The count-in bar and two bars: 13 clicks a quarter apart, then the track ends a bar later.
    run(9000ms);
    std::vector<std::uint64_t> ticks;
    std::vector<int> keys;
    for (const auto& sent : toolkit.virtualDevice().sent()) {
        if (sent.bytes[0] == (kNoteOn | 1) && sent.bytes[2] > 0) {
            ticks.push_back(sent.tick);
            keys.push_back(sent.bytes[1]);
        }
    }
    std::vector<std::uint64_t> expectedTicks;
    std::vector<int> expectedKeys;
    for (int m = 0; m < 13; ++m) {
        expectedTicks.push_back(std::uint64_t(m) * 96);
        expectedKeys.push_back(m % 4 == 0 ? 106 : 88);
    }
    EXPECT_EQ(ticks, expectedTicks);
    EXPECT_EQ(keys, expectedKeys);
    EXPECT_FALSE(view->playing()) << "recording does not repeat";
    EXPECT_FALSE(view->recording());
}

TEST_F(Recording, ATakeThatRunsToTheEndIsKept)
{
    view->song().barCount = 1;
    view->UpdateScrollSizes();
    view->recorder().StartRecording();
    runTo(480);
    view->recorder().RecordKey(vk::kN);
    run(5000ms);
    ASSERT_FALSE(view->recording());
    EXPECT_TRUE(view->modified());
    EXPECT_TRUE(view->edits().undoRing().canUndo());
}

// The same take played on the computer keyboard and on a MIDI keyboard.
TEST_F(Recording, AMidiKeyboardRecordsTheSameNotesAsTheKeys)
{
    struct Hit {
        std::uint32_t tick;
        int vk;
        int pitch;
    };
    const Hit take[] = {{480, vk::kZ, 60}, {576, vk::k1 + 4, 72}, {600, vk::kYen, 80}, {700, vk::kComma, 68}};
    view->recorder().StartRecording();
    for (const Hit& hit : take) {
        runTo(hit.tick);
        view->recorder().RecordKey(hit.vk);
    }
    const std::vector<Placed> byKeys = notes();
    view->playback().Stop();
    view->ResetSong();

    ASSERT_EQ(toolkit.GetNumInDevices(), 1u);
    ASSERT_TRUE(view->recorder().OpenInput(0));
    view->recorder().StartRecording();
    VirtualInput& keyboard = toolkit.virtualInput();
    for (const Hit& hit : take) {
        runTo(hit.tick);
        keyboard.feed(kNoteOn, static_cast<std::uint8_t>(hit.pitch), 100);
        keyboard.feed(kNoteOn, static_cast<std::uint8_t>(hit.pitch), 0); // let go: nothing
        toolkit.dispatchNotices();
    }
    EXPECT_EQ(notes(), byKeys);
    EXPECT_EQ(byKeys.size(), 4u);
}

TEST_F(Recording, MidiKeysOffTheCombOnlySound)
{
    ASSERT_TRUE(view->recorder().OpenInput(0));
    view->recorder().StartRecording();
    runTo(480);
    const std::size_t before = toolkit.virtualDevice().sent().size();
    toolkit.virtualInput().feed(kNoteOn, 61, 90);      // C#: no row
    toolkit.virtualInput().feed(kNoteOn | 3, 95, 50); // another channel, above the comb
    toolkit.virtualInput().feed(kControlChange, 64, 127);
    toolkit.dispatchNotices();
    EXPECT_TRUE(notes().empty());
    EXPECT_EQ(channelOneStrikesAfter(before), (std::vector<std::pair<int, int>>{{61, 90}, {95, 50}}));
    // During the count-in a comb key sounds and makes no note.
    view->playback().Stop();
    view->recorder().StartRecording();
    runTo(96);
    toolkit.virtualInput().feed(kNoteOn, 60, 90);
    toolkit.dispatchNotices();
    EXPECT_TRUE(notes().empty());
}

TEST_F(Recording, AClosedInputDeliversNothing)
{
    ASSERT_TRUE(view->recorder().OpenInput(0));
    view->recorder().StartRecording();
    runTo(480);
    toolkit.virtualInput().feed(kNoteOn, 60, 90);
    view->recorder().OpenInput(-1);
    toolkit.dispatchNotices();
    EXPECT_TRUE(notes().empty());
    EXPECT_FALSE(view->recorder().OpenInput(7)) << "no such input";
    EXPECT_EQ(scripted->messages().size(), 1u);
}

TEST(RecordingMenu, TheMidiMenuListsTheInputsAndMovesItsCheckMark)
{
    ScopedScriptedPrompts scripted;
    auto time = std::make_shared<ManualTimeSource>();
    MidiToolkit toolkit(ToolkitOptions::manual(time));
    SharedToolkit installer(&toolkit);
    SyncClock clock(toolkit);
    ASSERT_TRUE(clock.Open());
    QMenuBar bar;
    QAction* help = bar.addMenu(QStringLiteral("Help"))->menuAction();
    CKelpDoc doc;
    CKelpView view;
    LinkDocumentAndView(doc, view);
    const DeviceMenus menus = DeviceMenus::Build(&bar, help, &view);
    view.AttachToFrame(&clock, menus.outputs, menus.inputs);
    InputDeviceMenu* menu = view.recorder().inputMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->itemCount(), 1);
    QAction* item = menu->item(0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->data().toInt(), cmd::kFirstInput);
    item->trigger();
    EXPECT_TRUE(view.recorder().input().IsOpen());
    EXPECT_EQ(menu->checkedIndex(), 0);
    item->trigger();
    EXPECT_FALSE(view.recorder().input().IsOpen()) << "picking it again lets go";
    EXPECT_EQ(menu->checkedIndex(), -1);
    view.DetachFromFrame();
}

// The real path: the steady clock, a keyboard playing on its own thread, the notice pump and the
// event loop. The note must reach the view on the GUI thread.
TEST(RecordingLive, AMidiKeyboardOnItsOwnThreadRecordsOnTheGuiThread)
{
    ScopedScriptedPrompts scripted;
    ToolkitOptions options;
    options.virtualOnly = true;
    MidiToolkit toolkit(options);
    SharedToolkit installer(&toolkit);
    NoticePump pump(toolkit);
    SyncClock clock(toolkit);
    ASSERT_TRUE(clock.Open());
    CKelpDoc doc;
    CKelpView view;
    LinkDocumentAndView(doc, view);
    doc.setClock(&clock);
    view.AttachToFrame(&clock, nullptr, nullptr);
    ASSERT_TRUE(view.recorder().OpenInput(0));
    view.song().snapQuarter = 1; // wherever the clock is, the note lands on a beat
    view.recorder().StartRecording();
    ASSERT_TRUE(view.recording());

    QEventLoop loop;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&view, &CKelpView::stateChanged, &loop, [&] {
        if (view.song().noteCount > 0) {
            loop.quit();
        }
    });
    // Past the count-in: two seconds at 120 beats a minute.
    QTimer::singleShot(2100, &loop, [&] {
        std::thread player([&] { toolkit.virtualInput().feed(kNoteOn, 62, 100); });
        player.join();
    });
    watchdog.start(10000);
    loop.exec();
    EXPECT_TRUE(watchdog.isActive()) << "the note did not arrive";
    ASSERT_EQ(view.song().noteCount, 1);
    EXPECT_EQ(view.song().RowOf(0), 1);
    EXPECT_EQ(view.song().notes[0].left % view.song().pixelsPerQuarter, 0);
    view.playback().Stop();
    view.DetachFromFrame();
}

} // namespace
} // namespace zembra
