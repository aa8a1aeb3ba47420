// Play > Crank through the real paths: wheel events sent to the canvas, the Down and Up keys, and
// control changes fed to the virtual MIDI input on a thread of their own and brought over by the
// real notice pump. Each hole sounds at the step that carries the comb over it, and nothing sounds
// while the hand is still. A turn that hung the window would end the program through the watchdog.
#include "canvas/kelp_view.h"
#include "midi/midi_bytes.h"
#include "midi/midi_in_port.h"
#include "midi/midi_toolkit.h"
#include "midi/notice_pump.h"
#include "midi/virtual_device.h"
#include "midi/virtual_input.h"
#include "services/command_ids.h"

#include "playback_fixture.h"
#include "watchdog.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <map>
#include <thread>
#include <vector>

namespace zembra {
namespace {

using namespace std::chrono_literals;

constexpr auto kTurnLimit = 20s; // generous: sanitizers on a shared two-core machine

// The new song's bar: 96 pixels (24 a quarter, 4/4) printed 50 mm long; a step is 2 mm of card.
constexpr double kMmPerPixel = 50.0 / 96.0;
constexpr double kStepMm = 2.0;

class Crank : public PlaybackFixture {
protected:
    Crank()
        : pump(toolkit)
    {
    }

    void SetUp() override
    {
        PlaybackFixture::SetUp();
        view->resize(1000, 560);
        view->show();
        // No hole lies exactly on a step's end (a multiple of 96 pixels): each has one step to sound at.
        const int lefts[] = {0, 5, 7, 24, 25, 48, 50, 97, 100, 150};
        for (int row = 0; row < static_cast<int>(std::size(lefts)); ++row) {
            SongState& song = view->song();
            const int slot = song.AllocateNote(lefts[row], song.bandTopOfRow(row));
            song.NormaliseNote(slot);
            holes.push_back({song.notes[static_cast<std::size_t>(slot)].pitch, lefts[row]});
        }
        view->PaintOffscreen();
        ASSERT_EQ(view->song().noteCount, static_cast<int>(holes.size()));
        ASSERT_TRUE(view->recorder().OpenInput(0));
        QApplication::processEvents();
        toolkit.virtualDevice().clear();
    }

    void TearDown() override
    {
        view->recorder().OpenInput(-1);
        PlaybackFixture::TearDown();
    }

    // The pitches struck since the last call.
    std::vector<int> struck()
    {
        std::vector<int> pitches;
        const auto sent = toolkit.virtualDevice().sent();
        for (std::size_t i = seen; i < sent.size(); ++i) {
            if ((sent[i].bytes[0] & kStatusTypeMask) == kNoteOn && sent[i].bytes[2] > 0) {
                pitches.push_back(sent[i].bytes[1]);
            }
        }
        seen = sent.size();
        return pitches;
    }

    void wheel(int angle)
    {
        const QPoint at(300, 200);
        QWheelEvent event(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &event);
    }

    // A controller on its own thread, as RtMidi's would be; the pump brings it to the GUI thread.
    void controlChange(std::uint8_t controller, std::uint8_t value)
    {
        std::thread knob([&] { toolkit.virtualInput().feed(kControlChange | 2, controller, value); });
        knob.join();
        QApplication::processEvents();
    }

    // The hand is still: time passes on the toolkit's clock, notices and events are delivered.
    void still()
    {
        toolkit.advance(5s);
        toolkit.dispatchNotices();
        QApplication::processEvents();
    }

