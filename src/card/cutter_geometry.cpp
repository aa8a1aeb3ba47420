#include "card/cutter_geometry.h"

#include "card/bar_numbers.h"
#include "card/cutter_cuts.h"
#include "card/join_marks.h"
#include "card/rest_strips.h"
#include "model/card_constants.h"
#include "text/string_ids.h"
#include "text/strings.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace zembra {

CutterSheet SheetOfPixels(int dotsPerInch, int leftPx, int topPx, int widthPx, int heightPx, double paperWidthMm,
                          double paperHeightMm)
{
    CutterSheet sheet;
    if (dotsPerInch <= 0) {
        return sheet;
    }
    sheet.metrics.horzRes = widthPx;
    sheet.metrics.vertRes = heightPx;
    sheet.metrics.horzSize10 = static_cast<int>(std::lround(widthPx * kTenthsPerInch / dotsPerInch));
    sheet.metrics.vertSize10 = static_cast<int>(std::lround(heightPx * kTenthsPerInch / dotsPerInch));
    sheet.mmPerPixelX = kMmPerInch / dotsPerInch;
    sheet.mmPerPixelY = kMmPerInch / dotsPerInch;
    sheet.paperWidthMm = paperWidthMm;
    sheet.paperHeightMm = paperHeightMm;
    sheet.areaLeftMm = leftPx * sheet.mmPerPixelX;
    sheet.areaTopMm = topPx * sheet.mmPerPixelY;
    return sheet;
}

bool CutterSizesValid(const CutterSpec& spec)
{
    return spec.holeMm >= cutter::kMinHoleMm && spec.holeMm <= cutter::kMaxHoleMm && spec.kerfMm >= 0 &&
           spec.kerfMm <= cutter::kMaxKerfMm && spec.kerfMm < spec.holeMm;
}

double LargestHoleMm(double rowPitchMm)
{
    return rowPitchMm - cutter::kMinPaperBetweenRowsMm;
}

bool HoleLeavesCardBetweenRows(double holeMm, double rowPitchMm)
{
    // Sizes are given to a hundredth of a millimetre: the largest hole itself is allowed, whatever
    // the rounding of the subtraction.
    constexpr double kRoundingMm = 1e-9;
    return holeMm <= LargestHoleMm(rowPitchMm) + kRoundingMm;
}

CutterGeometry::CutterGeometry(const SongState& song, const CardLayout& layout, const CutterSheet& sheet,
                               const CutterSpec& spec)
    : m_song(song)
    , m_sheet(sheet)
    , m_spec(spec)
    , m_geometry(song, sheet.metrics, layout)
    , m_list(BuildPrintList(song, spec.startX))
{
    // A card cut in its rests; one fitted strip has no cut to make.
    if (CutsInRests(spec.assembly) && layout.barsPerStrip > 0) {
        const RestCuts cuts = RestCutsOfSong(song, m_geometry, m_list, spec.assembly);
        if (cuts.ok) {
            UseCuts(m_geometry, m_list, cuts);
        }
    }
}

CutterDrawing CutterGeometry::Build() const
{
    CutterDrawing drawing;
    std::vector<CutterRect> strips;
    for (const Piece& piece : Pieces(drawing)) {
        strips.push_back(StripRect(piece));
        AddOutline(drawing, piece);
        AddHoles(drawing, piece);
        if (m_spec.engrave) {
            AddRuling(drawing, piece);
            AddRowLabels(drawing, piece);
            AddJoins(drawing, piece);
            if (piece.strip.opensSong()) {
                AddArrow(drawing, piece);
                AddTitleBlock(drawing, piece);
            } else if (m_spec.assembly.stripTitles) {
                AddStripTitle(drawing, piece);
            }
            AddBarNumbers(drawing, piece);
        }
    }
    drawing.cuts = CutsOfStrips(strips, m_spec.kerfMm);
    return drawing;
}

