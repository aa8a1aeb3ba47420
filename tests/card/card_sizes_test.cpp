// Every built-in box's card, reckoned from its sizes: strip width, row lines, margins, mark, the
// strips a page holds and the largest hole a cutter may cut. The 33-note box's card stays the one
// the fixed constants always gave.
#include "card/card_geometry.h"
#include "card/card_sizes.h"
#include "card/cutter_geometry.h"

#include "song_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zembra {
namespace {

// 12 device pixels a millimetre, a page of 200 × 200 mm.
const PrintMetrics kTwelvePerMm{2000, 2000, 2400, 2400};
constexpr double kPxPerMm = 12.0;

int Px(double mm)
{
    return static_cast<int>(std::ceil(mm * kPxPerMm));
}

struct BoxCard {
    const char* id;
    int rows;
    double widthMm;
    double firstRowMm;
    double pitchMm;
    double bottomMarginMm; // width − first row − (rows − 1) × pitch
    double markMm;
    double largestHoleMm; // pitch − 0.1 mm of card between rows
    int stripsPerPage;    // 200 mm ÷ the strip's width
};

const BoxCard kBoxCards[] = {
    {"33", 33, 69.6, 6.0, 1.8, 6.0, 1.8, 1.7, 2},
    {"30F", 30, 70.0, 6.0, 2.0, 6.0, 1.8, 1.9, 2},
    {"30", 30, 70.0, 6.0, 2.0, 6.0, 1.8, 1.9, 2},
    {"20", 20, 70.0, 6.5, 3.0, 6.5, 2.4, 2.9, 2},
    {"15", 15, 41.0, 6.5, 2.0, 6.5, 1.8, 1.9, 4},
};

TEST(CardSizes, EachBoxsCardFollowsItsSizes)
{
    for (const BoxCard& c : kBoxCards) {
        SCOPED_TRACE(c.id);
        const MusicBox* box = FindBuiltInBox(c.id);
        ASSERT_NE(box, nullptr);
        const CardSizes sizes = CardSizesOf(*box);
        EXPECT_EQ(sizes.rows, c.rows);
        EXPECT_DOUBLE_EQ(sizes.stripWidthMm, c.widthMm);
        EXPECT_DOUBLE_EQ(sizes.firstRowMm, c.firstRowMm);
        EXPECT_DOUBLE_EQ(sizes.rowPitchMm, c.pitchMm);
        EXPECT_DOUBLE_EQ(sizes.bottomMarginMm, c.bottomMarginMm);
        EXPECT_DOUBLE_EQ(sizes.markMm, c.markMm);
        EXPECT_DOUBLE_EQ(sizes.halfMarkMm, c.markMm / 2);
        EXPECT_DOUBLE_EQ(sizes.LineMm(c.rows - 1) + sizes.bottomMarginMm, c.widthMm);

        auto song = NewSong();
        song->UseBox(*box);
        song->barLengthMm = 50;
        const LayoutResult laid = LayOutCard(*song, kTwelvePerMm);
        ASSERT_EQ(laid.problem, LayoutProblem::None);
        EXPECT_EQ(laid.layout.stripsPerPage, c.stripsPerPage);
        const CardGeometry g(*song, kTwelvePerMm, laid.layout);
        EXPECT_EQ(g.StripTop(1, 0), Px(c.widthMm));
        for (int k = 0; k < c.rows; ++k) {
            EXPECT_EQ(g.RowY(100, k), 100 + Px(c.firstRowMm + k * c.pitchMm)) << "line " << k;
        }
        // A mirrored mark is placed by its trailing edge: the mark's width counts.
        song->printOptions.mirrorCard = 1;
        const CardGeometry mirrored(*song, kTwelvePerMm, laid.layout);
        EXPECT_EQ(mirrored.MarkLeft(PrintNote{0, 0, 0}, 0, 0), 2400 - Px(c.markMm));

        EXPECT_NEAR(LargestHoleMm(c.pitchMm), c.largestHoleMm, 1e-9);
        EXPECT_TRUE(HoleLeavesCardBetweenRows(box->sizes.holeMm, c.pitchMm)) << "the box's own hole";
        EXPECT_TRUE(HoleLeavesCardBetweenRows(c.largestHoleMm, c.pitchMm));
        EXPECT_FALSE(HoleLeavesCardBetweenRows(c.largestHoleMm + 0.01, c.pitchMm));
    }
}

TEST(CardSizes, TheThirtyThreeNoteCardIsTheOneOfTheFixedConstants)
{
    // Equal to the bit, so that no length of the card converts to another pixel than before.
    const CardSizes sizes = CardSizesOf(DefaultBox());
    EXPECT_EQ(sizes.stripWidthMm, card::kCardWidthMm);
    EXPECT_EQ(sizes.firstRowMm, card::kEdgeMarginMm);
    EXPECT_EQ(sizes.rowPitchMm, card::kRowPitchMm);
    EXPECT_EQ(sizes.bottomMarginMm, card::kEdgeMarginMm);
    EXPECT_EQ(sizes.markMm, card::kMarkSizeMm);
    EXPECT_EQ(sizes.halfMarkMm, card::kHalfMarkMm);
    for (int k = 0; k < kDefaultRowCount; ++k) {
        EXPECT_EQ(sizes.LineMm(k), card::kEdgeMarginMm + k * card::kRowPitchMm) << k;
    }
    const CardSizes unset;
    EXPECT_EQ(unset.stripWidthMm, sizes.stripWidthMm);
    EXPECT_EQ(unset.markMm, sizes.markMm);
    EXPECT_EQ(unset.rows, sizes.rows);
    // A box of one's own with the 33-note box's sizes marks its holes as wide as they are.
    MusicBox own = DefaultBox();
    own.id = "own";
    EXPECT_DOUBLE_EQ(CardSizesOf(own).markMm, own.sizes.holeMm);
}

} // namespace
} // namespace zembra
