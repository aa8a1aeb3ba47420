#include "card/strip_numbers.h"

#include "model/card_constants.h"

#include <algorithm>
#include <memory>

namespace zembra {

namespace {

// A stretch [from, to) along the strip, measured from the card's leading end, on the page: the
// mirrored card puts along pixel a at page pixel horzRes - a.
void place(const CardGeometry& g, int from, int to, int& left, int& right)
{
    if (g.mirrored()) {
        left = g.metrics().horzRes - to + 1;
        right = g.metrics().horzRes - from + 1;
    } else {
        left = from;
        right = to;
    }
}

} // namespace

StripNumbers::StripNumbers(const CardGeometry& geometry, const std::vector<PrintNote>& printList)
    : m_geometry(geometry)
    , m_list(printList)
    , m_count(geometry.StripCount())
{
}

int StripNumbers::HoleReach(const StripPlan& strip) const
{
    const CardGeometry& g = m_geometry;
    const int end = g.StripEnd(strip);
    // The blanking after the strip covers whatever lies beyond its start.
    const int blank = g.StripExtent(strip, m_list).to + g.MmX(card::kBlankGapMm);
    const int markW = g.MmX(g.sizes().markMm);
    int reach = end;
    for (const PrintNote& note : m_list) {
        if (note.isEnd()) {
            break;
        }
        if (g.MarkOnStrip(note, strip)) {
            // A mark covers markW + 1 pixels from its leading edge.
            const int from = strip.lead + g.MarkAlong(note, strip.firstBar);
            if (from < blank) {
                reach = std::max(reach, std::min(from + markW + 1, blank));
            }
        }
    }
    return reach;
}

NumberBox StripNumbers::BoxOf(const StripPlan& strip, int copy) const
{
    const CardGeometry& g = m_geometry;
    const int y0 = g.StripTop(strip.index, copy);
    const int start = HoleReach(strip) + g.MmX(card::kStripNumberGapMm);
    const int width = g.MmX(card::kStripNumberBoxMm);
    NumberBox box;
    if (start + width <= g.metrics().horzRes) {
        // From the first row line to the last, inside the band the blanking keeps white.
        place(g, start, start + width, box.left, box.right);
        box.top = g.RowY(y0, 0);
        box.bottom = g.RowY(y0, g.rowCount() - 1);
        box.across = true;
    } else {
        // The top margin ends where the holes of the first row line begin.
        const int end = g.StripEnd(strip);
        place(g, std::max(strip.lead, end - g.MmX(card::kStripNumberMarginLengthMm)), end, box.left, box.right);
        box.top = y0 + g.MmY(card::kStripNumberMarginTopMm);
        box.bottom = g.RowY(y0, 0) - g.MmY(g.sizes().halfMarkMm);
        box.across = false;
    }
    return box;
}

std::vector<HoleBox> StripNumbers::HolesOf(const StripPlan& strip, int copy) const
{
    const CardGeometry& g = m_geometry;
    const int y0 = g.StripTop(strip.index, copy);
    const int markW = g.MmX(g.sizes().markMm);
    const int half = g.MmY(g.sizes().halfMarkMm);
    const int blank = g.StripExtent(strip, m_list).to + g.MmX(card::kBlankGapMm);
    std::vector<HoleBox> holes;
    for (const PrintNote& note : m_list) {
        if (note.isEnd()) {
            break;
        }
        if (!g.MarkOnStrip(note, strip)) {
            continue;
        }
        const int from = strip.lead + g.MarkAlong(note, strip.firstBar);
        const int to = std::min(from + markW + 1, blank);
        if (to <= from) {
            continue;
        }
        const int y = g.RowY(y0, g.LineIndex(note.rowFromTop));
        HoleBox hole{0, y - half, 0, y + half + 1};
        place(g, from, to, hole.left, hole.right);
        holes.push_back(hole);
    }
    return holes;
}

int StripNumbers::FontPixels(const NumberBox& box) const
{
    const int thickness = box.across ? box.right - box.left : box.bottom - box.top;
    const int font = box.across ? m_geometry.MmX(card::kStripNumberFontMm) : m_geometry.MmY(card::kStripNumberFontMm);
    return std::max(1, std::min(font, thickness));
}

int StripCountWith(const SongState& song, const PrintOptions& options, int barLengthMm, const PrintMetrics& metrics)
{
    auto copy = std::make_unique<SongState>(song);
    copy->printOptions = options;
    copy->barLengthMm = barLengthMm;
    const LayoutResult laid = LayOutCard(*copy, metrics);
    if (laid.problem != LayoutProblem::None) {
        return 1;
    }
    return std::max(1, CardGeometry(*copy, metrics, laid.layout).StripCount());
}

std::string StripNumberText(int number, int count, std::string_view title)
{
    std::string text = std::to_string(number) + " / " + std::to_string(count);
    if (!title.empty()) {
        text += "  ";
        text += title;
    }
    return text;
}

} // namespace zembra
