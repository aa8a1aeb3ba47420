#include "card/card_geometry.h"

#include "model/card_constants.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace zembra {

CardGeometry::CardGeometry(const SongState& song, const PrintMetrics& metrics, const CardLayout& layout)
    : m_metrics(metrics)
    , m_layout(layout)
    , m_sizes(CardSizesOf(song.box))
    , m_rowCount(song.rowCount)
    , m_pixelsPerBar(song.pixelsPerQuarter * song.beatsPerBar)
    , m_songBars(m_pixelsPerBar > 0 ? song.musicLength / m_pixelsPerBar : 0)
    , m_mirror(song.printOptions.mirrorCard != 0)
    , m_swap(song.printOptions.swapHighLow != 0)
    , m_twoRows(song.printOptions.twoRows != 0)
    , m_pitch(song.barLengthMm != 0 ? metrics.ExactX(song.barLengthMm) : layout.barPx)
{
}

namespace {

int nearest(double x)
{
    return static_cast<int>(std::floor(x + 0.5));
}

} // namespace

int CardGeometry::BarEdge(int firstBar, int i) const
{
    return nearest(static_cast<double>(firstBar + i) * m_pitch) - nearest(static_cast<double>(firstBar) * m_pitch);
}

int CardGeometry::TailOf(const StripPlan& strip) const
{
    if (!strip.endsSong) {
        return 0;
    }
    const int nextBar = BarEdge(strip.firstBar, strip.bars + 1) - BarEdge(strip.firstBar, strip.bars);
    const int tail = std::min(nextBar, m_metrics.horzRes - BarEdge(strip.firstBar, std::max(0, strip.bars - 1)));
    return strip.tailRoom >= 0 ? std::min(tail, strip.tailRoom) : tail;
}

int CardGeometry::Capacity(int page, int s) const
{
    return page == 1 && s == 0 ? m_layout.barsFirstStrip : m_layout.barsPerStrip;
}

int CardGeometry::Lead(int page, int s) const
{
    return page == 1 && s == 0 ? MmX(card::kLeaderMm) : 0;
}

void CardGeometry::UseStrips(std::vector<StripPlan> strips)
{
    m_cut = std::move(strips);
    if (m_cut.empty()) {
        return;
    }
    const int perPage = std::max(1, m_layout.stripsPerPage);
    for (std::size_t i = 0; i < m_cut.size(); ++i) {
        m_cut[i].index = static_cast<int>(i) % perPage;
    }
    m_layout.pageCount = std::max(1, (static_cast<int>(m_cut.size()) + perPage - 1) / perPage);
}

std::vector<StripPlan> CardGeometry::StripsOfPage(int page) const
{
    if (!m_cut.empty()) {
        const int perPage = std::max(1, m_layout.stripsPerPage);
        const std::size_t from = static_cast<std::size_t>(std::max(0, page - 1) * perPage);
        const std::size_t to = std::min(m_cut.size(), from + static_cast<std::size_t>(perPage));
        if (page < 1 || from >= m_cut.size()) {
            return {};
        }
        return {m_cut.begin() + static_cast<std::ptrdiff_t>(from), m_cut.begin() + static_cast<std::ptrdiff_t>(to)};
    }
    // Walk every page from the first, placing bars as the page loop does, so that a page knows
    // how many bars came before it and whether the song ends on it.
    int barsDone = 0;
    for (int p = 1; p <= page; ++p) {
        std::vector<StripPlan> strips;
        for (int s = 0; s < m_layout.stripsPerPage; ++s) {
            StripPlan strip;
            strip.index = s;
            strip.firstBar = barsDone;
            strip.lead = Lead(p, s);
            strip.capacity = Capacity(p, s);
            const int n = std::min(strip.capacity, m_songBars - barsDone);
            for (int b = 0; b < n; ++b) {
                ++strip.bars;
                ++barsDone;
                if (barsDone >= m_layout.totalBars) {
                    break;
                }
            }
            strip.endsSong = barsDone >= m_layout.totalBars;
            strips.push_back(strip);
            if (strip.endsSong) {
                break;
            }
        }
        if (p == page) {
            return strips;
        }
    }
    return {};
}

int CardGeometry::StripTop(int s, int c) const
{
    return MmY(s * copies() * m_sizes.stripWidthMm) + c * MmY(m_sizes.stripWidthMm);
}

Span CardGeometry::BarLeft(int b, int lead, int firstBar) const
{
    const int from = BarEdge(firstBar, b);
    const int to = BarEdge(firstBar, b + 1);
    if (m_mirror) {
        return {m_metrics.horzRes - lead - to, m_metrics.horzRes - lead - from};
    }
    return {lead + from, lead + to};
}

