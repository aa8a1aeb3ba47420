// True scale on a printer that shrinks its output: print the calibration strip on it, measure the
// strip in what it printed, enter the lengths, and measure the card it prints afterwards over
// several strips and pages.
#include "card/calibration_dialog.h"
#include "card/calibration_flow.h"
#include "card/calibration_strip.h"
#include "card/card_job.h"
#include "card_test_host.h"
#include "scoped_scripted_prompts.h"
#include "shrinking_printer.h"
#include "services/paint_device_metrics.h"
#include "services/settings.h"

#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace zembra {
namespace {

// Prints 98.5 % of every length along its page and 99.2 % across it: it says 591 and 595 dots
// per inch where its dots really lie at 600 and 595 / 0.992.
constexpr double kRealDpiX = 600.0;
constexpr double kRealDpiY = 595.0 / 0.992;
constexpr int kReportedDpiX = 591;
constexpr int kReportedDpiY = 595;
constexpr double kToleranceMm = 0.1;
const QString kPrinter = QStringLiteral("Shrinking Test Printer");

ShrinkingPrinter MakePrinter()
{
    return ShrinkingPrinter(180.0, 145.0, kRealDpiX, kRealDpiY, kReportedDpiX, kReportedDpiY);
}

// Centres of the runs of pixels along one row (or one column) that `ink` accepts.
template <typename Ink>
std::vector<double> Runs(const QImage& image, bool row, int at, int from, int to, Ink ink)
{
    std::vector<double> centres;
    int start = -1;
    for (int i = from; i <= to; ++i) {
        const bool inked = i < to && ink(row ? image.pixel(i, at) : image.pixel(at, i));
        if (inked && start < 0) {
            start = i;
        } else if (!inked && start >= 0) {
            centres.push_back((start + i - 1) / 2.0);
            start = -1;
        }
    }
    return centres;
}

// The last inked pixel of the run along a row that holds `centre`.
template <typename Ink>
double Trailing(const QImage& image, int row, double centre, Ink ink)
{
    int x = static_cast<int>(centre);
    while (x + 1 < image.width() && ink(image.pixel(x + 1, row))) {
        ++x;
    }
    return x;
}

bool Dark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

// Pixels per tick of a ruler: the slope of the least-squares line through the tick centres, as a
// careful person reads a ruler along its whole length.
double Slope(const std::vector<double>& centres)
{
    const double n = static_cast<double>(centres.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < centres.size(); ++i) {
        const double x = static_cast<double>(i);
        sx += x;
        sy += centres[i];
        sxx += x * x;
        sxy += x * centres[i];
    }
    return (n * sxy - sx * sy) / (n * sxx - sx * sx);
}

struct Measured {
    double alongMm = 0;
    double acrossMm = 0;
};

// The two rulers of the strip the printer printed, in real millimetres.
Measured MeasureStrip(const ShrinkingPrinter& printer)
{
    using S = CalibrationStrip;
    const PrintMetrics m = MetricsOfDevice(printer);
    const QImage& image = printer.image();
    const std::vector<double> along = Runs(image, true, m.MmToDeviceY(S::kAlongBaseY + 1.0),
                                           m.MmToDeviceX(S::kAlongZeroX - 5.0), m.MmToDeviceX(S::kAlongZeroX + 105.0), Dark);
    const std::vector<double> across =
        Runs(image, false, m.MmToDeviceX(S::kAcrossBaseX + 1.0), m.MmToDeviceY(S::kAcrossZeroY - 2.0),
             m.MmToDeviceY(S::kAcrossZeroY + 62.0), Dark);
    EXPECT_EQ(along.size(), 101u);
    EXPECT_EQ(across.size(), 61u);
    if (along.size() < 2 || across.size() < 2) {
        return {};
    }
    return {printer.realMmX(Slope(along) * 100.0), printer.realMmY(Slope(across) * 60.0)};
}

struct CardMeasure {
    int strips = 0;
    int pages = 0;
    double spanMm = 0;     // from the first mark to the last, as designed
    double worstMm = 0;    // the largest error of a mark's place along the card
    double worstStripMm = 0; // the largest error of a strip's length
    double worstAcrossMm = 0; // the largest error of a card width across
};

// Prints the card on the printer page by page and measures every mark's place along the card
// as the strips, glued end to end, give it.
CardMeasure MeasureCard(ShrinkingPrinter& printer, const PrintMetrics& metrics, TestCardHost& host,
                        const std::vector<double>& designMm)
{
    CardMeasure out;
    CardJob job;
    EXPECT_TRUE(job.Begin(metrics, host.song(), 0, LookOfSong(host.song(), nullptr, Qt::black)));
    const CardGeometry& g = job.geometry();
    const QRgb edge = qRgb(200, 200, 200);
    const QRgb cross = qRgb(50, 50, 50);
    std::vector<double> marks; // real mm along the card
    double cardStart = 0;
    out.pages = job.pageCount();
    for (int page = 1; page <= job.pageCount(); ++page) {
        printer.clear();
        {
            QPainter painter(&printer);
            job.PaintPage(painter, page);
        }
        const QImage& image = printer.image();
        for (const StripPlan& strip : g.StripsOfPage(page)) {
            ++out.strips;
            const int y0 = g.StripTop(strip.index, 0);
            // Bar lines, between two row lines that carry no note. A strip without a leader starts
            // at the edge of the printable area, which cuts its first line in half: each line is
            // placed by its trailing edge and the width of a whole line.
            const auto isEdge = [edge](QRgb p) { return p == edge; };
            const int lineRow = g.RowY(y0, 30) + g.MmY(0.9);
            const std::vector<double> centres = Runs(image, true, lineRow, 0, image.width(), isEdge);
            std::vector<double> lines;
            if (centres.size() >= 2) {
                const double whole = 2 * (Trailing(image, lineRow, centres[1], isEdge) - centres[1]);
                for (double centre : centres) {
                    lines.push_back(Trailing(image, lineRow, centre, isEdge) - whole / 2);
                }
            }
            EXPECT_EQ(static_cast<int>(lines.size()), strip.bars + 1) << "page " << page << " strip " << strip.index;
            if (lines.size() < 2) {
                continue;
            }
            const double length = printer.realMmX(lines.back() - lines.front());
            out.worstStripMm = std::max(out.worstStripMm, std::abs(length - strip.bars * host.song().barLengthMm));
            // The vertical strokes of the crosses on the notes' row, inside the strip.
            const int row = g.RowY(y0, g.LineIndex(10)) - g.MmY(0.5);
            for (double x : Runs(image, true, row, 0, image.width(), [cross](QRgb p) { return p == cross; })) {
                if (x > lines.front() && x < lines.back()) {
                    marks.push_back(cardStart + printer.realMmX(x - lines.front()));
                }
            }
            cardStart += length;
            // Across: the strip's two edges, in the middle of its first bar.
            const int column = static_cast<int>(lines.front() + (lines[1] - lines.front()) / 2);
            const std::vector<double> edges =
                Runs(image, false, column, std::max(0, y0 - 5), std::min(image.height(), y0 + g.MmY(69.6) + 6),
                     [edge](QRgb p) { return p == edge; });
            if (edges.size() >= 2) {
                out.worstAcrossMm =
                    std::max(out.worstAcrossMm, std::abs(printer.realMmY(edges.back() - edges.front()) - 69.6));
            }
        }
    }
    EXPECT_EQ(marks.size(), designMm.size());
    for (std::size_t i = 0; i < std::min(marks.size(), designMm.size()); ++i) {
        const double error = (marks[i] - marks[0]) - (designMm[i] - designMm[0]);
        out.worstMm = std::max(out.worstMm, std::abs(error));
    }
    if (!designMm.empty()) {
        out.spanMm = designMm.back() - designMm.front();
    }
    return out;
}

TEST(TrueScale, ACalibratedPrinterPrintsTheCardToATenthOfAMillimetreOverHalfAMetre)
{
    QSettings().clear();
    ScopedScriptedPrompts prompts;
    TestCardHost host;
    ShrinkingPrinter printer = MakePrinter();

    // 1. The strip, at the printer's own (wrong) scale.
    QString error;
    ASSERT_TRUE(CalibrationFlow::PaintStrip(printer, kPrinter, &error)) << error.toStdString();
    const Measured strip = MeasureStrip(printer);
    EXPECT_NEAR(strip.alongMm, 98.5, 0.05);
    EXPECT_NEAR(strip.acrossMm, 59.52, 0.05);

    // 2. The lengths as read off the strip, to a hundredth of a millimetre.
    prompts->pushDialog([strip](QDialog& d) {
        auto& dialog = static_cast<CalibrationDialog&>(d);
        dialog.alongEdit()->setText(QString::number(strip.alongMm, 'f', 2));
        dialog.acrossEdit()->setText(QString::number(strip.acrossMm, 'f', 2));
        dialog.accept();
        return dialog.result();
    });
    CalibrationFlow(host).EnterLengths(kPrinter);
    EXPECT_TRUE(prompts->messages().isEmpty());
    EXPECT_TRUE(settings::LoadCalibration(kPrinter).calibrated());

    // 3. A card of 12 bars of 50 mm with four notes a bar: four strips on two pages.
    host.song().barLengthMm = 50;
    std::vector<double> design;
    for (int bar = 0; bar < 12; ++bar) {
        for (int x : {0, 17, 53, 85}) {
            host.note(bar * 96 + x, 10);
            design.push_back((bar + x / 96.0) * 50.0);
        }
    }
    const PrintMetrics corrected = CalibratedMetrics(MetricsOfDevice(printer), kPrinter);
    const CardMeasure card = MeasureCard(printer, corrected, host, design);
    EXPECT_GE(card.strips, 4);
    EXPECT_GE(card.pages, 2);
    EXPECT_GE(card.spanMm, 500.0);
    EXPECT_LE(card.worstMm, kToleranceMm);
    EXPECT_LE(card.worstStripMm, kToleranceMm);
    EXPECT_LE(card.worstAcrossMm, kToleranceMm);

    // The same card without the correction is short by one and a half per cent: the measuring
    // above sees it.
    const CardMeasure raw = MeasureCard(printer, MetricsOfDevice(printer), host, design);
    EXPECT_GT(raw.worstMm, 5.0);
    EXPECT_GT(raw.worstAcrossMm, 0.4);
}

TEST(TrueScale, TheStripNeedsItsWholeLengthOnThePage)
{
    ShrinkingPrinter small(140.0, 100.0, 300.0, 300.0, 300, 300);
    QString error;
    EXPECT_FALSE(CalibrationFlow::PaintStrip(small, kPrinter, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("too small")));
    ShrinkingPrinter enough(151.0, 70.0, 300.0, 300.0, 300, 300);
    EXPECT_TRUE(CalibrationFlow::PaintStrip(enough, kPrinter, &error));
}

} // namespace
} // namespace zembra
