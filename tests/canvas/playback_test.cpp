// The canvas played through the virtual device on the manual clock: what is sent, and when.
#include "app/document_view_link.h"
#include "canvas/kelp_view.h"
#include "midi/midi_bytes.h"
#include "midi/midi_out_port.h"
#include "midi/midi_toolkit.h"
#include "midi/sync_clock.h"
#include "midi/virtual_device.h"
#include "model/damper_clicks.h"
#include "model/playback_list.h"
#include "document/kelp_doc.h"

#include "playback_fixture.h"
#include "scoped_scripted_prompts.h"

#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace zembra {
namespace {

using namespace std::chrono_literals;

struct Strike {
    std::uint64_t tick;
    int key;
    int velocity;
    bool operator==(const Strike&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Strike& s)
{
    return out << "{tick " << s.tick << ", key " << s.key << ", vel " << s.velocity << "}";
}

class Playback : public PlaybackFixture {
protected:
    void SetUp() override
    {
        PlaybackFixture::SetUp();
        view->resize(1000, 560);
        view->show();
        toolkit.virtualDevice().clear();
    }

    void note(int left, int row)
    {
        SongState& song = view->song();
        const int slot = song.AllocateNote(left, song.bandTopOfRow(row));
        song.NormaliseNote(slot);
        view->PaintOffscreen();
    }

    // Lets the manual clock run, delivering notices and timer ticks as the event loop would.
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

    // The note-on events the device was sent (program changes and note offs left out).
    std::vector<Strike> strikes()
    {
        std::vector<Strike> result;
        for (const VirtualDevice::Sent& sent : toolkit.virtualDevice().sent()) {
            if ((sent.bytes[0] & 0xF0) == kNoteOn) {
                result.push_back({sent.tick, sent.bytes[1], sent.bytes[2]});
            }
        }
        return result;
    }

    std::vector<VirtualDevice::Sent> noteOffs()
    {
        std::vector<VirtualDevice::Sent> result;
        for (const VirtualDevice::Sent& sent : toolkit.virtualDevice().sent()) {
            if ((sent.bytes[0] & 0xF0) == kNoteOff) {
                result.push_back(sent);
            }
        }
        return result;
    }
};

TEST_F(Playback, OneNotePlucksAtTickZeroAndClosesABarLater)
{
    note(0, 0); // C 60
    view->playback().Play();
    ASSERT_TRUE(view->playing());
    run(1900ms);
    EXPECT_EQ(strikes(), (std::vector<Strike>{{0, 60, 0}, {0, 60, 64}}));
    run(200ms); // 384 ticks at 120 beats per minute is 2 seconds
    const std::vector<Strike> all = strikes();
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all[2], (Strike{384, 60, 0}));
    bool programSent = false;
    for (const auto& sent : toolkit.virtualDevice().sent()) {
        programSent = programSent || (sent.bytes[0] == kProgramChange && sent.bytes[1] == 10);
    }
    EXPECT_TRUE(programSent);
}

TEST_F(Playback, TwoNotesAtOnePlacePluckTwice)
{
    note(48, 5);
    note(48, 5);
    view->playback().Play();
    run(1500ms); // x 48 is tick 192, one second in
    EXPECT_EQ(strikes(), (std::vector<Strike>{{192, 66, 0}, {192, 66, 64}, {192, 66, 0}, {192, 66, 64}}));
}

TEST_F(Playback, TemporaryTranspositionSoundsButIsNotStored)
{
    note(0, 0);
    view->song().temporaryTransposition = 2;
    view->playback().Play();
    run(300ms);
    EXPECT_EQ(strikes(), (std::vector<Strike>{{0, 62, 0}, {0, 62, 64}}));
    EXPECT_EQ(view->song().notes[0].pitch, 60);
}

TEST_F(Playback, ASongOfAnotherBoxSoundsThePitchesOfItsRows)
{
    // The 30-note box in F: its low F3 and G3 and its top A6 are no notes of the 33-note box.
    view->song().UseBox(*FindBuiltInBox("30F"));
    view->UpdateScrollSizes();
    note(0, 0);
    note(24, 1);
    note(48, 29);
    view->playback().Play();
    run(1500ms);
    EXPECT_EQ(strikes(), (std::vector<Strike>{{0, 53, 0}, {0, 53, 64}, {96, 55, 0}, {96, 55, 64}, {192, 93, 0},
                                               {192, 93, 64}}));
}

TEST_F(Playback, RangePlaysOnlyTheNotesInsideFromTickZero)
{
    for (int x : {24, 48, 72, 96, 120}) {
        note(x, 3);
    }
    view->playback().PlayRange(48, 96);
    run(1500ms);
    std::vector<std::uint64_t> ticks;
    for (const Strike& s : strikes()) {
        if (s.velocity > 0) {
            ticks.push_back(s.tick);
        }
    }
    EXPECT_EQ(ticks, (std::vector<std::uint64_t>{0, 96, 192}));
}

TEST_F(Playback, TheEndOfTheMaterialStartsAgain)
{
    note(0, 0);
    view->playback().Play();
    run(4500ms); // two bars of material and a little more
    int plucks = 0;
    for (const Strike& s : strikes()) {
        plucks += s.velocity > 0 ? 1 : 0;
    }
    EXPECT_EQ(plucks, 3);
    EXPECT_TRUE(view->playing());
    EXPECT_TRUE(view->playback().repeating());
}

TEST_F(Playback, AClickRestartsAtTheBeatBeforeIt)
{
    note(0, 0);
    note(96, 10);  // B 71
    note(192, 20); // A 81
    note(576, 1);  // a note in the sixth bar makes the music six bars long
    view->playback().Play();
    run(300ms);
    toolkit.virtualDevice().clear();
    // Canvas x 100 in the second bar: the start moves to the beat at 96.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(100 + 20, 300));
    EXPECT_EQ(view->playback().playbackStartX(), 96);
    run(300ms);
    const std::vector<Strike> after = strikes();
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after.front().key, 71);
    EXPECT_EQ(after.front().tick, 0u);
}

