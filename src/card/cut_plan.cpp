#include "card/cut_plan.h"

#include <algorithm>
#include <cmath>

namespace zembra {

namespace {

constexpr double kCutStepMm = 1.0e-3;

// The hole-free card a cut needs on either side, measured to hole centres.
double Before(const CutRules& rules)
{
    return std::max(rules.freeBeforeMm, kCutClearanceMm) + rules.holeMm / 2;
}

double After(const CutRules& rules)
{
    return std::max(rules.freeAfterMm, kCutClearanceMm) + rules.holeMm / 2;
}

} // namespace

bool CutAllowed(std::span<const double> holes, double cutMm, const CutRules& rules)
{
    // The first hole not before the forbidden window's start must lie beyond its end.
    const auto first = std::lower_bound(holes.begin(), holes.end(), cutMm - Before(rules));
    return first == holes.end() || *first > cutMm + After(rules);
}

std::optional<double> LatestCut(std::span<const double> holes, double after, double atMost, const CutRules& rules)
{
    double cut = atMost;
    while (cut > after) {
        // The last hole whose window reaches over `cut` from the right pushes the cut before it.
        const auto first = std::lower_bound(holes.begin(), holes.end(), cut - Before(rules));
        if (first == holes.end() || *first > cut + After(rules)) {
            return cut;
        }
        // A hole in the window: the cut must go before it, a micrometre clear of its window so
        // that rounding can never bring it back.
        cut = std::min(cut, *first - After(rules)) - kCutStepMm;
    }
    return std::nullopt;
}

CutPlan PlanCuts(std::span<const double> holes, double lengthMm, const CutRules& rules)
{
    CutPlan plan;
    double start = 0;
    while (true) {
        plan.starts.push_back(start);
        if (rules.longestStripMm <= 0 || start + rules.longestStripMm >= lengthMm) {
            plan.ends.push_back(lengthMm);
            plan.ok = true;
            return plan;
        }
        // The next strip must start after this one did, or the plan would never end.
        const std::optional<double> cut =
            LatestCut(holes, start + rules.overlapMm, start + rules.longestStripMm, rules);
        if (!cut) {
            plan.ends.push_back(start + rules.longestStripMm);
            plan.stuckAtMm = start;
            return plan;
        }
        plan.ends.push_back(*cut);
        start = *cut - rules.overlapMm;
    }
}

} // namespace zembra
