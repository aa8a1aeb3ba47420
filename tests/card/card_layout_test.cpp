#include "card/card_layout.h"

#include "song_fixtures.h"

#include <gtest/gtest.h>

namespace zembra {
namespace {

// 12 pixels per millimetre: a printable area 200 mm wide.
PrintMetrics twelvePerMm(int horzRes = 2400, int vertRes = 2400)
{
    return {2000, 2000, horzRes, vertRes};
}

TEST(PrintMetrics, RoundsEachLengthUp)
{
    struct Case {
        PrintMetrics metrics;
        double mm;
        int x;
        int y;
    };
    const Case cases[] = {
        {{2000, 1000, 2400, 2400}, 50.0, 600, 1200},
        {{2000, 2000, 2362, 2362}, 50.0, 591, 591}, // 590.5 rounds up
        {{2000, 2000, 2400, 2400}, 0.9, 11, 11},    // 10.8
        {{2000, 2000, 2400, 2400}, 0.0, 0, 0},
        {{0, 2000, 2400, 2400}, 50.0, 0, 600}, // no width in mm: nothing to convert with
        {{2000, 2000, 0, 2400}, 50.0, 0, 600},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.metrics.MmToDeviceX(c.mm), c.x) << c.mm;
        EXPECT_EQ(c.metrics.MmToDeviceY(c.mm), c.y) << c.mm;
    }
    // Row line 32 is converted as one length, not as 32 converted pitches.
    const PrintMetrics m = twelvePerMm(2362, 2362);
    EXPECT_EQ(m.MmToDeviceY(6.0 + 32 * 1.8), 752);
    EXPECT_EQ(m.MmToDeviceY(6.0) + 32 * m.MmToDeviceY(1.8), 775);
}

struct LayoutCase {
    const char* name;
    int barLengthMm;
    int horzRes;
    int vertRes;
    int musicBars;
    bool fit;
    bool twoRows;
    CardLayout expected;
};

TEST(LayOutCard, WorkedExamples)
{
    // Card width 69.6 mm is 836 pixels at 12 per mm (835.2 rounded up).
    const LayoutCase cases[] = {
        {"50 mm bars, 24 bars", 50, 2400, 2400, 24, true, false, {24, 600, 2, 3, 4, 4}},
        {"per-term rounding", 50, 2362, 2400, 24, true, false, {24, 591, 2, 3, 3, 4}},
        {"fit off uses the canvas", 50, 2400, 2400, 4, false, false, {24, 600, 2, 3, 4, 4}},
        {"fit on uses the music", 50, 2400, 2400, 4, true, false, {4, 600, 2, 3, 4, 1}},
        {"two rows on a short page", 50, 2400, 1000, 24, true, true, {24, 600, 1, 3, 4, 7}},
        {"whole song on one strip", 0, 2400, 2400, 24, true, false, {24, 90, 2, 24, 0, 1}},
    };
    for (const LayoutCase& c : cases) {
        auto song = NewSong();
        song->barLengthMm = c.barLengthMm;
        song->musicLength = c.musicBars * song->barWidth();
        song->printOptions.fitSongToCard = c.fit ? 1 : 0;
        song->printOptions.twoRows = c.twoRows ? 1 : 0;
        const LayoutResult result = LayOutCard(*song, {2000, 2000, c.horzRes, c.vertRes});
        EXPECT_EQ(result.problem, LayoutProblem::None) << c.name;
        EXPECT_EQ(result.layout, c.expected) << c.name;
    }
}

TEST(LayOutCard, TwentyFourBarsTakeSevenStrips)
{
    auto song = NewSong();
    // One strip per page, so that the page count is the strip count.
    const LayoutResult result = LayOutCard(*song, {2000, 1000, 2400, 1000});
    EXPECT_EQ(result.layout.stripsPerPage, 1);
    EXPECT_EQ(result.layout.pageCount, 7); // 3 + 6 × 4 ≥ 24
}

TEST(LayOutCard, RefusesWhatCannotBeLaidOut)
{
    struct Case {
        const char* name;
        int barLengthMm;
        PrintMetrics metrics;
        LayoutProblem problem;
    };
    const Case cases[] = {
        {"no metrics", 50, {}, LayoutProblem::NoMetrics},
        {"no height", 50, {2000, 0, 2400, 0}, LayoutProblem::NoMetrics},
        {"bar wider than the page", 250, twelvePerMm(), LayoutProblem::BarTooLong},
        {"bar and leader wider than the page", 190, twelvePerMm(), LayoutProblem::BarTooLong},
        {"page narrower than the leader", 0, {150, 2000, 180, 2400}, LayoutProblem::BarTooLong},
        {"bar that just fits", 180, twelvePerMm(), LayoutProblem::None},
    };
    for (const Case& c : cases) {
        auto song = NewSong();
        song->barLengthMm = c.barLengthMm;
        EXPECT_EQ(LayOutCard(*song, c.metrics).problem, c.problem) << c.name;
    }
}

TEST(BuildPrintList, SortsByTimeThenRowAndSplitsIntoBars)
{
    auto song = NewSong(); // 96 pixels per bar
    PlaceNote(*song, 200, 50 + 5 * 12); // row 5 from the top, bar 2
    PlaceNote(*song, 96, 50 + 3 * 12);  // on a bar line: belongs to bar 1
    PlaceNote(*song, 96, 50);           // same time, top row first
    PlaceNote(*song, 10, 50 + 32 * 12);
    const std::vector<PrintNote> list = BuildPrintList(*song, 0);
    const std::vector<PrintNote> expected = {
        {10, 32, 0}, {0, 0, 1}, {0, 3, 1}, {8, 5, 2}, {-1, -1, -1},
    };
    EXPECT_EQ(list, expected);
}

TEST(BuildPrintList, LeavesOffNotesBeforeThePlaybackStartAndDeadSlots)
{
    auto song = NewSong();
    PlaceNote(*song, 10, 50);
    const int dead = PlaceNote(*song, 20, 50);
    PlaceNote(*song, 300, 62);
    song->KillSlot(dead);
    song->noteCount = 2;
    const std::vector<PrintNote> fromStart = BuildPrintList(*song, 0);
    ASSERT_EQ(fromStart.size(), 3u);
    const std::vector<PrintNote> later = BuildPrintList(*song, 100);
    ASSERT_EQ(later.size(), 2u);
    EXPECT_EQ(later[0], (PrintNote{12, 1, 3}));
    EXPECT_TRUE(later[1].isEnd());
}

} // namespace
} // namespace zembra