TEST_F(Playback, StopSilencesEverySoundingNote)
{
    note(0, 0);
    note(0, 4);
    view->playback().Play();
    run(300ms);
    view->playback().Stop();
    EXPECT_FALSE(view->playing());
    std::vector<int> silenced;
    for (const auto& off : noteOffs()) {
        silenced.push_back(off.bytes[1]);
    }
    std::sort(silenced.begin(), silenced.end());
    EXPECT_EQ(silenced, (std::vector<int>{60, 65}));
    const std::size_t count = toolkit.virtualDevice().sent().size();
    run(3000ms);
    EXPECT_EQ(strikes().size(), 4u) << "nothing plays after Stop";
    EXPECT_GE(toolkit.virtualDevice().sent().size(), count);
}

TEST_F(Playback, TheCursorFollowsTheBeats)
{
    note(0, 0);
    note(500, 0);
    view->playback().Play();
    run(1000ms); // two beats at 120 beats per minute
    EXPECT_EQ(view->paneText(kPaneX).trimmed(), QStringLiteral("2"));
    EXPECT_EQ(view->paneText(kPaneY).trimmed(), QStringLiteral("1"));
    EXPECT_EQ(view->playback().cursorX(), 2 * 24 + 20);
}

TEST_F(Playback, HoverSoundsANoteOnce)
{
    note(100, 0);
    toolkit.virtualDevice().clear();
    QTest::mouseMove(view->viewport(), QPoint(100 + 20 + 2, 436));
    QTest::mouseMove(view->viewport(), QPoint(100 + 20 + 4, 438));
    toolkit.dispatchNotices();
    EXPECT_EQ(strikes(), (std::vector<Strike>{{0, 60, 0}, {0, 60, 64}}));
}