int CardGeometry::RowY(int y0, int k) const
{
    return y0 + MmY(m_sizes.LineMm(k));
}

int CardGeometry::LineIndex(int rowFromTop) const
{
    return m_mirror == m_swap ? rowFromTop : m_rowCount - 1 - rowFromTop;
}

int CardGeometry::RowOfLine(int k) const
{
    // LineIndex is its own inverse: line k shows the row counted k from the top, or from the bottom.
    return m_rowCount - 1 - LineIndex(k);
}

int CardGeometry::MarkAlong(const PrintNote& note, int firstBar) const
{
    // The note's place on one unbroken card, rounded once, less where the strip starts.
    const double bars = m_pixelsPerBar > 0 ? note.bar + static_cast<double>(note.xInBar) / m_pixelsPerBar : note.bar;
    return nearest(bars * m_pitch) - nearest(static_cast<double>(firstBar) * m_pitch);
}

int CardGeometry::MarkLeft(const PrintNote& note, int firstBar, int lead) const
{
    const int along = MarkAlong(note, firstBar);
    if (m_mirror) {
        return m_metrics.horzRes - lead - along - MmX(m_sizes.markMm);
    }
    return lead + along;
}

int CardGeometry::HoleAlong(const PrintNote& note, const StripPlan& strip) const
{
    return strip.lead + MarkAlong(note, strip.firstBar) + MmX(m_sizes.halfMarkMm);
}

bool CardGeometry::HoleOnStrip(const PrintNote& note, const StripPlan& strip) const
{
    if (note.bar < strip.firstBar || note.bar >= strip.firstBar + strip.bars) {
        return false;
    }
    if (!strip.joined) {
        return true;
    }
    // A strip cut in a rest holds the holes from its start up to its cut.
    const int along = HoleAlong(note, strip);
    return along >= 0 && (strip.end < 0 || along < strip.end);
}

bool CardGeometry::MarkOnStrip(const PrintNote& note, const StripPlan& strip) const
{
    return HoleOnStrip(note, strip) || (strip.endsSong && note.bar == strip.firstBar + strip.bars);
}

Span CardGeometry::MarksExtent(const StripPlan& strip, const std::vector<PrintNote>& printList) const
{
    const int markW = MmX(m_sizes.markMm);
    const int margin = MmX(m_sizes.halfMarkMm);
    Span extent{std::numeric_limits<int>::max(), std::numeric_limits<int>::min()};
    for (const PrintNote& note : printList) {
        if (note.isEnd()) {
            break;
        }
        if (HoleOnStrip(note, strip)) {
            const int from = strip.lead + MarkAlong(note, strip.firstBar);
            extent.from = std::min(extent.from, from - margin);
            extent.to = std::max(extent.to, from + markW + margin);
        }
    }
    return extent;
}

Span CardGeometry::StripExtent(const StripPlan& strip, const std::vector<PrintNote>& printList) const
{
    const Span marks = MarksExtent(strip, printList);
    return {std::min(0, marks.from), std::max(StripEnd(strip) + TailOf(strip), marks.to)};
}

long long CardGeometry::LengthBefore(int page) const
{
    long long length = 0;
    if (!m_cut.empty()) {
        for (int p = 1; p < page; ++p) {
            for (const StripPlan& strip : StripsOfPage(p)) {
                length += StripLength(strip);
            }
        }
        return length;
    }
    int firstBar = 0;
    for (int p = 1; p < page; ++p) {
        for (int s = 0; s < m_layout.stripsPerPage; ++s) {
            const int capacity = Capacity(p, s);
            length += Lead(p, s) + BarEdge(firstBar, capacity);
            firstBar += capacity;
        }
    }
    return length;
}

int CardGeometry::StripCount() const
{
    int count = 0;
    for (int p = 1; p <= m_layout.pageCount; ++p) {
        count += static_cast<int>(StripsOfPage(p).size());
    }
    return count;
}

int CardGeometry::StripNumber(int page, int s) const
{
    int before = 0;
    for (int p = 1; p < page; ++p) {
        before += static_cast<int>(StripsOfPage(p).size());
    }
    return before + s + 1;
}

ImagePhase CardGeometry::PhaseOfPage(int page, int tileWidth) const
{
    if (tileWidth <= 0) {
        return {};
    }
    const long long len = LengthBefore(page);
    const long long w = tileWidth;
    const long long up = (len + w - 1) / w * w;
    const long long down = len / w * w;
    return {static_cast<int>(up - len - w), static_cast<int>(down)};
}

} // namespace zembra
