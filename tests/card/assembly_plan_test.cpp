#include "card/assembly_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace zembra {
namespace {

constexpr double kHoleMm = 1.7;
constexpr double kGridMm = 0.25;

// The fewest pieces no longer than `longest` that the card can be cut into, every cut allowed:
// a search over every cut on a fine grid, shortest path from the card's start to its end.
int FewestPieces(const std::vector<double>& holes, double length, const CutRules& rules)
{
    const int steps = static_cast<int>(std::ceil(length / kGridMm));
    const int reach = static_cast<int>(std::floor(rules.longestStripMm / kGridMm));
    const int back = static_cast<int>(std::ceil(rules.overlapMm / kGridMm));
    constexpr int kNone = std::numeric_limits<int>::max();
    // pieces[i]: the fewest pieces that end with a cut at grid step i (the card starting at 0).
    std::vector<int> pieces(static_cast<std::size_t>(steps) + 1, kNone);
    pieces[0] = 0;
    for (int i = 0; i < steps; ++i) {
        if (pieces[static_cast<std::size_t>(i)] == kNone) {
            continue;
        }
        // The next piece starts the overlap before the cut.
        const int start = i == 0 ? 0 : i - back;
        if (start * kGridMm + rules.longestStripMm >= length) {
            return pieces[static_cast<std::size_t>(i)] + 1;
        }
        for (int j = std::max(i + 1, start + 1); j <= std::min(steps - 1, start + reach); ++j) {
            if (j - back > i && CutAllowed(holes, j * kGridMm, rules)) {
                pieces[static_cast<std::size_t>(j)] = std::min(pieces[static_cast<std::size_t>(j)], pieces[static_cast<std::size_t>(i)] + 1);
            }
        }
    }
    return kNone;
}

AssemblyChoices Overlap(double mm)
{
    AssemblyChoices choices;
    choices.join = JoinKind::Overlap;
    choices.overlapMm = mm;
    return choices;
}

CardRun RandomRun(std::mt19937& random)
{
    CardRun run;
    run.leaderMm = 20;
    run.barMm = 40;
    run.bars = 12;
    std::uniform_int_distribution<int> count(5, 40);
    std::uniform_real_distribution<double> at(run.leaderMm, run.lengthMm());
    for (int n = count(random); n > 0; --n) {
        run.holesMm.push_back(at(random));
    }
    std::sort(run.holesMm.begin(), run.holesMm.end());
    return run;
}

TEST(AssemblyPlan, BlanksAreAsFewAsTheRestsAllowAndNoneTooLong)
{
    std::mt19937 random(2604);
    const AssemblyChoices joins[] = {AssemblyChoices{}, Overlap(8)};
    int compared = 0;
    for (int trial = 0; trial < 60; ++trial) {
        const CardRun run = RandomRun(random);
        for (AssemblyChoices choices : joins) {
            choices.blankMm = 90 + 10 * (trial % 12);
            const BlankPlan plan = PlanBlanks(run, choices, kHoleMm);
            const CutRules rules = RulesOfJoin(choices, choices.blankMm, kHoleMm);
            const int fewest = FewestPieces(run.holesMm, run.lengthMm(), rules);
            if (!plan.ok) {
                EXPECT_EQ(fewest, std::numeric_limits<int>::max()) << "a plan exists that the planner missed";
                continue;
            }
            ++compared;
            EXPECT_LE(static_cast<int>(plan.blanks.size()), fewest) << "trial " << trial;
            for (std::size_t i = 0; i < plan.blanks.size(); ++i) {
                const BlankPiece& blank = plan.blanks[i];
                EXPECT_LE(blank.lengthMm, choices.blankMm + 1e-9);
                if (i + 1 < plan.blanks.size()) {
                    EXPECT_TRUE(CutAllowed(run.holesMm, blank.endMm, rules)) << "cut at " << blank.endMm;
                    EXPECT_NEAR(plan.blanks[i + 1].startMm, blank.endMm - rules.overlapMm, 1e-9);
                }
            }
            EXPECT_DOUBLE_EQ(plan.blanks.back().endMm, run.lengthMm());
        }
    }
    EXPECT_GT(compared, 60);
}

TEST(AssemblyPlan, APlaceOnTheCardIsABarAndABeat)
{
    CardRun run;
    run.leaderMm = 20;
    run.barMm = 40;
    run.bars = 5;
    run.beatsPerBar = 4;
    struct Row {
        double mm;
        int bar;
        int beat;
    };
    const Row rows[] = {{0, 1, 1},   {20, 1, 1},  {29.9, 1, 1}, {30, 1, 2},  {59.9, 1, 4},
                        {60, 2, 1},  {135, 3, 4}, {219, 5, 4},  {220, 5, 4}, {500, 5, 4}};
    for (const Row& r : rows) {
        const MusicPlace place = PlaceOf(run, r.mm);
        EXPECT_EQ(place.bar, r.bar) << r.mm;
        EXPECT_EQ(place.beat, r.beat) << r.mm;
    }
}

TEST(AssemblyPlan, ALoopIsWholeBarsWithItsSeamInALongEnoughRest)
{
    std::mt19937 random(1226);
    int found = 0;
    for (int trial = 0; trial < 80; ++trial) {
        CardRun run = RandomRun(random);
        run.leaderMm = 0;
        for (double& h : run.holesMm) {
            h -= 20;
        }
        run.holesMm.erase(std::remove_if(run.holesMm.begin(), run.holesMm.end(), [](double h) { return h < 1; }),
                          run.holesMm.end());
        for (const AssemblyChoices& choices : {AssemblyChoices{}, Overlap(12)}) {
            const LoopPlan loop = PlanLoop(run, choices, kHoleMm);
            if (!loop.ok) {
                continue;
            }
            ++found;
            EXPECT_GE(loop.bars, run.bars);
            EXPECT_LE(loop.bars, run.bars + 2);
            const double length = loop.bars * run.barMm;
            EXPECT_GE(loop.seamMm, 0);
            EXPECT_LT(loop.seamMm, length);
            // The join's stretch around the seam, on the circle, holds no hole.
            const CutRules rules = RulesOfJoin(choices, 0, kHoleMm);
            const double before = std::max(rules.freeBeforeMm, kCutClearanceMm) + kHoleMm / 2;
            const double after = std::max(rules.freeAfterMm, kCutClearanceMm) + kHoleMm / 2;
            for (const double h : run.holesMm) {
                for (const double turn : {-length, 0.0, length}) {
                    const double d = h + turn - loop.seamMm;
                    EXPECT_FALSE(d >= -before && d <= after) << "hole at " << h << ", seam at " << loop.seamMm;
                }
            }
        }
    }
    EXPECT_GT(found, 100);
}

} // namespace
} // namespace zembra