TEST(PlaybackWithoutDevices, StartsSilentlyAndSaysSoOnce)
{
    ScopedScriptedPrompts scripted;
    ToolkitOptions options;
    options.time = std::make_shared<ManualTimeSource>();
    options.virtualOnly = false;
    options.soundFontPath = "/nonexistent/none.sf2";
    MidiToolkit toolkit(options);
    for (std::uint16_t d = 0; d < toolkit.GetNumOutDevices(); ++d) {
        MidiOutCaps caps;
        if (d != toolkit.virtualDeviceIndex() && toolkit.GetMidiOutCaps(d, caps) && caps.simultaneousNotes > 0) {
            GTEST_SKIP() << "this machine has a synthesizer port";
        }
    }
    SharedToolkit installer(&toolkit);
    SyncClock clock(toolkit);
    clock.Open();
    CKelpDoc doc;
    CKelpView view;
    LinkDocumentAndView(doc, view);
    view.AttachToFrame(&clock, nullptr, nullptr);
    EXPECT_EQ(scripted->messages().size(), 1);
    EXPECT_FALSE(view.playback().port().IsOpen());
    view.song().AllocateNote(0, 50);
    view.PaintOffscreen();
    view.playback().Play();
    view.playback().Stop();
    EXPECT_EQ(scripted->messages().size(), 1) << "playing on a closed port says nothing more";
    view.DetachFromFrame();
}

} // namespace
} // namespace zembra

#include "app/tempo_dialog.h"
#include "midi/output_device_menu.h"

#include <QMenuBar>
#include <QSlider>

