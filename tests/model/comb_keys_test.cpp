#include "model/comb_keys.h"

#include "song_fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace zembra {
namespace {

struct LandingCase {
    int key;
    bool fold;
    int row;     // -1: nowhere
    int pitch;
    bool folded;
};

class Landing : public testing::TestWithParam<LandingCase> {};

TEST_P(Landing, OnTheRowOfItsPitchOrTheNearestOctave)
{
    const LandingCase& c = GetParam();
    auto song = NewSong();
    const CombLanding got = CombKeys(*song, c.fold).Land(c.key);
    EXPECT_EQ(got.row, c.row);
    if (c.row >= 0) {
        EXPECT_EQ(got.pitch, c.pitch);
        EXPECT_EQ(song->rows[static_cast<std::size_t>(got.row)].pitch, c.pitch) << "the row sounds the pitch";
    }
    EXPECT_EQ(got.folded, c.folded);
    EXPECT_EQ(CombKeys::Standard(c.fold).Land(c.key).row, c.row) << "the standard comb is the song's";
}

INSTANTIATE_TEST_SUITE_P(Keys, Landing, testing::Values(
    LandingCase{60, false, 0, 60, false},
    LandingCase{62, false, 1, 62, false},
    LandingCase{93, false, 32, 93, false},
    LandingCase{61, false, -1, 0, false},
    LandingCase{94, false, -1, 0, false},
    LandingCase{60, true, 0, 60, false},
    LandingCase{73, true, 12, 73, false},
    // Middle C sharp: 49 below has no row either, 73 above has one.
    LandingCase{61, true, 12, 73, true},
    LandingCase{49, true, 12, 73, true},
    LandingCase{1, true, 12, 73, true},
    LandingCase{59, true, 10, 71, true},
    LandingCase{48, true, 0, 60, true},
    LandingCase{50, true, 1, 62, true},
    LandingCase{94, true, 21, 82, true},
    LandingCase{100, true, 27, 88, true},
    LandingCase{127, true, 30, 91, true},
    LandingCase{0, true, 0, 60, true},
    LandingCase{-5, true, 6, 67, true},
    LandingCase{139, true, 30, 91, true}));

TEST(Landing, FoldingNeverMovesAKeyThatHasARowAndAlwaysFindsTheNearestOctave)
{
    auto song = NewSong();
    const CombKeys direct(*song, false);
    const CombKeys folding(*song, true);
    for (int key = -24; key <= 151; ++key) {
        SCOPED_TRACE(key);
        const int own = song->RowForPitch(key);
        const CombLanding got = folding.Land(key);
        EXPECT_EQ(direct.Land(key).row, own);
        if (own >= 0) {
            EXPECT_EQ(got.row, own);
            EXPECT_FALSE(got.folded);
            continue;
        }
        // Every pitch class has a row on this comb, so every key folds somewhere.
        ASSERT_TRUE(got.onComb());
        EXPECT_TRUE(got.folded);
        const int shift = got.pitch - key;
        EXPECT_EQ(shift % 12, 0);
        for (int nearer = 12; nearer < std::abs(shift); nearer += 12) {
            EXPECT_LT(song->RowForPitch(key + nearer), 0) << nearer << " up is nearer";
            EXPECT_LT(song->RowForPitch(key - nearer), 0) << nearer << " down is nearer";
        }
    }
}

TEST(Landing, FollowsTheScaleItWasBuiltFrom)
{
    auto song = NewSong();
    song->rows[12].pitch = 61; // a comb with middle C sharp in place of the C sharp above
    const CombKeys folding(*song, true);
    EXPECT_EQ(folding.Land(61).row, 12);
    EXPECT_FALSE(folding.Land(61).folded);
    EXPECT_EQ(folding.Land(73).pitch, 85) << "61 and 85 are as near: the upper wins";
    EXPECT_EQ(folding.Land(49).pitch, 61);
}

} // namespace
} // namespace zembra
