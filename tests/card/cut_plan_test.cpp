#include "card/cut_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace zembra {
namespace {

struct CutRow {
    const char* name;
    std::vector<double> holes;
    double cut;
    bool allowed;
};

class Cut : public testing::TestWithParam<CutRow> {};

// With a 10 mm glue zone before the cut, the window reaches from 10.9 before to 4.9 after it.
TEST_P(Cut, KeepsTheJoinAndTheClearanceFreeOfHoles)
{
    CutRules rules;
    rules.freeBeforeMm = 10;
    rules.holeMm = 1.8;
    EXPECT_EQ(CutAllowed(GetParam().holes, GetParam().cut, rules), GetParam().allowed);
}

INSTANTIATE_TEST_SUITE_P(CutPlan, Cut,
                         testing::Values(CutRow{"NoHoles", {}, 50, true}, CutRow{"ThroughAHole", {50}, 50, false},
                                         CutRow{"InTheGlueZone", {42}, 50, false},
                                         CutRow{"JustBeforeTheZone", {39.0}, 50, true},
                                         CutRow{"TooNearAfter", {54.8}, 50, false},
                                         CutRow{"FarEnoughAfter", {55.0}, 50, true}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Every plan keeps its rules, and no plan that keeps them has fewer strips: checked against a
// search over every cut on a fine grid.
TEST(CutPlan, TheLatestCutsGiveTheFewestStrips)
{
    std::mt19937 random(26);
    for (int trial = 0; trial < 100; ++trial) {
        std::vector<double> holes;
        const double length = 300 + random() % 400;
        const int count = static_cast<int>(random() % 60);
        for (int i = 0; i < count; ++i) {
            holes.push_back(static_cast<double>(random() % static_cast<unsigned>(length)));
        }
        std::sort(holes.begin(), holes.end());
        CutRules rules;
        rules.longestStripMm = 120 + random() % 200;
        rules.overlapMm = (trial % 2) ? 8 : 0;
        rules.freeBeforeMm = rules.overlapMm;
        rules.freeAfterMm = (trial % 2) ? 0 : 6;
        rules.holeMm = 1;
        const CutPlan plan = PlanCuts(holes, length, rules);

        // The fewest strips by a search over cuts every 0.5 mm.
        const double step = 0.5;
        const int cells = static_cast<int>(length / step);
        std::vector<int> fewest(static_cast<std::size_t>(cells) + 1, 1 << 20);
        fewest[0] = 1;
        int best = 1 << 20;
        for (int s = 0; s <= cells; ++s) {
            if (fewest[static_cast<std::size_t>(s)] >= (1 << 20)) {
                continue;
            }
            const double start = s * step;
            if (start + rules.longestStripMm >= length) {
                best = std::min(best, fewest[static_cast<std::size_t>(s)]);
                continue;
            }
            for (double cut = start + rules.longestStripMm; cut > start + rules.overlapMm; cut -= step) {
                if (CutAllowed(holes, cut, rules)) {
                    const int next = static_cast<int>((cut - rules.overlapMm) / step + 1e-9);
                    if (next > s) {
                        auto& n = fewest[static_cast<std::size_t>(next)];
                        n = std::min(n, fewest[static_cast<std::size_t>(s)] + 1);
                    }
                }
            }
        }
        if (!plan.ok) {
            EXPECT_GE(best, 1 << 20) << "trial " << trial << ": the search found a plan the cuts missed";
            continue;
        }
        EXPECT_LE(static_cast<int>(plan.starts.size()), best) << "trial " << trial;
        for (std::size_t k = 0; k < plan.starts.size(); ++k) {
            EXPECT_LE(plan.ends[k] - plan.starts[k], rules.longestStripMm + 1e-9);
            if (k + 1 < plan.starts.size()) {
                EXPECT_TRUE(CutAllowed(holes, plan.ends[k], rules));
                EXPECT_DOUBLE_EQ(plan.starts[k + 1], plan.ends[k] - rules.overlapMm);
            }
        }
        EXPECT_DOUBLE_EQ(plan.ends.back(), length);
    }
}

} // namespace
} // namespace zembra