namespace zembra {
namespace {

// Here the toolkit has only the monitor, which the synthesizer item would name a second time.
TEST_F(Playback, DeviceMenuListsTheDevicesAndTheSynthesizerEachOnce)
{
    QMenuBar bar;
    QAction* help = bar.addMenu(QStringLiteral("Help"))->menuAction();
    OutputDeviceMenu menu(toolkit);
    menu.SetPort(&view->playback().port());
    menu.Build(&bar, help, QStringLiteral("&Midi"), 201);
    ASSERT_EQ(bar.actions().size(), 2);
    EXPECT_EQ(bar.actions()[0]->text(), QStringLiteral("&Midi"));
    const int devices = static_cast<int>(toolkit.GetNumOutDevices());
    ASSERT_TRUE(toolkit.mapperIsMonitor());
    ASSERT_EQ(menu.itemCount(), devices) << "the devices, the synthesizer among them as the monitor";
    EXPECT_EQ(menu.mapperItemId(), 0);
    EXPECT_EQ(menu.checkedId(), 0) << "nothing is checked until the user picks";

    EXPECT_EQ(menu.Choose(0), 1) << "an index is taken as the item it counts to";
    EXPECT_TRUE(view->playback().port().IsOpen());
    EXPECT_EQ(menu.checkedId(), 201);
    EXPECT_EQ(menu.Choose(201 + devices), 0) << "outside the menu";
    EXPECT_EQ(menu.checkedId(), 201);
    EXPECT_TRUE(menu.item(201)->isChecked());
}

TEST_F(Playback, PickingTheSynthesizerItemFromTheViewDoesNothing)
{
    const std::uint16_t before = view->playback().port().Device();
    view->playback().OnDeviceMenu(201 + static_cast<int>(toolkit.GetNumOutDevices()));
    EXPECT_EQ(view->playback().port().Device(), before);
    EXPECT_TRUE(scripted->asked().empty());
}

TEST_F(Playback, TempoSliderPositions)
{
    struct Case {
        std::uint32_t clockTempo;
        int position;
        const char* readout;
    };
    const Case cases[] = {
        {1200000, 2000, "50"}, {1500000, 2000, "40"}, {500000, 7000, "120"}, {200000, 10000, "300"}, {100000, 10000, "600"},
        {500050, 7000, "119"},
    };
    for (const Case& c : cases) {
        clock.SetTempo(c.clockTempo);
        TempoDialog dialog(*view, clock);
        EXPECT_EQ(dialog.slider()->value(), c.position) << c.clockTempo;
        EXPECT_EQ(dialog.readout(), QString::fromLatin1(c.readout)) << c.clockTempo;
        EXPECT_EQ(dialog.pos(), TempoDialog::kScreenPosition);
    }
}

TEST_F(Playback, TempoSliderReachesTheClockAtOnceAndCancelRestores)
{
    view->song().tempo = 500000.0;
    clock.SetTempo(500000);
    ASSERT_FALSE(view->modified());
    TempoDialog dialog(*view, clock);
    dialog.slider()->setValue(10000);
    dialog.ApplySlider();
    EXPECT_EQ(clock.GetTempo(), 200000u);
    EXPECT_EQ(dialog.readout(), QStringLiteral("300"));
    dialog.reject();
    EXPECT_EQ(clock.GetTempo(), 500000u);
    EXPECT_EQ(view->song().tempo, 500000.0);
    EXPECT_FALSE(view->modified());
}

TEST_F(Playback, TempoOkStoresTheSliderTempoAndMarksTheSong)
{
    view->song().tempo = 500050.0;
    clock.SetTempo(500050);
    TempoDialog dialog(*view, clock);
    dialog.accept();
    EXPECT_EQ(view->song().tempo, 500000.0) << "rounded down to the slider's step";
    EXPECT_EQ(clock.GetTempo(), 500000u);
    EXPECT_TRUE(view->modified());
}

TEST_F(Playback, TempoChangesWhilePlaying)
{
    note(0, 0);
    note(96, 0); // tick 384: 2 seconds in at 120 beats per minute
    view->playback().Play();
    run(200ms);
    TempoDialog dialog(*view, clock);
    dialog.slider()->setValue(9500); // 250000: twice as fast
    dialog.ApplySlider();
    run(1000ms);
    std::vector<std::uint64_t> ticks;
    for (const Strike& s : strikes()) {
        if (s.velocity > 0) {
            ticks.push_back(s.tick);
        }
    }
    // 38.4 ticks in the first 0.2 s, the other 345.6 in 0.9 s at 240 beats per minute.
    EXPECT_EQ(ticks, (std::vector<std::uint64_t>{0, 384}));
}

TEST_F(Playback, AsTheBoxATooCloseNoteIsTheDampersClickInTheSongsTuning)
{
    // At a 50 mm bar the 8 mm repeat is 16 pixels: x 8 follows x 0 too closely, x 48 does not.
    note(0, 0);
    note(8, 0);
    note(48, 0);
    view->song().tuning = Tuning::Meantone;
    view->playback().SetPlayAsBox(true);
    view->playback().Play();
    run(1500ms);
    const std::vector<Strike> click = {{32, 60, 0}, {32, kDamperClickKey, kDamperClickVelocity}};
    EXPECT_EQ(strikes(), (std::vector<Strike>{{0, 60, 0}, {0, 60, 64}, click[0], click[1], {192, 60, 0},
                                               {192, 60, 64}}));
    int percussion = 0;
    for (const VirtualDevice::Sent& sent : toolkit.virtualDevice().sent()) {
        percussion += sent.bytes[0] == (kNoteOn | kDamperClickChannel) ? 1 : 0;
    }
    EXPECT_EQ(percussion, 1) << "the click is on the percussion channel";
    const std::array<double, 128> tuned = toolkit.virtualDevice().tuning(kMusicBoxChannelIndex);
    EXPECT_NEAR(tuned[64], -13.69, 0.01) << "E is a pure third above C";
    EXPECT_NEAR(tuned[60], 0.0, 1e-9);

    view->playback().Stop();
    toolkit.virtualDevice().clear();
    view->playback().SetPlayAsBox(false);
    view->playback().Play();
    run(1500ms);
    EXPECT_EQ(strikes(), (std::vector<Strike>{{0, 60, 0}, {0, 60, 64}, {32, 60, 0}, {32, 60, 64}, {192, 60, 0},
                                               {192, 60, 64}}))
        << "plain, every note is a pluck";
}

} // namespace
} // namespace zembra
