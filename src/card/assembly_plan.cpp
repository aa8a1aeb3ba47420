#include "card/assembly_plan.h"

#include "card/card_layout.h"
#include "card/card_sizes.h"
#include "model/card_constants.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace zembra {

CardRun RunOfSong(const SongState& song, int startX, double barMm, int bars, bool loop)
{
    CardRun run;
    run.leaderMm = loop ? 0 : card::kLeaderMm;
    run.barMm = barMm;
    run.bars = std::max(0, bars);
    run.beatsPerBar = std::max(1, song.beatsPerBar);
    const int pixelsPerBar = song.barWidth();
    if (pixelsPerBar <= 0 || barMm <= 0) {
        return run;
    }
    // The hole's centre is half a printed mark after the note's start, where the card marks it.
    const double half = CardSizesOf(song.box).halfMarkMm;
    for (const PrintNote& note : BuildPrintList(song, startX)) {
        if (note.isEnd()) {
            break;
        }
        const double along = (note.bar + static_cast<double>(note.xInBar) / pixelsPerBar) * barMm;
        run.holesMm.push_back(run.leaderMm + along + half);
    }
    std::sort(run.holesMm.begin(), run.holesMm.end());
    return run;
}

CutRules RulesOfJoin(const AssemblyChoices& choices, double longestMm, double holeMm)
{
    CutRules rules;
    rules.longestStripMm = longestMm;
    rules.holeMm = holeMm;
    if (choices.join == JoinKind::Overlap) {
        const double glue = std::clamp(choices.overlapMm, kMinOverlapMm, kMaxOverlapMm);
        rules.freeBeforeMm = glue;
        rules.overlapMm = glue;
    } else {
        rules.freeBeforeMm = kTapeZoneMm;
        rules.freeAfterMm = kTapeZoneMm;
    }
    return rules;
}

MusicPlace PlaceOf(const CardRun& run, double mm)
{
    MusicPlace place;
    if (run.barMm <= 0 || run.bars <= 0) {
        return place;
    }
    // The card's end is the end of its last bar's last beat.
    const double bars = std::clamp((mm - run.leaderMm) / run.barMm, 0.0, static_cast<double>(run.bars));
    if (bars >= run.bars) {
        return {run.bars, run.beatsPerBar};
    }
    const double whole = std::floor(bars);
    place.bar = static_cast<int>(whole) + 1;
    place.beat = std::min(run.beatsPerBar, static_cast<int>(std::floor((bars - whole) * run.beatsPerBar)) + 1);
    return place;
}

BlankPlan PlanBlanks(const CardRun& run, const AssemblyChoices& choices, double holeMm)
{
    BlankPlan result;
    const CutRules rules = RulesOfJoin(choices, choices.blankMm, holeMm);
    const CutPlan plan = PlanCuts(run.holesMm, run.lengthMm(), rules);
    result.ok = plan.ok;
    if (!plan.ok) {
        result.stuckAt = PlaceOf(run, plan.stuckAtMm);
    }
    for (std::size_t i = 0; i < plan.starts.size() && i < plan.ends.size(); ++i) {
        BlankPiece piece;
        piece.startMm = plan.starts[i];
        piece.endMm = plan.ends[i];
        piece.lengthMm = plan.ends[i] - plan.starts[i];
        piece.end = PlaceOf(run, plan.ends[i]);
        result.blanks.push_back(piece);
    }
    return result;
}

BlankPlan PlanBlanksOfSong(const SongState& song, int startX, int barLengthMm, const PrintMetrics& metrics,
                           const AssemblyChoices& choices)
{
    auto copy = std::make_unique<SongState>(song);
    copy->barLengthMm = barLengthMm;
    const LayoutResult laid = LayOutCard(*copy, metrics);
    if (laid.problem != LayoutProblem::None || metrics.horzRes <= 0) {
        return {};
    }
    const double barMm =
        barLengthMm != 0 ? barLengthMm : laid.layout.barPx * metrics.printableWidthMm() / metrics.horzRes;
    const CardRun run = RunOfSong(*copy, startX, barMm, laid.layout.totalBars, false);
    return PlanBlanks(run, choices, song.box.sizes.holeMm);
}

LoopPlan PlanLoop(const CardRun& run, const AssemblyChoices& choices, double holeMm)
{
    LoopPlan loop;
    if (run.barMm <= 0) {
        return loop;
    }
    const CutRules rules = RulesOfJoin(choices, 0, holeMm);
    const double lastHole = run.holesMm.empty() ? 0 : run.holesMm.back() - run.leaderMm;
    // No fewer bars than the music and its last hole need.
    const int fewest = std::max({1, run.bars, static_cast<int>(std::ceil((lastHole + holeMm / 2) / run.barMm))});
    for (int bars = fewest; bars <= fewest + 1; ++bars) {
        const double length = bars * run.barMm;
        // The circle of card, unrolled three times so that a window near either end sees the
        // holes across the seam.
        std::vector<double> circle;
        for (int turn = -1; turn <= 1; ++turn) {
            for (const double h : run.holesMm) {
                circle.push_back(h - run.leaderMm + turn * length);
            }
        }
        std::sort(circle.begin(), circle.end());
        // The seam in the middle of the longest rest: the gaps between neighbouring holes.
        double best = -1;
        double seam = 0;
        if (run.holesMm.empty()) {
            best = length;
        }
        for (std::size_t i = 0; i + 1 < circle.size(); ++i) {
            const double middle = (circle[i] + circle[i + 1]) / 2;
            const double gap = circle[i + 1] - circle[i];
            if (middle >= 0 && middle < length && gap > best) {
                best = gap;
                seam = middle;
            }
        }
        // A rest with room on both sides of the middle for the join and the clearance.
        std::vector<double> sorted = circle;
        if (CutAllowed(sorted, seam, rules) && best >= 0) {
            loop.ok = true;
            loop.bars = bars;
            loop.seamMm = seam;
            return loop;
        }
        // The middle may be too near one side for a one-sided join: try the latest allowed place.
        if (const std::optional<double> cut = LatestCut(sorted, seam - best / 2, seam + best / 2, rules);
            cut && *cut >= 0 && *cut < length) {
            loop.ok = true;
            loop.bars = bars;
            loop.seamMm = *cut;
            return loop;
        }
    }
    return loop;
}

} // namespace zembra