std::vector<CutterGeometry::Piece> CutterGeometry::Pieces(CutterDrawing& drawing) const
{
    const CardGeometry& g = m_geometry;
    std::vector<Piece> pieces;
    const int pages = g.layout().pageCount;
    for (int page = 1; page <= pages; ++page) {
        for (const StripPlan& strip : g.StripsOfPage(page)) {
            if (strip.bars <= 0) {
                continue;
            }
            for (int c = 0; c < g.copies(); ++c) {
                Piece piece{strip, c, m_sheet.areaLeftMm, (page - 1) * m_sheet.paperHeightMm + m_sheet.areaTopMm};
                pieces.push_back(piece);
            }
        }
    }
    if (m_spec.layout == CutterLayout::Pages) {
        drawing.widthMm = m_sheet.paperWidthMm;
        drawing.heightMm = std::max(1, pages) * m_sheet.paperHeightMm;
        return pieces;
    }
    // Every piece keeps the x its page gives it; card that a mark needs before the printable
    // area's edge moves them all on together, so that the gap before the first stays.
    double left = 0;
    double right = Xmm(g.metrics().horzRes);
    for (Piece& piece : pieces) {
        piece.dx = 0;
        piece.dy = 0;
        const CutterRect r = StripRect(piece);
        left = std::min(left, r.left);
        right = std::max(right, r.right);
    }
    const double pitch = g.sizes().stripWidthMm + cutter::kPieceGapMm;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        pieces[i].dx = cutter::kPieceGapMm - left;
        pieces[i].dy = cutter::kPieceGapMm + static_cast<double>(i) * pitch - Ymm(Top(pieces[i]));
    }
    drawing.widthMm = right - left + 2 * cutter::kPieceGapMm;
    drawing.heightMm = cutter::kPieceGapMm + static_cast<double>(pieces.size()) * pitch;
    return pieces;
}

int CutterGeometry::Top(const Piece& piece) const
{
    return m_geometry.StripTop(piece.strip.index, piece.copy);
}

CutterPoint CutterGeometry::At(const Piece& piece, int x, int y) const
{
    return {Xmm(x) + piece.dx, Ymm(y) + piece.dy};
}

CutterPoint CutterGeometry::AtMiddle(const Piece& piece, int x, int top, int bottom) const
{
    return {Xmm(x) + piece.dx, (Ymm(top) + Ymm(bottom)) / 2 + piece.dy};
}

CutterRect CutterGeometry::StripRect(const Piece& piece) const
{
    const CardGeometry& g = m_geometry;
    const StripPlan& strip = piece.strip;
    const int width = g.metrics().horzRes;
    // The printed card's tail runs no further than the printable area; card that a mark needs
    // may.
    const Span marks = g.MarksExtent(strip, m_list);
    const int from = std::min(0, marks.from);
    const int to = std::max(std::min(g.StripEnd(strip) + g.TailOf(strip), width), marks.to);
    const int left = g.mirrored() ? width - to : from;
    const int right = g.mirrored() ? width - from : to;
    const CutterPoint topLeft = At(piece, left, Top(piece));
    // The card's width is exact, whatever the pixel rounding of the strip's top.
    return {topLeft.x, topLeft.y, At(piece, right, 0).x, topLeft.y + g.sizes().stripWidthMm};
}

void CutterGeometry::AddOutline(CutterDrawing& drawing, const Piece& piece) const
{
    const CutterRect r = StripRect(piece);
    const double grow = m_spec.kerfMm / 2;
    drawing.outlines.push_back({r.left - grow, r.top - grow, r.right + grow, r.bottom + grow});
}

void CutterGeometry::AddHoles(CutterDrawing& drawing, const Piece& piece) const
{
    const CardGeometry& g = m_geometry;
    const StripPlan& strip = piece.strip;
    const int half = g.MmX(g.sizes().halfMarkMm);
    const double radius = m_spec.holeMm / 2 - m_spec.kerfMm / 2;
    // Notes stacked at one place print one mark; they are one hole.
    std::set<std::pair<int, int>> cut;
    for (const PrintNote& note : m_list) {
        if (note.isEnd()) {
            break;
        }
        if (!g.HoleOnStrip(note, strip)) {
            continue;
        }
        const int x = g.MarkLeft(note, strip.firstBar, strip.lead) + half;
        const int y = g.RowY(Top(piece), g.LineIndex(note.rowFromTop));
        if (!cut.emplace(x, y).second) {
            continue;
        }
        const CutterPoint centre = At(piece, x, y);
        drawing.holes.push_back({centre.x, centre.y, radius});
    }
}

void CutterGeometry::AddLine(CutterDrawing& drawing, const Piece& piece, int x1, int y1, int x2, int y2,
                             double penMm) const
{
    drawing.lines.push_back({At(piece, x1, y1), At(piece, x2, y2), penMm});
}

