#include "card/card_sketch.h"

#include "card/card_painter.h"
#include "card/card_sizes.h"
#include "card/hole_marks.h"
#include "card/print_dialog_rules.h"
#include "card/strip_numbers.h"
#include "text/string_ids.h"
#include "services/paint_device_metrics.h"
#include "services/qt_text.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace zembra {

namespace {

constexpr int kPreviewTop = 20;
constexpr int kPreviewBand = 180;
constexpr int kPreviewBandBottom = kPreviewTop + kPreviewBand;
constexpr int kMarginLead = 30;
constexpr int kMarginTail = 10;
constexpr int kPixelsPerMm = 3; // along the card
constexpr int kDefaultBarPixels = 60;
constexpr int kTitleFontPixels = 12;
constexpr int kAuthorFontPixels = 9;
constexpr int kNumberFontPixels = 8;

const QColor kRowColour(210, 210, 210);
const QColor kCColour(200, 200, 200);
const QColor kArrowColour(220, 220, 220);

int SketchPixels(double mm)
{
    return static_cast<int>(std::lround(mm * kPixelsPerMm));
}

} // namespace

CardSketch::CardSketch(const SongState& song, int startX, std::function<SketchLook()> look, QWidget* parent)
    : QWidget(parent)
    , m_song(song)
    , m_list(BuildPrintList(song, startX))
    , m_look(std::move(look))
{
    setObjectName(QStringLiteral("cardSketch"));
    setFixedHeight(kHeight);
    setMinimumWidth(kMinimumWidth);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

int CardSketch::BarPixels(const SketchLook& look) const
{
    return look.barLengthMm == 0 ? kDefaultBarPixels : look.barLengthMm * kPreviewBand / kDefaultBarPixels;
}

void CardSketch::paintEvent(QPaintEvent*)
{
    const SketchLook look = m_look ? m_look() : SketchLook{};
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setBrush(Qt::NoBrush);
    PaintBackground(painter, look);
    PaintRuling(painter, look);
    PaintHoles(painter, look);
    PaintArrow(painter, look);
    if (look.assembly.barNumbers > 0) {
        PaintBarNumbers(painter, look);
    }
    if (look.options.stripNumbers) {
        PaintStripNumber(painter, look);
    }
    PaintTitleBlock(painter, look);
}

void CardSketch::PaintBackground(QPainter& painter, const SketchLook& look)
{
    const QImage* image = look.background;
    if (image == nullptr || image->isNull() || image->height() <= 0) {
        return;
    }
    const int w = width();
    const int tileW = kPreviewBand * image->width() / image->height();
    if (tileW <= 0) {
        return;
    }
    if (!look.options.mirrorCard) {
        for (int x = 0; x < w; x += tileW) {
            painter.drawImage(QRect(x, kPreviewTop, tileW, kPreviewBand), *image);
            if (!look.options.repeatImage) {
                break;
            }
        }
    } else {
        for (int x = w - tileW; x > -tileW; x -= tileW) {
            painter.drawImage(QRect(x, kPreviewTop, tileW, kPreviewBand), *image);
            if (!look.options.repeatImage) {
                break;
            }
        }
    }
}

void CardSketch::PaintRuling(QPainter& painter, const SketchLook& look)
{
    const PrintOptions& options = look.options;
    if (!options.ruledLines) {
        return;
    }
    const int w = width();
    const bool mirror = options.mirrorCard != 0;
    const int left = mirror ? kMarginTail : kMarginLead;
    const int right = mirror ? kMarginLead : kMarginTail;
    const QColor rowColour = options.blackLines ? QColor(Qt::black) : kRowColour;
    const QColor cColour = options.blackLines ? QColor(Qt::black) : kCColour;
    const QPen rowPen(rowColour, options.thickLines ? 2 : 1, Qt::SolidLine, Qt::FlatCap);
    const QPen cPen(cColour, 2, Qt::SolidLine, Qt::FlatCap);
    const int rows = m_song.rowCount;
    const bool flipped = (options.mirrorCard != 0) != (options.swapHighLow != 0);
    for (int q = 0; q <= rows; ++q) {
        // Line q stands for the row counted from the top, or from the bottom when the card is
        // turned one way only; one end line names no row.
        const int row = flipped ? q : rows - q;
        const bool isC = row >= 0 && row < rows && row < kMaxRows && m_song.rows[static_cast<std::size_t>(row)].isC;
        const int y = q * kPreviewBand / std::max(1, rows) + kPreviewTop;
        painter.setPen(isC ? cPen : rowPen);
        painter.drawLine(left, y, w - right, y);
    }
    const int step = BarPixels(look);
    painter.setPen(rowPen);
    if (step > 0) {
        if (!mirror) {
            for (int x = left; x <= w - right; x += step) {
                painter.drawLine(x, kPreviewTop, x, kPreviewBandBottom);
            }
        } else {
            for (int x = w - right; x >= left; x -= step) {
                painter.drawLine(x, kPreviewTop, x, kPreviewBandBottom);
            }
        }
    }
}

void CardSketch::PaintHoles(QPainter& painter, const SketchLook& look)
{
    const PrintOptions& options = look.options;
    const int w = width();
    const bool mirror = options.mirrorCard != 0;
    const bool flipped = (options.mirrorCard != 0) != (options.swapHighLow != 0);
    const int rows = std::max(1, m_song.rowCount);
    // The box's own mark, at the sketch's scale along the card.
    const CardSizes sizes = CardSizesOf(m_song.box);
    const MarkShape shape{SketchPixels(sizes.markMm), SketchPixels(sizes.halfMarkMm), SketchPixels(sizes.halfMarkMm), 1};
    // The marks that lie whole between the margins, from the first bar line on.
    const int room = w - kMarginLead - kMarginTail - shape.width;
    std::vector<QPoint> marks;
    for (const PrintNote& note : m_list) {
        if (note.isEnd()) {
            break;
        }
        const SketchMark mark = SketchMarkOf(note, m_song.barWidth(), BarPixels(look), m_song.rowCount, flipped);
        if (mark.along > room) {
            break; // the list runs in order along the card
        }
        const int x = mirror ? w - kMarginLead - mark.along - shape.width : kMarginLead + mark.along;
        marks.emplace_back(x, mark.line * kPreviewBand / rows + kPreviewTop);
    }
    PaintMarkDiscs(painter, marks, shape);
    PaintMarkCrosses(painter, marks, shape);
}

void CardSketch::PaintArrow(QPainter& painter, const SketchLook& look)
{
    const int w = width();
    QPolygon arrow;
    if (!look.options.mirrorCard) {
        arrow << QPoint(30, 205) << QPoint(120, 205) << QPoint(120, 215) << QPoint(30, 215) << QPoint(10, 210);
    } else {
        arrow << QPoint(w - 30, 205) << QPoint(w - 120, 205) << QPoint(w - 120, 215) << QPoint(w - 30, 215)
              << QPoint(w - 10, 210);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kArrowColour);
    painter.drawPolygon(arrow);
    painter.setBrush(Qt::NoBrush);
}

void CardSketch::PaintTitleBlock(QPainter& painter, const SketchLook& look)
{
    const int w = width();
    const bool mirror = look.options.mirrorCard != 0;
    painter.setPen(look.options.blackLines ? QColor(Qt::black) : look.textColour);
    const QString title = TextOf(str::kMovementLabel) + QLatin1Char(' ') + QString::fromStdString(m_song.title);
    const QString author = QString::fromStdString(m_song.author);
    const bool noAuthor = author == TextOf(str::kNoAuthor);
    painter.setFont(CardFont(kTitleFontPixels));
    if (!mirror) {
        painter.drawText(QRect(QPoint(20, 3), QPoint(200, 20)), Qt::AlignLeft | Qt::AlignVCenter, title);
    } else {
        painter.drawText(QRect(QPoint(w - 200, 3), QPoint(w - 20, 20)), Qt::AlignRight | Qt::AlignVCenter, title);
    }
    if (!noAuthor) {
        painter.setFont(CardFont(kAuthorFontPixels));
        if (!mirror) {
            painter.drawText(QRect(QPoint(130, 203), QPoint(310, 220)), Qt::AlignLeft | Qt::AlignVCenter, author);
        } else {
            painter.drawText(QRect(QPoint(w - 510, 203), QPoint(w - 150, 220)), Qt::AlignRight | Qt::AlignVCenter,
                             author);
        }
    }
}

void CardSketch::PaintBarNumbers(QPainter& painter, const SketchLook& look)
{
    // The numbers under the band, after the bar lines they name, clear of the arrow and the
    // author as on the first strip of the card.
    const int step = BarPixels(look);
    if (step <= 0) {
        return;
    }
    const int w = width();
    const bool mirror = look.options.mirrorCard != 0;
    const int every = std::max(1, look.assembly.barNumbers);
    const QRect taken = mirror ? QRect(QPoint(w - 510, kPreviewBandBottom), QPoint(w - 1, kHeight - 1))
                               : QRect(QPoint(0, kPreviewBandBottom), QPoint(310, kHeight - 1));
    painter.save();
    painter.setPen(look.options.blackLines ? QColor(Qt::black) : look.textColour);
    painter.setFont(CardFont(kNumberFontPixels));
    const int room = w - kMarginLead - kMarginTail;
    for (int bar = 0; bar * step <= room; bar += every) {
        const int line = mirror ? w - kMarginLead - bar * step : kMarginLead + bar * step;
        const QRect box = mirror ? QRect(QPoint(line - step + 2, kPreviewBandBottom + 1), QPoint(line - 2, kHeight - 2))
                                 : QRect(QPoint(line + 2, kPreviewBandBottom + 1), QPoint(line + step - 2, kHeight - 2));
        if (box.intersects(taken) || box.left() < 0 || box.right() >= w) {
            continue;
        }
        painter.drawText(box, (mirror ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, QString::number(bar + 1));
    }
    painter.restore();
}

void CardSketch::PaintStripNumber(QPainter& painter, const SketchLook& look)
{
    // The first strip's number in the end margin of the schematic card, reading across it, as the
    // card has it after its last bar; the count comes from the card laid out with these options.
    const int count = StripCountWith(m_song, look.options, look.barLengthMm,
                                     CalibratedMetrics(CheckMetrics(), look.printerName));
    const QString label = QString::fromStdString(StripNumberText(1, count, m_song.title));
    const int w = width();
    const bool mirror = look.options.mirrorCard != 0;
    const QRect band = mirror ? QRect(1, kPreviewTop, kMarginTail - 1, kPreviewBand)
                              : QRect(w - kMarginTail, kPreviewTop, kMarginTail - 1, kPreviewBand);
    painter.save();
    painter.setClipRect(band);
    painter.setPen(look.options.blackLines ? QColor(Qt::black) : look.textColour);
    painter.setFont(CardFont(kNumberFontPixels));
    painter.translate(band.left(), band.bottom() + 1);
    painter.rotate(-90);
    painter.drawText(QRect(0, 0, band.height(), band.width()), Qt::AlignLeft | Qt::AlignVCenter, label);
    painter.restore();
}

} // namespace zembra
