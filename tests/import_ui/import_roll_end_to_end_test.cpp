// A real file through the import editor: edited with its widgets, OK, and read back by the
// rule the canvas import places notes by; and playback on the steady clock and real event loop.
#include "playback_fixture.h"
#include "import_roll_fixture.h"
#include "scoped_scripted_prompts.h"

#include "midi/midi_file.h"
#include "midi/midi_out_port.h"
#include "midi/notice_pump.h"
#include "midi/virtual_device.h"
#include "model/song_state.h"
#include "import_ui/import_edit_dialog.h"
#include "import/marked_track_walk.h"
#include "import_ui/import_roll_canvas.h"

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

namespace zembra {
namespace {

const std::string kData = ZEMBRA_TEST_DATA "/midi/";
constexpr int kPixelsPerQuarter = 24;

// Canvas left and row of every note, as placed on the canvas.
using Placed = std::multiset<std::pair<int, int>>;

class RollEndToEnd : public PlaybackFixture {
protected:
    void read(const std::string& name)
    {
        MidiFile file(toolkit);
        ASSERT_TRUE(file.Open(kData + name, 'r', 0));
        for (std::uint32_t i = 0; i < file.TrackCount(); ++i) {
            owned.push_back(std::make_unique<MidiTrack>());
            tracks.push_back(owned.back().get());
            file.AddTrack(tracks.back());
        }
        ASSERT_EQ(file.ReadAll(), 1);
        resolution = file.Resolution() & 0xFFFF;
        file.Close();
    }

    void press(ImportEditDialog& dialog, const char* name)
    {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }

    // The slot of the roll note of a key at a tick (of the file).
    static int find(const ImportRollState& roll, int key, int tick)
    {
        for (int i = 0; i < roll.end(); ++i) {
            const ImportRollNote& note = roll.notes[static_cast<std::size_t>(i)];
            if (note.sourceKey == key && note.tick == tick) {
                return i;
            }
        }
        return -1;
    }

    static QPoint at(const ImportRollState& roll, ImportRollCanvas& canvas, int i)
    {
        const ImportRollNote& note = roll.notes[static_cast<std::size_t>(i)];
        return {note.left - canvas.scrollX() + 1, note.top + 1};
    }

