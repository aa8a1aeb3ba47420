// Saving while the canvas plays: the file carries the whole song as stored, whatever is sounding.
#include "canvas/kelp_view.h"
#include "midi/midi_bytes.h"
#include "midi/midi_file.h"
#include "midi/midi_toolkit.h"
#include "midi/midi_track.h"
#include "midi/sync_clock.h"
#include "document/kelp_doc.h"

#include "playback_fixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace zembra {
namespace {

class SaveWhilePlaying : public PlaybackFixture {
protected:
    void SetUp() override
    {
        PlaybackFixture::SetUp();
        doc.NewSong();
    }

    QTemporaryDir dir;
};

TEST_F(SaveWhilePlaying, RangePlaybackStopsAndTheWholeSongIsWritten)
{
    SongState& song = view->song();
    for (int left : {0, 48, 96, 144}) {
        song.NormaliseNote(song.AllocateNote(left, song.bandTopOfRow(0)));
    }
    view->PaintOffscreen();
    song.temporaryTransposition = 2;
    view->playback().PlayRange(48, 96);
    ASSERT_TRUE(view->playing());

    const std::string path = dir.filePath(QStringLiteral("song.mid")).toStdString();
    ASSERT_TRUE(doc.WriteSong(QString::fromStdString(path)));
    EXPECT_FALSE(view->playing()) << "saving stops playback first";
    EXPECT_EQ(song.temporaryTransposition, 2);

    MidiFile reading(toolkit);
    MidiTrack track;
    ASSERT_TRUE(reading.Open(path, 'r', 0));
    reading.AddTrack(&track);
    ASSERT_EQ(reading.ReadAll(), 1);
    std::vector<std::pair<std::uint32_t, int>> strikes;
    std::uint32_t tick = 0;
    for (std::uint32_t i = 0; i < track.Count(); ++i) {
        const MidiEvent& e = *track.Event(i);
        tick += e.time;
        if (e.status == kNoteOn && e.data2 > 0) {
            strikes.emplace_back(tick, e.data1);
        }
    }
    const std::vector<std::pair<std::uint32_t, int>> expected = {{0, 60}, {192, 60}, {384, 60}, {576, 60}};
    EXPECT_EQ(strikes, expected) << "every note, from the song's start, at its stored pitch";
}

} // namespace
} // namespace zembra
