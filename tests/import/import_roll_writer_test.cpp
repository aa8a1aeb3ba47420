// What OK writes into the imported tracks, and that reading it back shows what the roll showed.
#include "import_roll_fixture.h"

#include "import/marked_track_walk.h"
#include "import/import_roll_state.h"
#include "import/import_roll_writer.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <tuple>

namespace zembra {
namespace {

using test::NewRoll;
using test::RollTracks;
using test::StrikesOf;

// Track, key and tick of every note the roll shows as live.
using Shown = std::multiset<std::tuple<int, int, int>>;

Shown shownNotes(const ImportRollState& roll)
{
    Shown shown;
    for (int i = 0; i < roll.end(); ++i) {
        const ImportRollNote& note = roll.notes[static_cast<std::size_t>(i)];
        if (note.isLive()) {
            shown.insert({note.trackIndex, note.key, roll.ShownTick(i)});
        }
    }
    return shown;
}

TEST(ImportRollWriter, OctaveMovesStopAt127AndReleasesFollow)
{
    RollTracks tracks;
    MidiTrack& track = tracks.add({{0, 120}, {96, 64}});
    auto roll = NewRoll(96);
    roll->Build(tracks.span());
    roll->notes[0].selected = 1;
    roll->ShiftOctaves(12);
    roll->ShiftOctaves(12);
    ImportRollWriter::Write(tracks.span(), *roll);
    // Strike and release of the moved note, then the other note untouched.
    EXPECT_EQ(track.Event(0)->data1, 127);
    EXPECT_EQ(track.Event(1)->data1, 127);
    EXPECT_EQ(track.Event(1)->status, kNoteOff);
    EXPECT_EQ(track.Event(2)->data1, 64);
    EXPECT_EQ(track.Count(), 4u);
}

TEST(ImportRollWriter, DeletedAndCutNotesBecomeMarksAndLowNotesStayNotes)
{
    RollTracks tracks;
    MidiTrack& first = tracks.add({{0, 64}, {500, 70}, {900, 1}});
    tracks.add({{0, 64}});
    auto roll = NewRoll(96);
    roll->Build(tracks.span());
    std::vector<int> doomed;
    roll->ScanDuplicates(&doomed);
    roll->Delete(doomed);
    roll->notes[1].selected = 1;
    ImportRollCut cut;
    roll->CutSpan(0, false, cut);
    roll->Cut(cut);
    ImportRollWriter::Write(tracks.span(), *roll);

    const std::vector<test::Strike> strikes = StrikesOf(first);
    // 64 stays; a cut mark opens bar 1 (384), the cut note is a mark, the bar after ends the
    // cut; the note of key 1 was a real note and is raised to 3.
    ASSERT_EQ(strikes.size(), 5u);
    EXPECT_EQ(strikes[0].key, 64);
    EXPECT_EQ(strikes[1].tick, 384u);
    EXPECT_EQ(strikes[1].key, kCutMarkKey);
    EXPECT_EQ(strikes[2].tick, 500u);
    EXPECT_EQ(strikes[2].key, kCutMarkKey);
    EXPECT_EQ(strikes[3].tick, 768u);
    EXPECT_EQ(strikes[3].key, kDeletionMarkKey);
    EXPECT_EQ(strikes[4].key, kLowestNoteKey);
    const std::vector<test::Strike> second = StrikesOf(tracks[1]);
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(second[0].key, kDeletionMarkKey);
}

TEST(ImportRollWriter, ACutOfEmptyBarsReachesEveryTrack)
{
    RollTracks tracks;
    tracks.add({{10, 64}, {1600, 66}});
    tracks.add({{20, 67}, {2000, 69}});
    auto roll = NewRoll(96);
    roll->Build(tracks.span());
    // Nothing selected: the band's bar (bar 1) goes, though no note is in it.
    ImportRollCut cut;
    ASSERT_TRUE(roll->CutSpan(80, true, cut));
    roll->Cut(cut);
    const Shown before = shownNotes(*roll);
    ImportRollWriter::Write(tracks.span(), *roll);

    auto reread = NewRoll(96);
    reread->marksWritten = true;
    reread->Build(tracks.span());
    EXPECT_EQ(shownNotes(*reread), before);
    EXPECT_TRUE(before.count({1, 69, 2000 - 384}));
}

// Random songs, random edits, OK, and the tracks read back show exactly what the roll showed,
// again after a second session on the marked tracks.
TEST(ImportRollWriter, ReadingBackShowsWhatTheRollShowed)
{
    std::mt19937 random(12);
    for (int round = 0; round < 60; ++round) {
        const int resolution = std::uniform_int_distribution<int>(0, 1)(random) ? 96 : 480;
        const int beats = std::uniform_int_distribution<int>(3, 4)(random);
        RollTracks tracks;
        const int trackCount = std::uniform_int_distribution<int>(1, 3)(random);
        for (int t = 0; t < trackCount; ++t) {
            std::vector<test::Strike> strikes;
            const int count = std::uniform_int_distribution<int>(0, 60)(random);
            const int bars = std::uniform_int_distribution<int>(2, 30)(random);
            for (int n = 0; n < count; ++n) {
                const auto tick = static_cast<std::uint32_t>(
                    std::uniform_int_distribution<int>(0, bars * beats * resolution)(random));
                strikes.push_back({tick, std::uniform_int_distribution<int>(0, 127)(random),
                                   static_cast<std::uint32_t>(std::uniform_int_distribution<int>(0, 200)(random))});
            }
            tracks.add(strikes);
        }
        bool marked = false;
        for (int session = 0; session < 2; ++session) {
            auto roll = NewRoll(resolution, beats, std::uniform_int_distribution<int>(-12, 12)(random));
            roll->marksWritten = marked;
            roll->Build(tracks.span());
            for (int edit = 0; edit < 6; ++edit) {
                const int last = roll->end();
                roll->DeselectAll();
                for (int i = 0; i < last; ++i) {
                    if (roll->notes[static_cast<std::size_t>(i)].isLive() &&
                        std::uniform_int_distribution<int>(0, 9)(random) == 0) {
                        roll->notes[static_cast<std::size_t>(i)].selected = 1;
                    }
                }
                switch (std::uniform_int_distribution<int>(0, 3)(random)) {
                case 0: roll->ShiftOctaves(std::uniform_int_distribution<int>(0, 1)(random) ? 12 : -12); break;
                case 1: {
                    std::vector<int> doomed;
                    roll->ScanDuplicates(&doomed);
                    roll->Delete(doomed);
                    break;
                }
                default: {
                    ImportRollCut cut;
                    if (roll->CutSpan(std::uniform_int_distribution<int>(0, 2000)(random), true, cut)) {
                        roll->Cut(cut);
                    }
                }
                }
            }
            const Shown before = shownNotes(*roll);
            ImportRollWriter::Write(tracks.span(), *roll);
            marked = true;
            auto reread = NewRoll(resolution, beats, roll->transposition);
            reread->marksWritten = true;
            reread->Build(tracks.span());
            ASSERT_EQ(shownNotes(*reread), before) << "round " << round << " session " << session;
        }
    }
}

} // namespace
} // namespace zembra
