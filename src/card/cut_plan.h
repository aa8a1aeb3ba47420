#pragma once

#include <optional>
#include <span>
#include <vector>

namespace zembra {

// Where a card may be cut so that its strips can be joined again: a cut never falls through a
// hole or nearer than kCutClearanceMm to one, and the stretch a join needs beside it is free of
// holes (the glue zone before it for an overlap, the tape zone across it for a butt joint).
inline constexpr double kCutClearanceMm = 4.0;

struct CutRules {
    double longestStripMm = 0; // the page's or the blank's length; 0 or less: no limit
    double freeBeforeMm = 0;   // hole-free card the join needs before the cut
    double freeAfterMm = 0;    // and after it
    double overlapMm = 0;      // the next strip starts this far before the cut (an overlap joint)
    double holeMm = 1.8;       // a hole's diameter: the clearance is kept from its edge
};

struct CutPlan {
    bool ok = false;
    // Where each strip starts and ends, in mm along the card; strip k + 1 starts at the end of
    // strip k less the overlap.
    std::vector<double> starts;
    std::vector<double> ends;
    // When not ok: where on the card no cut could be found within a strip's length.
    double stuckAtMm = 0;
};

// Whether the card may be cut at `cutMm` given the hole centres `holes` (sorted).
bool CutAllowed(std::span<const double> holes, double cutMm, const CutRules& rules);

// The latest allowed cut in (after, atMost]; none when there is none.
std::optional<double> LatestCut(std::span<const double> holes, double after, double atMost, const CutRules& rules);

// Strips from 0 to `lengthMm`, each as long as the rules allow: every cut as late as it may be,
// which also gives the fewest strips (a later cut never leaves more card to cover).
CutPlan PlanCuts(std::span<const double> holes, double lengthMm, const CutRules& rules);

} // namespace zembra