void CutterGeometry::AddRuling(CutterDrawing& drawing, const Piece& piece) const
{
    const CardGeometry& g = m_geometry;
    const PrintOptions& options = m_song.printOptions;
    const StripPlan& strip = piece.strip;
    const int n = strip.bars;
    const int x0 = std::max(0, strip.lead);
    const int x1 = g.StripEnd(strip);
    const int y0 = Top(piece);
    // The bar lines where the printed card draws them; a strip cut in a rest has no line of a
    // bar that began on the strip before, nor one beyond its cut.
    const auto barLine = [&](int i) { return g.Flip(strip.lead + g.BarEdge(strip.firstBar, i)); };
    const auto onStrip = [&](int i) {
        return strip.lead + g.BarEdge(strip.firstBar, i) >= x0 && !(strip.end >= 0 && i == n);
    };
    if (!options.ruledLines) {
        const int bottom = y0 + g.MmY(g.sizes().stripWidthMm);
        for (int i = 0; i <= n; ++i) {
            if (!onStrip(i)) {
                continue;
            }
            const int x = barLine(i);
            const double length = i == 0 || i == n ? card::kEndTickMm : card::kInnerTickMm;
            AddLine(drawing, piece, x, y0, x, y0 + g.MmY(length), card::kTickPenMm);
            AddLine(drawing, piece, x, bottom, x, bottom - g.MmY(length), card::kTickPenMm);
        }
        return;
    }
    const double rowPen = options.thickLines ? card::kThickRowPenMm : cutter::kHairlinePenMm;
    for (int k = 0; k < g.rowCount(); ++k) {
        const int row = g.RowOfLine(k);
        const bool isC = row >= 0 && row < kMaxRows && m_song.rows[static_cast<std::size_t>(row)].isC != 0;
        const int y = g.RowY(y0, k);
        AddLine(drawing, piece, g.Flip(x0), y, g.Flip(x1), y, isC ? card::kEdgePenMm : rowPen);
    }
    for (int i = 0; i <= n; ++i) {
        if (!onStrip(i)) {
            continue;
        }
        const int x = barLine(i);
        AddLine(drawing, piece, x, g.RowY(y0, 0), x, g.RowY(y0, g.rowCount() - 1), card::kEdgePenMm);
    }
}

void CutterGeometry::AddRowLabels(CutterDrawing& drawing, const Piece& piece) const
{
    const CardGeometry& g = m_geometry;
    const int lead = piece.strip.lead;
    // Only the song's first strip has a leader to carry the labels; elsewhere they fall off the page.
    if (!m_song.printOptions.ruledLines || lead <= 0) {
        return;
    }
    const int width = g.MmX(card::kLabelWidthMm);
    const double height = Ymm(g.MmY(card::kLabelFontMm));
    const int rows = std::min(m_song.rowCount, kMaxRows);
    for (int r = 0; r < rows; ++r) {
        const int yc = g.RowY(Top(piece), g.LineIndex(m_song.rowCount - 1 - r));
        const std::string_view name = m_song.rows[static_cast<std::size_t>(r)].name.view();
        if (name.empty()) {
            continue;
        }
        if (g.mirrored()) {
            const int right = g.metrics().horzRes - lead + width;
            drawing.texts.push_back({std::string(name), At(piece, right, yc), height, CutterAlign::Right});
        } else {
            drawing.texts.push_back({std::string(name), At(piece, lead - width, yc), height, CutterAlign::Left});
        }
    }
}

void CutterGeometry::AddArrow(CutterDrawing& drawing, const Piece& piece) const
{
    const CardGeometry& g = m_geometry;
    const Span bar = g.BarLeft(0, piece.strip.lead);
    const int x = bar.from;
    const int y0 = Top(piece);
    const int yt = y0 + g.MmY(g.sizes().stripWidthMm - card::kArrowFromBottomMm);
    const int yb = yt + g.MmY(card::kArrowHeightMm);
    const int rise = g.MmY(card::kArrowPointRiseMm);
    std::vector<CutterPoint> arrow;
    if (g.mirrored()) {
        const int xr = bar.to;
        const int tail = xr - g.MmX(card::kArrowStartMm);
        const int head = tail - g.MmX(card::kArrowLengthMm);
        arrow = {At(piece, tail, yt), At(piece, head, yt), At(piece, head, yb), At(piece, tail, yb),
                 At(piece, xr, yb - rise)};
    } else {
        const int tail = x + g.MmX(card::kArrowStartMm);
        const int head = tail + g.MmX(card::kArrowLengthMm);
        arrow = {At(piece, tail, yt), At(piece, head, yt), At(piece, head, yb), At(piece, tail, yb),
                 At(piece, x, yb - rise)};
    }
    drawing.arrows.push_back(std::move(arrow));
}

