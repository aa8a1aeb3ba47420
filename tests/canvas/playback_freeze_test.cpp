// Playback of material that holds no note, on the steady clock with the real notice pump and
// the real event loop: each gesture must come back, leave playback stopped and the window
// answering. A gesture that hangs ends the program through the watchdog.
#include "canvas/kelp_view.h"
#include "midi/midi_bytes.h"
#include "midi/midi_toolkit.h"
#include "midi/notice_pump.h"
#include "midi/sync_clock.h"
#include "midi/virtual_device.h"
#include "document/kelp_doc.h"

#include "playback_fixture.h"
#include "scoped_scripted_prompts.h"
#include "watchdog.h"

#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace zembra {
namespace {

using namespace std::chrono_literals;

constexpr auto kGestureLimit = 20s;  // generous: sanitizers on a shared two-core machine
// Far more than one start sends (a few program changes), far fewer than a restart loop would.
constexpr std::size_t kFewEvents = 200;

ToolkitOptions steadyVirtual()
{
    ToolkitOptions options;
    options.time = std::make_shared<SteadyTimeSource>();
    options.virtualOnly = true;
    return options;
}

class SteadyPlayback : public PlaybackFixture {
protected:
    SteadyPlayback()
        : PlaybackFixture(steadyVirtual())
        , pump(toolkit)
    {
    }

    void SetUp() override
    {
        PlaybackFixture::SetUp();
        view->resize(1000, 560);
        view->show();
        // Notes at the start of the song only: the last one at x 90, 24 pixels per quarter, 4/4.
        note(0, 0);
        note(48, 4);
        note(90, 8);
        test::runEventLoopFor(20ms);
        toolkit.virtualDevice().clear();
    }

    void note(int left, int row)
    {
        SongState& song = view->song();
        const int slot = song.AllocateNote(left, song.bandTopOfRow(row));
        song.NormaliseNote(slot);
        view->PaintOffscreen();
    }

    static QPoint at(int canvasX, int y) { return {canvasX + 20, y}; }

    void rangeDrag(QPoint from, QPoint to)
    {
        const Qt::KeyboardModifiers both = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::mousePress(view->viewport(), Qt::LeftButton, both, from);
        QTest::mouseMove(view->viewport(), (from + to) / 2);
        QTest::mouseMove(view->viewport(), to);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, both, to);
    }

    // After a gesture: the event loop comes back, playback is over, little was sent and the
    // window still answers.
    void expectSettled(const char* gesture)
    {
        {
            test::Watchdog watchdog(kGestureLimit, gesture);
            test::runEventLoopFor(500ms);
        }
        EXPECT_FALSE(view->playing()) << gesture;
        EXPECT_LT(toolkit.virtualDevice().sent().size(), kFewEvents) << gesture << ": playback kept restarting";
        test::Watchdog watchdog(kGestureLimit, gesture);
        EXPECT_TRUE(test::eventLoopAnswers()) << gesture;
    }

    NoticePump pump;
};

TEST_F(SteadyPlayback, RangeDragOverAnEmptyStretchDoesNotStart)
{
    {
        test::Watchdog watchdog(kGestureLimit, "range drag over an empty stretch");
        rangeDrag(at(300, 300), at(420, 320));
    }
    EXPECT_FALSE(view->playing()) << "nothing to play";
    expectSettled("range drag over an empty stretch");
}

TEST_F(SteadyPlayback, VerticalRangeDragDoesNotStart)
{
    {
        test::Watchdog watchdog(kGestureLimit, "vertical range drag");
        rangeDrag(at(300, 150), at(300, 380));
    }
    EXPECT_FALSE(view->playing()) << "a drag that spans no x holds no note here";
    expectSettled("vertical range drag");
}

TEST_F(SteadyPlayback, ClickOnTheBeatAfterTheLastNoteEndsPlayback)
{
    view->playback().Play();
    ASSERT_TRUE(view->playing());
    test::runEventLoopFor(150ms);
    {
        test::Watchdog watchdog(kGestureLimit, "click after the last note");
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at(96, 300));
    }
    EXPECT_EQ(view->playback().playbackStartX(), 96) << "the click moves the start to its beat";
    toolkit.virtualDevice().clear();
    // The next cursor tick, 100 ms on, restarts from x 96, where no note follows.
    expectSettled("click after the last note");
}

TEST_F(SteadyPlayback, RangeDragOverNotesStillPlaysAndRepeats)
{
    rangeDrag(at(48, 200), at(95, 220));
    ASSERT_TRUE(view->playing());
    EXPECT_TRUE(view->playback().repeating());
    {
        test::Watchdog watchdog(kGestureLimit, "range drag over notes");
        test::runEventLoopFor(300ms);
    }
    EXPECT_TRUE(view->playing()) << "the material lasts almost three seconds";
    bool struck = false;
    for (const VirtualDevice::Sent& sent : toolkit.virtualDevice().sent())
        struck = struck || ((sent.bytes[0] & 0xF0) == kNoteOn && sent.bytes[2] > 0);
    EXPECT_TRUE(struck) << "the note at x 48 sounds at once";
    view->playback().Stop();
    test::Watchdog watchdog(kGestureLimit, "range drag over notes");
    EXPECT_TRUE(test::eventLoopAnswers());
}

}  // namespace
}  // namespace zembra