    std::vector<std::unique_ptr<MidiTrack>> owned;
    std::vector<MidiTrack*> tracks;
    int resolution = 0;
};

TEST_F(RollEndToEnd, TheCanvasGetsWhatTheRollShowed)
{
    read("roll-edit.mid");
    ASSERT_EQ(tracks.size(), 3u);
    ASSERT_EQ(resolution, 96);
    ASSERT_TRUE(doc.EnsureSongTrack());
    ImportEditDialog dialog(ImportEditRequest{tracks, resolution, 4, 0, false, &view->playback().port(), &clock, doc.songTrack(), {}});
    ASSERT_GT(dialog.Start(), 0);
    dialog.resize(900, 600);
    dialog.show();
    ImportRollCanvas& canvas = *dialog.canvas();
    const ImportRollState& roll = dialog.editor().state();

    // The two notes above the comb go down an octave.
    const int high = find(roll, 100, 192);
    const int higher = find(roll, 105, 1632);
    ASSERT_GE(high, 0);
    ASSERT_GE(higher, 0);
    QTest::mouseClick(&canvas, Qt::LeftButton, Qt::NoModifier, at(roll, canvas, high));
    QTest::mouseClick(&canvas, Qt::LeftButton, Qt::ShiftModifier, at(roll, canvas, higher));
    press(dialog, "octaveDown");
    EXPECT_EQ(roll.notes[static_cast<std::size_t>(higher)].key, 93);
    // The second voice doubles two notes of the first.
    press(dialog, "deleteDuplicates");
    EXPECT_EQ(scripted->messages().back(), QStringLiteral("2 note is overlapped.  It's deleted."));
    // Bar 2 goes with its notes, then bar 3, which holds none, by a band over empty keys.
    QTest::mouseClick(&canvas, Qt::LeftButton, Qt::NoModifier, at(roll, canvas, find(roll, 70, 768)));
    press(dialog, "cut");
    QTest::mousePress(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(10 + 2 * 64 + 5, 20));
    QMouseEvent drag(QEvent::MouseMove, QPointF(10 + 2 * 64 + 30, 40), QPointF(canvas.mapToGlobal(QPoint(168, 40))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&canvas, &drag);
    QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(10 + 2 * 64 + 30, 40));
    press(dialog, "cut");

    SongState& song = view->song();
    Placed shown;
    for (int i = 0; i < roll.end(); ++i) {
        const ImportRollNote& note = roll.notes[static_cast<std::size_t>(i)];
        if (note.isLive() && note.onScale) {
            shown.insert({roll.ShownTick(i) * kPixelsPerQuarter / resolution, song.RowForPitch(note.key)});
        }
    }
    // The second voice's 79 at 1700 had no note in the cut bars and still moved two bars left.
    EXPECT_TRUE(shown.count({(1700 - 768) * kPixelsPerQuarter / 96, song.RowForPitch(79)}));
    EXPECT_FALSE(shown.count({768 * kPixelsPerQuarter / 96, song.RowForPitch(70)}));
    press(dialog, "ok");
    const ImportEditOutcome outcome = dialog.outcome();
    ASSERT_TRUE(outcome.accepted);

    // The canvas import's reading: the marks' time, the transposition, the first row of the key.
    Placed placed;
    const std::uint32_t bar = static_cast<std::uint32_t>(outcome.beatsPerBar * resolution);
    for (MidiTrack* track : tracks) {
        MarkedTrackWalk walk(std::span<const MidiEvent>(track->EventArray().data(), track->Count()),
                             outcome.marksWritten, bar);
        MarkedStrike strike;
        while (walk.Next(strike)) {
            const int row = song.RowForPitch(strike.key + outcome.transposition);
            if (row >= 0) {
                placed.insert({static_cast<int>(strike.ticks) * kPixelsPerQuarter / resolution, row});
            }
        }
    }
    EXPECT_EQ(placed, shown);
    EXPECT_EQ(shown.size(), 10u);
}

TEST(RollRealTime, PlaysToTheEndOnTheSteadyClockThroughTheEventLoop)
{
    ScopedScriptedPrompts scripted;
    ToolkitOptions options;
    options.virtualOnly = true;
    MidiToolkit toolkit(options);
    NoticePump pump(toolkit);
    SyncClock clock(toolkit);
    ASSERT_TRUE(clock.Open());
    clock.SetTempo(100000);
    MidiOutPort port(toolkit);
    port.SetSync(&clock);
    ASSERT_TRUE(port.Open(kMapperDevice, MidiOutPort::kViewOptions));
    MidiTrack playTrack;
    test::RollTracks tracks;
    tracks.add({{0, 64}, {96, 65}, {192, 61}});
    ImportEditDialog dialog(ImportEditRequest{tracks.span(), 96, 4, 0, false, &port, &clock, &playTrack, {}});
    ASSERT_GT(dialog.Start(), 0);
    dialog.show();
    QTest::mouseClick(dialog.findChild<QAbstractButton*>(QStringLiteral("canvasNotes")), Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("play")), Qt::LeftButton);
    ASSERT_TRUE(dialog.playing());

    QEventLoop loop;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!dialog.playing()) {
            loop.quit();
        }
    });
    watchdog.start(10000);
    poll.start(5);
    loop.exec();
    EXPECT_FALSE(dialog.playing()) << "the watchdog ended the wait";
    std::vector<int> keys;
    for (const VirtualDevice::Sent& sent : toolkit.virtualDevice().sent()) {
        if ((sent.bytes[0] & 0xF0) == kNoteOn && sent.bytes[2] > 0) {
            keys.push_back(sent.bytes[1]);
        }
    }
    EXPECT_EQ(keys, (std::vector<int>{64, 65}));
    dialog.reject();
    EXPECT_EQ(port.AttachedCount(), 0u) << "the play track leaves the port with the dialog";
}

} // namespace
} // namespace zembra
