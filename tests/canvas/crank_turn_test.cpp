// The crank by hand: which holes pass the comb at each step, and how far a step moves the card.
#include "canvas/crank_turn.h"

#include "song_fixtures.h"

#include <gtest/gtest.h>

#include <vector>

namespace zembra {
namespace {

TEST(CrankTurn, AStepIsTwoMillimetresOfThePrintedBar)
{
    const auto song = NewSong(); // 24 pixels a quarter, 4/4: 96 pixels a bar
    struct Row {
        double barMm;
        double pixels;
    };
    const Row rows[] = {{50, 2 * 96 / 50.0}, {96, 2.0}, {24, 8.0}, {0, 0}, {-5, 0}};
    for (const Row& row : rows) {
        EXPECT_DOUBLE_EQ(CrankTurn::StepPixels(*song, row.barMm), row.pixels) << row.barMm << " mm a bar";
    }
}

// Each note sounds at the one step that carries the comb from at or before its left edge to past
// it; turning back is silent and sounds the passage again when it is turned forward once more.
TEST(CrankTurn, EachHoleSoundsOnceAtTheStepThatPassesIt)
{
    test::SongBuilder b;
    const int atStart = b.add(0, 60);
    const int early = b.add(3, 64);
    const int chordLow = b.add(10, 65);
    const int chordHigh = b.add(10, 72);
    const int onEdge = b.add(12, 67); // exactly where the third step ends: the fourth passes it
    const int late = b.add(40, 62);
    CrankTurn turn;
    turn.Begin(0, 4.0);
    struct Step {
        int steps;
        double position;
        std::vector<int> sounded;
    };
    const Step steps[] = {
        {1, 4, {atStart, early}},
        {1, 8, {}},
        {1, 12, {chordLow, chordHigh}},
        {1, 16, {onEdge}},
        {-2, 8, {}},                       // back: silent
        {-5, 0, {}},                       // never before the start
        {3, 12, {atStart, early, chordLow, chordHigh}},
        {7, 40, {onEdge}},
        {1, 44, {late}},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(turn.Turn(b.song(), step.steps), step.sounded) << "to " << step.position;
        EXPECT_DOUBLE_EQ(turn.position(), step.position);
    }
    EXPECT_FALSE(turn.RunOut(b.song()));
    turn.Turn(b.song(), b.song().musicLength);
    EXPECT_TRUE(turn.RunOut(b.song()));
}

} // namespace
} // namespace zembra
