#include "card/card_painter.h"

#include "card/bar_numbers.h"
#include "card/hole_marks.h"
#include "card/join_marks.h"
#include "card/strip_numbers.h"
#include "model/card_constants.h"
#include "text/string_ids.h"
#include "text/strings.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace zembra {

namespace {

const QColor kEdgeColour(200, 200, 200);
const QColor kRowColour(210, 210, 210);
const QColor kTickColour(220, 220, 220);
const QColor kArrowColour(220, 220, 220);
const QColor kLabelColour(210, 210, 210);
const QColor kCrossColour(50, 50, 50);
const QColor kWhite(255, 255, 255);
// The tape's or the glue's stretch of a join.
const QColor kJoinColour(232, 232, 232);

QPen solidPen(const QColor& colour, int width)
{
    QPen pen(colour, std::max(1, width), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    return pen;
}

} // namespace

QFont CardFont(int pixels)
{
    QFont font(language() == Language::Japanese ? QStringLiteral("Noto Sans CJK JP") : QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setPixelSize(std::max(1, pixels));
    return font;
}

CardPainter::CardPainter(const SongState& song, const CardGeometry& geometry, const std::vector<PrintNote>& printList,
                         const CardLook& look)
    : m_song(song)
    , m_geometry(geometry)
    , m_list(printList)
    , m_look(look)
    , m_numbers(song.printOptions.stripNumbers ? std::make_unique<StripNumbers>(geometry, printList) : nullptr)
    , m_barNumbers(look.assembly.barNumbers > 0 ? std::make_unique<BarNumbers>(geometry, look.assembly.barNumbers)
                                                : nullptr)
    , m_titleFont(CardFont(geometry.MmY(card::kTitleFontMm)))
    , m_authorFont(CardFont(geometry.MmY(card::kAuthorFontMm)))
    , m_labelFont(CardFont(geometry.MmY(card::kLabelFontMm)))
{
}

CardPainter::~CardPainter() = default;

QColor CardPainter::Ink(const QColor& colour) const
{
    return m_song.printOptions.blackLines ? QColor(0, 0, 0) : colour;
}

void CardPainter::Check(int x, int y, const QColor& colour)
{
    if (m_readBack == nullptr) {
        return; // printers and PDF files cannot be read back; they are never reported for it
    }
    if (!m_readBack->rect().contains(x, y)) {
        return;
    }
    if (m_readBack->pixelColor(x, y).rgb() != colour.rgb()) {
        m_drawFailed = true;
    }
}

void CardPainter::Line(QPainter& painter, const QPen& pen, int x1, int y1, int x2, int y2)
{
    painter.setPen(pen);
    painter.drawLine(x1, y1, x2, y2);
    Check((x1 + x2) / 2, (y1 + y2) / 2, pen.color());
}

void CardPainter::PaintPage(QPainter& painter, int page, bool numbers)
{
    const CardGeometry& g = m_geometry;
    if (page == 1) {
        m_marksDrawn = 0;
    }
    painter.save();
    // Marks of the neighbouring bars that land beyond the strip fall off the printable area, as
    // they would on paper; a PDF page would otherwise show them in its margin.
    painter.setClipRect(QRect(0, 0, g.metrics().horzRes, g.metrics().vertRes));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    const std::vector<StripPlan> strips = g.StripsOfPage(page);
    DrawBackground(painter, page, strips);
    for (const StripPlan& strip : strips) {
        for (int c = 0; c < g.copies(); ++c) {
            DrawRowLabels(painter, std::max(0, strip.lead), g.StripTop(strip.index, c));
        }
        for (int c = 0; c < g.copies(); ++c) {
            const int y0 = g.StripTop(strip.index, c);
            DrawJoinZones(painter, strip, y0);
            DrawRuling(painter, strip, y0);
            DrawMarks(painter, strip, y0);
            DrawJoinCuts(painter, strip, y0);
        }
        if (strip.opensSong() && strip.bars > 0) {
            const Span first = g.BarLeft(0, strip.lead, 0);
            for (int c = 0; c < g.copies(); ++c) {
                DrawStartArrow(painter, first, g.StripTop(strip.index, c));
                DrawTitleBlock(painter, first, g.StripTop(strip.index, c));
            }
        }
        // The song's last strip keeps its tail after the last bar; every other strip is blanked
        // from just after its end, or after a mark that reaches past its last bar line. A strip
        // after the end of the music holds no bar: it is blanked from its start.
        const int end = g.StripExtent(strip, m_list).to;
        for (int c = 0; c < g.copies(); ++c) {
            BlankAfterStrip(painter, end, g.StripTop(strip.index, c));
        }
        if (m_numbers && numbers) {
            for (int c = 0; c < g.copies(); ++c) {
                DrawStripNumber(painter, page, strip, c);
            }
        }
        for (int c = 0; c < g.copies(); ++c) {
            if (m_barNumbers) {
                DrawBarNumbers(painter, strip, c);
            }
            if (m_look.assembly.stripTitles && !strip.opensSong() && strip.bars > 0) {
                DrawStripTitle(painter, strip, g.StripTop(strip.index, c));
            }
        }
    }
    painter.restore();
}

void CardPainter::DrawBackground(QPainter& painter, int page, const std::vector<StripPlan>& strips)
{
    const QImage* image = m_look.background;
    if (image == nullptr || image->isNull() || image->height() <= 0) {
        return;
    }
    const CardGeometry& g = m_geometry;
    const CardLayout& l = g.layout();
    const int h = g.MmY((g.rowCount() - 1) * g.sizes().rowPitchMm);
    const int w = static_cast<int>(static_cast<long long>(h) * image->width() / image->height());
    if (w <= 0 || h <= 0) {
        return;
    }
    ImagePhase phase = g.PhaseOfPage(page, w);
    long long imageX = phase.x;
    long long extent = phase.extent;
    for (const StripPlan& strip : strips) {
        const long long stripLength = g.StripLength(strip);
        while (imageX < stripLength) {
            const int x = g.mirrored() ? g.metrics().horzRes - static_cast<int>(imageX + w) : static_cast<int>(imageX);
            for (int c = 0; c < g.copies(); ++c) {
                painter.drawImage(QRect(x, g.StripTop(strip.index, c) + g.MmY(g.sizes().firstRowMm), w, h), *image);
            }
            imageX += w;
            extent += w;
        }
        if (extent > static_cast<long long>(l.totalBars) * l.barPx + w) {
            return;
        }
        imageX -= stripLength + w;
    }
}

void CardPainter::DrawRowLabels(QPainter& painter, int lead, int y0)
{
    if (!m_song.printOptions.ruledLines) {
        return;
    }
    const CardGeometry& g = m_geometry;
    painter.setFont(m_labelFont);
    painter.setPen(Ink(kLabelColour));
    const int width = g.MmX(card::kLabelWidthMm);
    const int half = g.MmY(g.sizes().halfMarkMm);
    const int rows = std::min(m_song.rowCount, kMaxRows);
    for (int r = 0; r < rows; ++r) {
        const int k = g.LineIndex(m_song.rowCount - 1 - r);
        const int yc = g.RowY(y0, k);
        const QString name = QString::fromUtf8(m_song.rows[static_cast<std::size_t>(r)].name.view().data(),
                                               static_cast<qsizetype>(m_song.rows[static_cast<std::size_t>(r)].name.view().size()));
        if (g.mirrored()) {
            const int left = g.metrics().horzRes - lead;
            painter.drawText(QRect(QPoint(left, yc - half), QPoint(left + width, yc + half)),
                             Qt::AlignRight | Qt::AlignVCenter, name);
        } else {
            painter.drawText(QRect(QPoint(lead - width, yc - half), QPoint(lead, yc + half)),
                             Qt::AlignLeft | Qt::AlignVCenter, name);
        }
    }
}

void CardPainter::DrawRuling(QPainter& painter, const StripPlan& strip, int y0)
{
    const CardGeometry& g = m_geometry;
    // A strip cut in a rest starts within a bar: its lines start at its own start.
    const int x0 = std::max(0, strip.lead);
    const int n = strip.bars;
    const int x1 = g.StripEnd(strip);
    const int bottom = y0 + g.MmY(g.sizes().stripWidthMm);
    // The bar lines on the strip: not the line of a bar that began on the strip before.
    const auto onStrip = [&](int i) { return strip.lead + g.BarEdge(strip.firstBar, i) >= x0; };
    const QPen edgePen = solidPen(Ink(kEdgeColour), g.MmY(card::kEdgePenMm));
    Line(painter, edgePen, g.Flip(x0), y0, g.Flip(x1), y0);
    Line(painter, edgePen, g.Flip(x0), bottom, g.Flip(x1), bottom);
    if (!m_song.printOptions.ruledLines) {
        const QPen tickPen = solidPen(Ink(kTickColour), g.MmY(card::kTickPenMm));
        for (int i = 0; i <= n; ++i) {
            if (!onStrip(i) || (strip.end >= 0 && i == n)) {
                continue;
            }
            const int x = g.Flip(strip.lead + g.BarEdge(strip.firstBar, i));
            const double length = i == 0 || i == n ? card::kEndTickMm : card::kInnerTickMm;
            Line(painter, tickPen, x, y0, x, y0 + g.MmY(length));
            Line(painter, tickPen, x, bottom, x, bottom - g.MmY(length));
        }
        return;
    }
    const QPen rowPen =
        solidPen(Ink(kRowColour), m_song.printOptions.thickLines ? g.MmY(card::kThickRowPenMm) : 1);
    for (int pass = 0; pass < 2; ++pass) {
        const bool cPass = pass == 0;
        for (int k = 0; k < g.rowCount(); ++k) {
            const int row = g.RowOfLine(k);
            const bool isC = row >= 0 && row < kMaxRows && m_song.rows[static_cast<std::size_t>(row)].isC != 0;
            if (isC == cPass) {
                const int y = g.RowY(y0, k);
                Line(painter, cPass ? edgePen : rowPen, g.Flip(x0), y, g.Flip(x1), y);
            }
        }
    }
    for (int i = 0; i <= n; ++i) {
        if (!onStrip(i) || (strip.end >= 0 && i == n)) {
            continue;
        }
        const int x = g.Flip(strip.lead + g.BarEdge(strip.firstBar, i));
        Line(painter, edgePen, x, g.RowY(y0, 0), x, g.RowY(y0, g.rowCount() - 1));
    }
}

void CardPainter::DrawJoinZones(QPainter& painter, const StripPlan& strip, int y0)
{
    const CardGeometry& g = m_geometry;
    const int bottom = y0 + g.MmY(g.sizes().stripWidthMm);
    for (const JoinMark& mark : JoinMarksOf(g, strip, m_look.assembly)) {
        const int a = g.Flip(mark.zone.from);
        const int b = g.Flip(mark.zone.to);
        painter.fillRect(QRect(QPoint(std::min(a, b), y0), QPoint(std::max(a, b) - 1, bottom - 1)), Ink(kJoinColour));
    }
}

void CardPainter::DrawJoinCuts(QPainter& painter, const StripPlan& strip, int y0)
{
    const CardGeometry& g = m_geometry;
    const int bottom = y0 + g.MmY(g.sizes().stripWidthMm);
    QPen pen = solidPen(Ink(kCrossColour), g.MmX(card::kJoinCutPenMm));
    pen.setStyle(Qt::DashLine);
    for (const JoinMark& mark : JoinMarksOf(g, strip, m_look.assembly)) {
        if (mark.atEnd) {
            const int x = g.Flip(mark.zone.to);
            painter.setPen(pen);
            painter.drawLine(x, y0, x, bottom);
        }
    }
}

void CardPainter::DrawMarks(QPainter& painter, const StripPlan& strip, int y0)
{
    const CardGeometry& g = m_geometry;
    const CardSizes& sizes = g.sizes();
    const MarkShape shape{g.MmX(sizes.markMm), g.MmX(sizes.halfMarkMm), g.MmY(sizes.halfMarkMm), g.MmX(card::kMarkPenMm)};
    std::vector<QPoint> marks;
    for (const PrintNote& note : m_list) {
        if (note.isEnd()) {
            break;
        }
        if (!g.MarkOnStrip(note, strip)) {
            continue;
        }
        marks.emplace_back(g.MarkLeft(note, strip.firstBar, strip.lead), g.RowY(y0, g.LineIndex(note.rowFromTop)));
        // Only the strip's own holes count: the tail's marks after the song's end are cut short
        // by the blanking, and counting them would hide a hole that was never printed.
        if (m_countMarks && g.HoleOnStrip(note, strip)) {
            ++m_marksDrawn;
        }
    }
    PaintMarkDiscs(painter, marks, shape);
    for (const QPoint& m : marks) {
        Check(m.x() + shape.width / 2 + 1, m.y(), kWhite);
    }
    PaintMarkCrosses(painter, marks, shape);
    for (const QPoint& m : marks) {
        Check(m.x() + shape.width / 2, m.y(), kCrossColour);
    }
}

void CardPainter::DrawStartArrow(QPainter& painter, const Span& bar, int y0)
{
    const int x = bar.from;
    const CardGeometry& g = m_geometry;
    const int yt = y0 + g.MmY(g.sizes().stripWidthMm - card::kArrowFromBottomMm);
    const int yb = yt + g.MmY(card::kArrowHeightMm);
    const int rise = g.MmY(card::kArrowPointRiseMm);
    QPolygon arrow;
    if (g.mirrored()) {
        const int xr = bar.to;
        const int tail = xr - g.MmX(card::kArrowStartMm);
        const int head = tail - g.MmX(card::kArrowLengthMm);
        arrow << QPoint(tail, yt) << QPoint(head, yt) << QPoint(head, yb) << QPoint(tail, yb) << QPoint(xr, yb - rise);
    } else {
        const int tail = x + g.MmX(card::kArrowStartMm);
        const int head = tail + g.MmX(card::kArrowLengthMm);
        arrow << QPoint(tail, yt) << QPoint(head, yt) << QPoint(head, yb) << QPoint(tail, yb) << QPoint(x, yb - rise);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kArrowColour);
    painter.drawPolygon(arrow, Qt::WindingFill);
    painter.setBrush(Qt::NoBrush);
}

void CardPainter::DrawTitleBlock(QPainter& painter, const Span& bar, int y0)
{
    const CardGeometry& g = m_geometry;
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(Ink(m_look.textColour));
    const int x = bar.from;
    const int xr = bar.to;
    const int width = g.MmX(card::kTitleWidthMm);
    const int top = y0 + g.MmY(card::kTitleTopMm);
    const int bottom = y0 + g.MmY(g.sizes().firstRowMm) - g.MmY(card::kTitleBottomInsetMm);
    const QString titleLine = QString::fromUtf8(text(str::kMovementLabel).data()) + QLatin1Char(' ') + m_look.title;
    painter.setFont(m_titleFont);
    if (g.mirrored()) {
        painter.drawText(QRect(QPoint(xr - width, top), QPoint(xr, bottom)), Qt::AlignRight | Qt::AlignVCenter,
                         titleLine);
    } else {
        painter.drawText(QRect(QPoint(x, top), QPoint(x + width, bottom)), Qt::AlignLeft | Qt::AlignVCenter, titleLine);
    }
    if (!m_look.author.isEmpty()) {
        const int offset = g.MmX(card::kAuthorOffsetMm);
        const CardSizes& sizes = g.sizes();
        const int aTop = y0 + g.MmY(sizes.stripWidthMm) - g.MmY(sizes.bottomMarginMm) + g.MmY(card::kTitleBottomInsetMm);
        const int aBottom = y0 + g.MmY(sizes.stripWidthMm);
        painter.setFont(m_authorFont);
        if (g.mirrored()) {
            painter.drawText(QRect(QPoint(xr - offset - width, aTop), QPoint(xr - offset, aBottom)),
                             Qt::AlignRight | Qt::AlignVCenter, m_look.author);
        } else {
            painter.drawText(QRect(QPoint(x + offset, aTop), QPoint(x + offset + width, aBottom)),
                             Qt::AlignLeft | Qt::AlignVCenter, m_look.author);
        }
    }
}

void CardPainter::BlankAfterStrip(QPainter& painter, int end, int y0)
{
    const CardGeometry& g = m_geometry;
    const int top = y0 + g.MmY(card::kBlankInsetMm);
    const int bottom = y0 + g.MmY(g.sizes().stripWidthMm) - g.MmY(card::kBlankInsetMm);
    const int from = end + g.MmX(card::kBlankGapMm);
    if (g.mirrored()) {
        painter.fillRect(QRect(QPoint(0, top), QPoint(g.Flip(from), bottom)), kWhite);
    } else {
        painter.fillRect(QRect(QPoint(from, top), QPoint(g.metrics().horzRes + g.MmX(card::kBlankOverrunMm), bottom)),
                         kWhite);
    }
}

void CardPainter::DrawBarNumbers(QPainter& painter, const StripPlan& strip, int copy)
{
    const int authorPx = m_look.author.isEmpty() ? 0 : QFontMetrics(m_authorFont).horizontalAdvance(m_look.author);
    const std::vector<Span> keepOut = m_barNumbers->FirstStripKeepOut(strip, authorPx);
    painter.save();
    painter.setPen(Ink(m_look.textColour));
    painter.setFont(CardFont(m_barNumbers->FontPixels()));
    for (const BarNumberBox& box : m_barNumbers->BoxesOf(strip, copy, keepOut)) {
        const QRect rect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
        painter.drawText(rect, (box.towardsLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextDontClip,
                         QString::number(box.number));
    }
    painter.restore();
}

void CardPainter::DrawStripTitle(QPainter& painter, const StripPlan& strip, int y0)
{
    // The title line of the first strip, at the start of a later one, short of the end where a
    // strip number may stand in the top margin.
    const CardGeometry& g = m_geometry;
    const int from = std::max(0, strip.lead);
    const int room = g.StripEnd(strip) - g.MmX(card::kStripNumberMarginLengthMm) - from;
    const int width = std::min(g.MmX(card::kTitleWidthMm), room);
    if (width <= 0) {
        return;
    }
    const int top = y0 + g.MmY(card::kTitleTopMm);
    const int bottom = y0 + g.MmY(g.sizes().firstRowMm) - g.MmY(card::kTitleBottomInsetMm);
    const QString titleLine = QString::fromUtf8(text(str::kMovementLabel).data()) + QLatin1Char(' ') + m_look.title;
    painter.save();
    painter.setPen(Ink(m_look.textColour));
    painter.setFont(m_titleFont);
    const QString shown = painter.fontMetrics().elidedText(titleLine, Qt::ElideRight, width);
    if (g.mirrored()) {
        painter.drawText(QRect(QPoint(g.Flip(from) - width, top), QPoint(g.Flip(from), bottom)),
                         Qt::AlignRight | Qt::AlignVCenter, shown);
    } else {
        painter.drawText(QRect(QPoint(from, top), QPoint(from + width, bottom)), Qt::AlignLeft | Qt::AlignVCenter, shown);
    }
    painter.restore();
}

void CardPainter::DrawStripNumber(QPainter& painter, int page, const StripPlan& strip, int copy)
{
    const NumberBox box = m_numbers->BoxOf(strip, copy);
    if (box.empty()) {
        return;
    }
    const QString label = QString::fromStdString(
        StripNumberText(m_numbers->NumberOf(page, strip), m_numbers->count(), m_look.title.toStdString()));
    const QRect rect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setPen(Ink(m_look.textColour));
    painter.setFont(CardFont(m_numbers->FontPixels(box)));
    if (box.across) {
        // Read from the bottom edge up, as a label on the strip's end.
        painter.translate(rect.left(), rect.bottom() + 1);
        painter.rotate(-90);
        const QRect turned(0, 0, rect.height(), rect.width());
        painter.drawText(turned, Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(label, Qt::ElideRight, turned.width()));
    } else {
        const Qt::Alignment side = m_geometry.mirrored() ? Qt::AlignLeft : Qt::AlignRight;
        painter.drawText(rect, side | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(label, Qt::ElideRight, rect.width()));
    }
    painter.restore();
}

} // namespace zembra