    struct Hole {
        int pitch;
        int left;
    };
    std::vector<Hole> holes;
    std::size_t seen = 0;
    NoticePump pump;
};

// By hand: the hole at `left` pixels is left * 50/96 mm along the card; the comb reaches it on
// the step that ends past it.
int stepOfHole(int left)
{
    return static_cast<int>(std::floor(left * kMmPerPixel / kStepMm)) + 1;
}

TEST_F(Crank, EachHoleSoundsAtTheStepThatPassesItWhateverTurnsTheCrank)
{
    test::Watchdog watchdog(kTurnLimit, "cranking by wheel, keys and controller");
    view->OnCommand(cmd::kCrank);
    ASSERT_TRUE(view->crank().active());
    EXPECT_TRUE(view->facts().cranking);
    EXPECT_FALSE(view->playing()) << "the clock plays nothing";

    std::map<int, int> expected; // step → how many holes it passes
    for (const Hole& hole : holes) {
        ++expected[stepOfHole(hole.left)];
    }
    const int lastStep = stepOfHole(150) + 2;
    int strikes = 0;
    for (int step = 1; step <= lastStep; ++step) {
        switch (step % 4) {
        case 0:
            wheel(-120);
            break;
        case 1:
            QTest::keyClick(view.get(), Qt::Key_Down);
            break;
        case 2:
            controlChange(static_cast<std::uint8_t>(step % 120), 64);
            break;
        default:
            // A fine wheel: two halves of a notch are one step.
            wheel(-60);
            EXPECT_TRUE(struck().empty()) << "half a notch turns nothing";
            wheel(-60);
            break;
        }
        const std::vector<int> sounded = struck();
        const auto found = expected.find(step);
        EXPECT_EQ(static_cast<int>(sounded.size()), found == expected.end() ? 0 : found->second) << "step " << step;
        for (int pitch : sounded) {
            for (const Hole& hole : holes) {
                if (hole.pitch == pitch) {
                    EXPECT_EQ(stepOfHole(hole.left), step) << "the hole at " << hole.left;
                }
            }
        }
        strikes += static_cast<int>(sounded.size());
        EXPECT_NEAR(view->crank().position(), step * kStepMm / kMmPerPixel, 1e-9);
        EXPECT_EQ(view->crank().cursorCanvasX(), static_cast<int>(std::floor(step * kStepMm / kMmPerPixel)))
            << "the cursor follows";
        still();
        EXPECT_TRUE(struck().empty()) << "nothing sounds while the hand is still, after step " << step;
    }
    EXPECT_EQ(strikes, static_cast<int>(holes.size())) << "each hole once";
    EXPECT_TRUE(view->crank().cursorShown());
    EXPECT_TRUE(test::eventLoopAnswers());
}

TEST_F(Crank, TurnedBackTheCardIsSilentAndSoundsAgainGoingForward)
{
    test::Watchdog watchdog(kTurnLimit, "cranking back and forth");
    view->OnCommand(cmd::kCrank);
    for (int i = 0; i < 4; ++i) {
        wheel(-120); // 15.36 pixels: the holes up to x 15
    }
    EXPECT_EQ(struck().size(), 3u);
    QTest::keyClick(view.get(), Qt::Key_Up);
    wheel(120);
    wheel(120);
    EXPECT_TRUE(struck().empty()) << "back is silent";
    EXPECT_NEAR(view->crank().position(), 1 * kStepMm / kMmPerPixel, 1e-9) << "four forward, three back";
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(view.get(), Qt::Key_Up);
    }
    EXPECT_DOUBLE_EQ(view->crank().position(), 0) << "never before the start";
    QTest::keyClick(view.get(), Qt::Key_Down);
    const std::vector<int> again = struck();
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0], holes[0].pitch) << "the first hole once more";
}

TEST_F(Crank, StopEscapeAndTheMenuItemAgainEndIt)
{
    test::Watchdog watchdog(kTurnLimit, "ending the crank");
    struct Ending {
        const char* what;
        std::function<void()> end;
    };
    const Ending endings[] = {
        {"Stop", [&] { view->OnCommand(cmd::kStop); }},
        {"Esc", [&] { QTest::keyClick(view.get(), Qt::Key_Escape); }},
        {"Play > Crank again", [&] { view->OnCommand(cmd::kCrank); }},
        {"Play", [&] { view->OnCommand(cmd::kPlay); }},
    };
    for (const Ending& ending : endings) {
        ASSERT_TRUE(view->OnCommand(cmd::kCrank)) << ending.what;
        ASSERT_TRUE(view->crank().active());
        EXPECT_TRUE(StateOf(cmd::kStop, view->facts()).enabled);
        EXPECT_TRUE(StateOf(cmd::kCrank, view->facts()).checked);
        if (std::string(ending.what) == "Play") {
            EXPECT_FALSE(StateOf(cmd::kPlay, view->facts()).enabled) << "playing waits for the hand to let go";
            view->playback().Play();
        } else {
            ending.end();
        }
        EXPECT_FALSE(view->crank().active()) << ending.what;
        EXPECT_FALSE(view->crank().cursorShown()) << ending.what;
        if (view->playing()) {
            view->playback().Stop();
        }
        struck();
        wheel(-120);
        QTest::keyClick(view.get(), Qt::Key_Down);
        controlChange(1, 1);
        EXPECT_TRUE(struck().empty()) << "after " << ending.what << " nothing turns";
    }
}

TEST_F(Crank, TheCardRunsOutAtTheEndOfTheMusic)
{
    test::Watchdog watchdog(kTurnLimit, "cranking to the end");
    view->OnCommand(cmd::kCrank);
    const int steps = static_cast<int>(std::ceil(view->song().musicLength * kMmPerPixel / kStepMm));
    for (int i = 0; i < steps - 1; ++i) {
        view->crank().Turn(1);
    }
    EXPECT_TRUE(view->crank().active());
    QTest::keyClick(view.get(), Qt::Key_Down);
    EXPECT_FALSE(view->crank().active()) << "the last step passes the end of the music";
    EXPECT_EQ(struck().size(), holes.size());
}

} // namespace
} // namespace zembra
