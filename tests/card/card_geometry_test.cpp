#include "card/card_geometry.h"

#include "song_fixtures.h"

#include <gtest/gtest.h>

namespace zembra {
namespace {

const PrintMetrics kTwelvePerMm{2000, 2000, 2400, 2400};

struct Fixture {
    std::unique_ptr<SongState> song = NewSong();
    CardGeometry geometry() const { return {*song, kTwelvePerMm, LayOutCard(*song, kTwelvePerMm).layout}; }
};

TEST(CardGeometry, StripTopsStackCardWidthsAndCopies)
{
    Fixture f;
    EXPECT_EQ(f.geometry().StripTop(0, 0), 0);
    EXPECT_EQ(f.geometry().StripTop(1, 0), 836); // 69.6 mm
    f.song->printOptions.twoRows = 1;
    const CardGeometry g = f.geometry();
    EXPECT_EQ(g.StripTop(1, 0), 1671); // 139.2 mm converted as one length
    EXPECT_EQ(g.StripTop(0, 1), 836);
    EXPECT_EQ(g.StripTop(1, 1), 1671 + 836);
}

TEST(CardGeometry, BarsRowsAndMarks)
{
    struct Case {
        bool mirror;
        Span bar0;
        Span bar1;
        int markLeft;
    };
    // A note half way through the second bar of the first strip.
    const PrintNote note{48, 0, 1};
    const Case cases[] = {
        {false, {240, 840}, {840, 1440}, 240 + 600 + 300},
        {true, {1560, 2160}, {960, 1560}, 2400 - 240 - 600 - 300 - 22},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.song->printOptions.mirrorCard = c.mirror ? 1 : 0;
        const CardGeometry g = f.geometry();
        EXPECT_EQ(g.BarLeft(0, 240).from, c.bar0.from) << c.mirror;
        EXPECT_EQ(g.BarLeft(0, 240).to, c.bar0.to) << c.mirror;
        EXPECT_EQ(g.BarLeft(1, 240).from, c.bar1.from) << c.mirror;
        EXPECT_EQ(g.MarkLeft(note, 0, 240), c.markLeft) << c.mirror;
        EXPECT_EQ(g.RowY(100, 0), 172);
        EXPECT_EQ(g.RowY(100, 32), 864); // 63.6 mm
    }
}

TEST(CardGeometry, LineIndexFollowsMirrorAndSwap)
{
    struct Case {
        bool mirror;
        bool swap;
        int topRowLine;
    };
    const Case cases[] = {{false, false, 0}, {true, false, 32}, {false, true, 32}, {true, true, 0}};
    for (const Case& c : cases) {
        Fixture f;
        f.song->printOptions.mirrorCard = c.mirror ? 1 : 0;
        f.song->printOptions.swapHighLow = c.swap ? 1 : 0;
        const CardGeometry g = f.geometry();
        EXPECT_EQ(g.LineIndex(0), c.topRowLine) << c.mirror << c.swap;
        EXPECT_EQ(g.LineIndex(32), 32 - c.topRowLine);
        // The highest row (32) sits on the line LineIndex gives for row 0 from the top.
        EXPECT_EQ(g.RowOfLine(c.topRowLine), 32);
    }
}

TEST(CardGeometry, AHoleIsOnTheStripOfItsBarOnlyAndTheLastStripShowsTheStartOfTheNextBar)
{
    Fixture f;
    const CardGeometry g = f.geometry();
    const StripPlan strip{1, 3, 0, 4, 4, false};
    const StripPlan last{1, 3, 0, 4, 4, true};
    for (int bar = 0; bar < 10; ++bar) {
        const bool own = bar >= 3 && bar <= 6;
        EXPECT_EQ(g.HoleOnStrip({0, 0, bar}, strip), own) << bar;
        EXPECT_EQ(g.MarkOnStrip({0, 0, bar}, strip), own) << bar;
        EXPECT_EQ(g.HoleOnStrip({0, 0, bar}, last), own) << bar;
        EXPECT_EQ(g.MarkOnStrip({0, 0, bar}, last), own || bar == 7) << bar;
    }
}

TEST(CardGeometry, AStripReachesHalfAMarkBeyondEveryMarkOfItsOwn)
{
    Fixture f; // 600 pixels a bar, 96 canvas pixels a bar; a mark 22 pixels, half a mark 11
    const CardGeometry g = f.geometry();
    // Bars 3 to 6, from the first bar line to 2400 pixels on.
    const StripPlan strip{1, 3, 0, 4, 4, false};
    struct Case {
        const char* what;
        PrintNote note;
        Span extent;
    };
    const Case cases[] = {
        {"a mark clear of the ends", {48, 5, 4}, {0, 2400}},
        {"a downbeat at the strip's start", {0, 5, 3}, {-11, 2400}},
        {"the last pixel of the last bar", {95, 5, 6}, {0, 2394 + 22 + 11}},
        {"within half a mark of the end", {92, 5, 6}, {0, 2375 + 22 + 11}},
        {"the bar before the strip", {95, 5, 2}, {0, 2400}},
        {"the bar after the strip", {0, 5, 7}, {0, 2400}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<PrintNote> list{c.note, PrintNote{}};
        const Span extent = g.StripExtent(strip, list);
        EXPECT_EQ(extent.from, c.extent.from);
        EXPECT_EQ(extent.to, c.extent.to);
    }
}

TEST(CardGeometry, PagesSplitTheSongWithTheLeaderOnTheFirstStripOnly)
{
    Fixture f; // 24 bars: 3 on the first strip, then 4 a strip, 2 strips a page
    const CardGeometry g = f.geometry();
    const std::vector<StripPlan> first = g.StripsOfPage(1);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].lead, 240);
    EXPECT_EQ(first[0].bars, 3);
    EXPECT_EQ(first[1].lead, 0);
    EXPECT_EQ(first[1].firstBar, 3);
    EXPECT_EQ(first[1].bars, 4);
    EXPECT_FALSE(first[1].endsSong);
    const std::vector<StripPlan> last = g.StripsOfPage(4);
    ASSERT_EQ(last.size(), 1u); // the song ends on the first strip of the last page
    EXPECT_EQ(last[0].firstBar, 23);
    EXPECT_EQ(last[0].bars, 1);
    EXPECT_EQ(last[0].lead, 0);
    EXPECT_TRUE(last[0].endsSong);
}

TEST(CardGeometry, StripsAfterTheMusicHoldNoBars)
{
    Fixture f;
    f.song->printOptions.fitSongToCard = 0; // 24 bars reckoned, 5 bars of music
    f.song->musicLength = 5 * f.song->barWidth();
    const CardGeometry g = f.geometry();
    const std::vector<StripPlan> second = g.StripsOfPage(2);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0].bars, 0);
    EXPECT_FALSE(second[0].endsSong);
}

TEST(CardGeometry, ImageTilesContinueAcrossPages)
{
    Fixture f;
    const CardGeometry g = f.geometry();
    EXPECT_EQ(g.LengthBefore(1), 0);
    EXPECT_EQ(g.LengthBefore(2), 240 + 3 * 600 + 4 * 600);
    const ImagePhase first = g.PhaseOfPage(1, 700);
    EXPECT_EQ(first.x, -700);
    EXPECT_EQ(first.extent, 0);
    const ImagePhase second = g.PhaseOfPage(2, 700); // 4440 printed before
    EXPECT_EQ(second.x, 4900 - 4440 - 700);
    EXPECT_EQ(second.extent, 4200);
}

} // namespace
} // namespace zembra
