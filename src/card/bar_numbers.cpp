#include "card/bar_numbers.h"

#include "model/card_constants.h"

#include <algorithm>

namespace zembra {

BarNumbers::BarNumbers(const CardGeometry& geometry, int every)
    : m_geometry(geometry)
    , m_every(std::max(1, every))
{
}

bool BarNumbers::Shows(int bar) const
{
    return bar >= 0 && bar % m_every == 0;
}

int BarNumbers::FontPixels() const
{
    return m_geometry.MmY(card::kBarNumberFontMm);
}

std::vector<Span> BarNumbers::FirstStripKeepOut(const StripPlan& strip, int authorPx) const
{
    const CardGeometry& g = m_geometry;
    std::vector<Span> spans;
    if (!strip.opensSong() || strip.bars <= 0) {
        return spans;
    }
    // The arrow reaches back to the first bar line with its point.
    spans.push_back({strip.lead, strip.lead + g.MmX(card::kArrowStartMm) + g.MmX(card::kArrowLengthMm)});
    if (authorPx > 0) {
        const int from = strip.lead + g.MmX(card::kAuthorOffsetMm);
        spans.push_back({from, from + authorPx});
    }
    return spans;
}

std::vector<BarNumberBox> BarNumbers::BoxesOf(const StripPlan& strip, int copy, std::span<const Span> keepOut) const
{
    const CardGeometry& g = m_geometry;
    std::vector<BarNumberBox> boxes;
    const int y0 = g.StripTop(strip.index, copy);
    const int top = g.RowY(y0, g.rowCount() - 1) + g.MmY(g.sizes().halfMarkMm) + g.MmY(card::kBarNumberClearMm);
    const int bottom = y0 + g.MmY(g.sizes().stripWidthMm) - g.MmY(card::kBarNumberClearMm);
    if (bottom - top < FontPixels()) {
        return boxes; // a box's card with no bottom margin to speak of
    }
    const int gap = g.MmX(card::kBarNumberGapMm);
    const int wanted = g.MmX(card::kBarNumberBoxMm);
    const int end = g.StripEnd(strip);
    for (int i = 0; i < strip.bars; ++i) {
        const int bar = strip.firstBar + i;
        // A bar that runs on from the strip before has its number at this strip's start, shown
        // or not by the every-n rule, so that a joined strip says where it is.
        const bool runsOn = strip.lead + g.BarEdge(strip.firstBar, i) < 0;
        if (!Shows(g.BarLabel(bar) - 1) && !runsOn) {
            continue;
        }
        const int line = std::max(0, strip.lead + g.BarEdge(strip.firstBar, i));
        // The number stays within its bar, and short of the next shown bar's number.
        const int next = strip.lead + g.BarEdge(strip.firstBar, std::min(strip.bars, i + m_every));
        const int from = line + gap;
        const int to = std::min({from + wanted, next, end});
        if (to - from < FontPixels() / 2) {
            continue;
        }
        const bool blocked = std::any_of(keepOut.begin(), keepOut.end(),
                                         [&](const Span& s) { return from < s.to && s.from < to; });
        if (blocked) {
            continue;
        }
        BarNumberBox box;
        box.number = g.BarLabel(bar);
        box.barLine = g.Flip(line);
        box.top = top;
        box.bottom = bottom;
        box.towardsLeft = g.mirrored();
        if (g.mirrored()) {
            box.left = g.Flip(to) + 1;
            box.right = g.Flip(from) + 1;
        } else {
            box.left = from;
            box.right = to;
        }
        boxes.push_back(box);
    }
    return boxes;
}

} // namespace zembra