void CutterGeometry::AddTitleBlock(CutterDrawing& drawing, const Piece& piece) const
{
    const CardGeometry& g = m_geometry;
    const Span bar = g.BarLeft(0, piece.strip.lead);
    const int x = bar.from;
    const int xr = bar.to;
    const int y0 = Top(piece);
    const int top = y0 + g.MmY(card::kTitleTopMm);
    const int bottom = y0 + g.MmY(g.sizes().firstRowMm) - g.MmY(card::kTitleBottomInsetMm);
    const std::string title = std::string(text(str::kMovementLabel)) + ' ' + m_spec.title;
    const double titleHeight = Ymm(g.MmY(card::kTitleFontMm));
    const CutterAlign align = g.mirrored() ? CutterAlign::Right : CutterAlign::Left;
    // The printed texts are centred in their rectangles' height.
    drawing.texts.push_back({title, AtMiddle(piece, g.mirrored() ? xr : x, top, bottom), titleHeight, align});
    if (m_spec.author.empty()) {
        return;
    }
    const int offset = g.MmX(card::kAuthorOffsetMm);
    const CardSizes& sizes = g.sizes();
    const int aTop = y0 + g.MmY(sizes.stripWidthMm) - g.MmY(sizes.bottomMarginMm) + g.MmY(card::kTitleBottomInsetMm);
    const int aBottom = y0 + g.MmY(sizes.stripWidthMm);
    const CutterPoint at = AtMiddle(piece, g.mirrored() ? xr - offset : x + offset, aTop, aBottom);
    drawing.texts.push_back({m_spec.author, at, Ymm(g.MmY(card::kAuthorFontMm)), align});
}

namespace {

// Code points of UTF-8 text.
int CodePoints(const std::string& text)
{
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

} // namespace

void CutterGeometry::AddBarNumbers(CutterDrawing& drawing, const Piece& piece) const
{
    const int every = m_spec.assembly.barNumbers;
    if (every <= 0) {
        return;
    }
    const CardGeometry& g = m_geometry;
    const BarNumbers numbers(g, every);
    // The author line as long as its text at most can be: a full-width character is as wide as
    // the font is high.
    const int authorPx = m_spec.author.empty() ? 0 : CodePoints(m_spec.author) * g.MmX(card::kAuthorFontMm);
    const std::vector<Span> keepOut = numbers.FirstStripKeepOut(piece.strip, authorPx);
    const double height = Ymm(numbers.FontPixels());
    for (const BarNumberBox& box : numbers.BoxesOf(piece.strip, piece.copy, keepOut)) {
        const int x = box.towardsLeft ? box.right - 1 : box.left;
        drawing.texts.push_back({std::to_string(box.number), AtMiddle(piece, x, box.top, box.bottom), height,
                                 box.towardsLeft ? CutterAlign::Right : CutterAlign::Left});
    }
}

void CutterGeometry::AddStripTitle(CutterDrawing& drawing, const Piece& piece) const
{
    const CardGeometry& g = m_geometry;
    const int y0 = Top(piece);
    const int top = y0 + g.MmY(card::kTitleTopMm);
    const int bottom = y0 + g.MmY(g.sizes().firstRowMm) - g.MmY(card::kTitleBottomInsetMm);
    const std::string title = std::string(text(str::kMovementLabel)) + ' ' + m_spec.title;
    const CutterAlign align = g.mirrored() ? CutterAlign::Right : CutterAlign::Left;
    drawing.texts.push_back(
        {title, AtMiddle(piece, g.Flip(std::max(0, piece.strip.lead)), top, bottom), Ymm(g.MmY(card::kTitleFontMm)), align});
}

void CutterGeometry::AddJoins(CutterDrawing& drawing, const Piece& piece) const
{
    const CardGeometry& g = m_geometry;
    const int y0 = Top(piece);
    const int bottom = y0 + g.MmY(g.sizes().stripWidthMm);
    // The zone's inner edge: the outline is the cut.
    for (const JoinMark& mark : JoinMarksOf(g, piece.strip, m_spec.assembly)) {
        const int x = g.Flip(mark.atEnd ? mark.zone.from : mark.zone.to);
        AddLine(drawing, piece, x, y0, x, bottom, cutter::kHairlinePenMm);
    }
}

} // namespace zembra
