#include "card/rest_strips.h"

#include "card/assembly_plan.h"
#include "card/card_sizes.h"
#include "model/card_constants.h"

#include <algorithm>
#include <cmath>

namespace zembra {

bool CutsInRests(const AssemblyChoices& choices)
{
    return choices.splitAtRests || choices.blankMm > 0 || choices.loop;
}

namespace {

// The last bar of the card: the music's, no further than the layout's.
int LastBar(const CardGeometry& g)
{
    return std::min(g.songBars(), g.layout().totalBars);
}

// The bar (from 1) at `px` from the card's leading end.
int BarAt(const CardGeometry& g, double px)
{
    const double along = px - g.Lead(1, 0);
    return g.barPitch() > 0 ? std::max(0, static_cast<int>(std::floor(along / g.barPitch()))) + 1 : 1;
}

} // namespace

RestCuts RestCutsOfSong(const SongState& song, const CardGeometry& geometry, const std::vector<PrintNote>& list,
                        const AssemblyChoices& choices)
{
    const PrintMetrics& metrics = geometry.metrics();
    const int width =
        metrics.horzRes - (song.printOptions.stripNumbers ? StripNumberReserve(metrics, CardSizesOf(song.box).markMm) : 0);
    return PlanRestCuts(geometry, list, choices, song.box.sizes.holeMm, width);
}

RestCuts PlanRestCuts(const CardGeometry& geometry, const std::vector<PrintNote>& list, const AssemblyChoices& choices,
                      double holeMm, int widthPx)
{
    const CardGeometry& g = geometry;
    RestCuts cuts;
    const double pxPerMm = g.metrics().ExactX(1.0);
    if (pxPerMm <= 0 || widthPx <= 0) {
        return cuts;
    }
    // A loop has no leader.
    const int lead = choices.loop ? 0 : g.Lead(1, 0);
    // The hole centres along the card, in millimetres from its leading end. A hole's rounding to
    // pixels is covered by planning it a pixel larger on either side.
    StripPlan whole;
    whole.lead = lead;
    std::vector<double> holes;
    for (const PrintNote& note : list) {
        if (note.isEnd()) {
            break;
        }
        holes.push_back(g.HoleAlong(note, whole) / pxPerMm);
    }
    std::sort(holes.begin(), holes.end());
    double lengthMm = (lead + g.BarEdge(0, LastBar(g))) / pxPerMm;
    const double roundedHoleMm = holeMm + 2.0 / pxPerMm;
    cuts.originPx = -lead;
    if (choices.loop) {
        // The loop's card starts at its seam and runs once round: the holes before the seam come
        // after the last bar.
        CardRun run;
        run.holesMm = holes;
        run.barMm = g.barPitch() / pxPerMm;
        run.bars = LastBar(g);
        run.leaderMm = 0;
        const LoopPlan loop = PlanLoop(run, choices, roundedHoleMm);
        if (!loop.ok) {
            cuts.stuckBar = 0; // no bar to name: the seam has no rest anywhere round
            return cuts;
        }
        cuts.loopBars = loop.bars;
        // On an overlap the first strip starts with the glue zone before the seam, which the
        // last strip ends with: the same stretch of music, free of holes.
        const int glue = choices.join == JoinKind::Overlap ? static_cast<int>(std::lround(RulesOfJoin(choices, 0, holeMm).overlapMm * pxPerMm)) : 0;
        const int seamPx = static_cast<int>(std::lround(loop.seamMm * pxPerMm));
        cuts.originPx = seamPx - glue;
        const double seam = seamPx / pxPerMm;
        const double loopMm = g.BarEdge(0, loop.bars) / pxPerMm;
        lengthMm = loopMm + glue / pxPerMm;
        for (double& h : holes) {
            h = (h < seam ? h + loopMm - seam : h - seam) + glue / pxPerMm;
        }
        std::sort(holes.begin(), holes.end());
        cuts.glueOfLoopPx = glue;
    }
    // A strip is cut a pixel short of its length, so that rounding never makes it longer.
    const double stripMm = (widthPx - 1) / pxPerMm;

    // The blanks first, then each blank's strips.
    std::vector<std::pair<double, double>> blanks;
    if (choices.blankMm > 0) {
        const CutPlan plan = PlanCuts(holes, lengthMm, RulesOfJoin(choices, choices.blankMm, roundedHoleMm));
        if (!plan.ok) {
            cuts.stuckBar = BarAt(g, plan.stuckAtMm * pxPerMm);
            return cuts;
        }
        for (std::size_t i = 0; i < plan.starts.size(); ++i) {
            blanks.emplace_back(plan.starts[i], plan.ends[i]);
        }
    } else {
        blanks.emplace_back(0.0, lengthMm);
    }
    const CutRules rules = RulesOfJoin(choices, choices.splitAtRests ? stripMm : 0, roundedHoleMm);
    for (std::size_t b = 0; b < blanks.size(); ++b) {
        const auto [from, to] = blanks[b];
        std::vector<double> inside;
        for (const double h : holes) {
            inside.push_back(h - from);
        }
        CutRules blankRules = rules;
        blankRules.longestStripMm = std::min(stripMm, to - from);
        const CutPlan plan = PlanCuts(inside, to - from, blankRules);
        if (!plan.ok) {
            cuts.stuckBar = BarAt(g, (from + plan.stuckAtMm) * pxPerMm);
            return cuts;
        }
        for (std::size_t i = 0; i < plan.starts.size(); ++i) {
            cuts.starts.push_back(static_cast<int>(std::lround((from + plan.starts[i]) * pxPerMm)));
            cuts.ends.push_back(static_cast<int>(std::lround((from + plan.ends[i]) * pxPerMm)));
        }
        if (b + 1 < blanks.size()) {
            cuts.blankEnds.push_back(static_cast<int>(cuts.ends.size()) - 1);
        }
    }
    // The card's end is where its last bar ends, to the pixel.
    if (!cuts.ends.empty()) {
        cuts.ends.back() = choices.loop ? g.BarEdge(0, cuts.loopBars) + cuts.glueOfLoopPx : lead + g.BarEdge(0, LastBar(g));
        if (choices.blankMm > 0) {
            const int blankEnd = static_cast<int>(std::floor((blanks.back().first + choices.blankMm) * pxPerMm));
            cuts.tailRoom = std::max(0, blankEnd - cuts.ends.back());
        }
    }
    cuts.ok = true;
    return cuts;
}

std::vector<StripPlan> StripsOfCuts(const CardGeometry& geometry, const RestCuts& cuts)
{
    const CardGeometry& g = geometry;
    std::vector<StripPlan> strips;
    if (!cuts.ok) {
        return strips;
    }
    const bool loop = cuts.loopBars > 0;
    // A loop runs once round from its seam, into the bars after its last.
    const int last = loop ? 2 * cuts.loopBars : LastBar(g);
    for (std::size_t k = 0; k < cuts.starts.size(); ++k) {
        StripPlan strip;
        strip.joined = true;
        strip.inLoop = loop;
        const bool final = k + 1 == cuts.starts.size() && !loop;
        // From the song's first bar line.
        const int from = cuts.starts[k] + cuts.originPx;
        const int to = cuts.ends[k] + cuts.originPx;
        if (k == 0 && !loop) {
            strip.firstBar = 0;
            strip.lead = -cuts.originPx;
        } else {
            // A loop's glue zone may start before the first bar line.
            int bar = 0;
            while (g.BarEdge(0, bar) > from) {
                --bar;
            }
            while (bar + 1 <= last && g.BarEdge(0, bar + 1) <= from) {
                ++bar;
            }
            strip.firstBar = bar;
            strip.lead = -(from - g.BarEdge(0, bar));
        }
        if (final) {
            strip.bars = last - strip.firstBar;
            strip.endsSong = true;
            strip.tailRoom = cuts.tailRoom;
        } else {
            int bar = strip.firstBar;
            while (bar + 1 < last && g.BarEdge(0, bar + 1) < to) {
                ++bar;
            }
            strip.bars = bar - strip.firstBar + 1;
            strip.end = cuts.ends[k] - cuts.starts[k];
        }
        strip.capacity = strip.bars;
        strips.push_back(strip);
    }
    return strips;
}

void UseCuts(CardGeometry& geometry, std::vector<PrintNote>& list, const RestCuts& cuts)
{
    if (!cuts.ok) {
        return;
    }
    if (cuts.loopBars > 0) {
        // The notes before the seam come round after the loop's last bar.
        StripPlan whole;
        for (PrintNote& note : list) {
            if (!note.isEnd() && geometry.HoleAlong(note, whole) < cuts.originPx + cuts.glueOfLoopPx) {
                note.bar += cuts.loopBars;
            }
        }
        std::stable_sort(list.begin(), list.end(), [](const PrintNote& a, const PrintNote& b) {
            if (a.isEnd() != b.isEnd()) {
                return b.isEnd();
            }
            return a.bar != b.bar ? a.bar < b.bar : a.xInBar < b.xInBar;
        });
        geometry.SetLoopBars(cuts.loopBars);
    }
    geometry.UseStrips(StripsOfCuts(geometry, cuts));
}

} // namespace zembra
