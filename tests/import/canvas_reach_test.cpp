// A long file: what the canvas leaves out of it, said in words, and the fit to the comb ranking
// every note of it rather than the 1500 a canvas holds.
#include "import/canvas_reach.h"
#include "import/comb_fit.h"
#include "import/import_placement.h"

#include "import_tracks.h"
#include "long_file.h"
#include "song_fixtures.h"

#include <gtest/gtest.h>

#include <vector>

namespace zembra {
namespace {

using import_test::Strike;
using import_test::Tracks;

using long_file::kBassNotes;
using long_file::kMelodyNotes;
using long_file::kResolution;

Tracks LongFile()
{
    std::vector<Strike> strikes;
    for (int i = 0; i < long_file::kNotes; ++i) {
        strikes.push_back({static_cast<std::uint32_t>(i) * long_file::kStep, long_file::KeyOf(i)});
    }
    Tracks tracks = import_test::tracksOf({strikes});
    tracks.resolution = kResolution;
    return tracks;
}

FitRequest RequestOn(int barCount)
{
    FitRequest request;
    request.resolution = kResolution;
    request.grid = {4, barCount, 50, 24};
    return request;
}

TEST(LongFile, TheFitRanksEveryNoteAndNotTheFirst1500)
{
    const Tracks tracks = LongFile();
    auto song = NewSong();
    const std::vector<FitRow> rows = RankTranspositions(tracks.view, *song, RequestOn(80));
    ASSERT_EQ(rows.size(), 25u);
    const FitRow& best = rows.front();
    EXPECT_EQ(best.importable, kMelodyNotes + kBassNotes) << "every note of the file is counted";
    EXPECT_EQ(best.notImportable, 0);
    EXPECT_TRUE(best.transposition == 10 || best.transposition == 12) << best.transposition;
    for (const FitRow& row : rows) {
        if (row.transposition == 0) {
            EXPECT_EQ(row.importable, kMelodyNotes);
            EXPECT_EQ(row.notImportable, kBassNotes);
        }
    }
    // What the import settings show stops at the canvas's 1500 notes, at both shifts alike: a
    // ranking on those counts cannot tell them apart.
    const ImportCounts shown = CountImportable(tracks.view, *song, 0);
    EXPECT_EQ(shown.importable, CountImportable(tracks.view, *song, best.transposition).importable);
    EXPECT_LT(shown.importable, kMelodyNotes);
}

TEST(LongFile, TheReachSaysWhatTheCanvasLeavesOut)
{
    const Tracks tracks = LongFile();
    auto song = NewSong();
    struct Case {
        const char* name;
        int barCount;
        int transposition;
        CanvasReach reach;
    };
    // 80 bars of 384 ticks hold 1536 strikes: the first canvas meets both limits. On 16 bars
    // (1536 pixels) a note is 5 pixels after the one before and 8 wide: the 306th is the last
    // whole on the canvas, which meets only its bars.
    const Case cases[] = {
        {"80 bars at 0", 80, 0, {kMelodyNotes, kMaxNotes, true, true, 80}},
        {"80 bars at +12", 80, 12, {kMelodyNotes + kBassNotes, kMaxNotes, true, true, 80}},
        {"16 bars at 0", 16, 0, {kMelodyNotes, 306, false, true, 16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CanvasReach got = ReachOnCanvas(tracks.view, *song, RequestOn(c.barCount), c.transposition);
        EXPECT_EQ(got.playable, c.reach.playable);
        EXPECT_EQ(got.placed, c.reach.placed);
        EXPECT_EQ(got.notesCapped, c.reach.notesCapped);
        EXPECT_EQ(got.barsCapped, c.reach.barsCapped);
        EXPECT_EQ(got.barCount, c.reach.barCount);
    }
    // A short file meets no limit.
    const Tracks little = import_test::tracksOf({{{0, 62}, {96, 64}}});
    const CanvasReach none = ReachOnCanvas(little.view, *song, RequestOn(8), 0);
    EXPECT_EQ(none.placed, 2);
    EXPECT_FALSE(none.notesCapped || none.barsCapped);
}

TEST(ReachText, NamesTheLimitsMetAndCountsWhatIsLeftOut)
{
    struct Case {
        const char* name;
        CanvasReach reach;
        const char* text;
    };
    const Case cases[] = {
        {"nothing left out", {120, 120, false, false, 24}, ""},
        {"a limit met, nothing left out", {1500, 1500, true, false, 80}, ""},
        // A fold that lands on a pixel already taken is no note the canvas leaves out for room.
        {"short of a note without a limit", {120, 119, false, false, 24}, ""},
        {"notes", {2600, 1500, true, false, 80},
         "The canvas takes only the first 1500 notes.\n1100 playable notes are left out."},
        {"bars of a short canvas", {300, 200, false, true, 24},
         "The canvas takes only the first 24 bars.\n100 playable notes are left out."},
        {"bars of the longest canvas", {1405, 1400, false, true, 80},
         "The piece is long: only its first 80 bars are placed.\n5 playable notes are left out."},
        {"both", {1600, 1500, true, true, 16},
         "The canvas takes only the first 1500 notes.\nThe canvas takes only the first 16 bars.\n"
         "100 playable notes are left out."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CanvasReachText(c.reach), c.text) << c.name;
    }
}

} // namespace
} // namespace zembra
