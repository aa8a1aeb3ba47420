// The card as a PDF, measured after pdftoppm has rasterised it: true scale, page split, fonts.
#include "card/card_print_flow.h"
#include "card_test_host.h"
#include "pdf_raster.h"
#include "text/strings.h"
#include "services/paint_device_metrics.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <deque>

namespace zembra {
namespace {

constexpr int kDpi = 600;
constexpr double kPxPerMm = kDpi / 25.4;
constexpr double kTolerance = 0.1;
constexpr double kCardMm = 69.6;
constexpr double kLeaderMm = 20.0;

// The printable area the PDF export uses, read from a printer set up the same way.
QRectF PrintableMm()
{
    QPrinter printer(QPrinter::HighResolution);
    ApplyApplicationPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    return printer.pageLayout().paintRect(QPageLayout::Millimeter);
}

struct Blob {
    double x = 0; // centre, mm from the printable area's top left
    double y = 0;
    double width = 0;
    double height = 0;
};

// Connected runs of dark pixels (the crosses of the holes), by their centres.
std::vector<Blob> DarkBlobs(const QImage& page, const QRectF& printable)
{
    const int w = page.width();
    const int h = page.height();
    std::vector<std::uint8_t> dark(static_cast<std::size_t>(w) * h, 0);
    for (int y = 0; y < h; ++y) {
        const uchar* line = page.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            dark[static_cast<std::size_t>(y) * w + x] = line[x] < 110 ? 1 : 0;
        }
    }
    std::vector<Blob> blobs;
    std::vector<int> stack;
    for (int start = 0; start < w * h; ++start) {
        if (!dark[static_cast<std::size_t>(start)]) {
            continue;
        }
        double sx = 0, sy = 0;
        long n = 0;
        int minX = w, maxX = 0, minY = h, maxY = 0;
        dark[static_cast<std::size_t>(start)] = 0;
        stack.assign(1, start);
        while (!stack.empty()) {
            const int at = stack.back();
            stack.pop_back();
            const int px = at % w, py = at / w;
            sx += px;
            sy += py;
            ++n;
            minX = std::min(minX, px);
            maxX = std::max(maxX, px);
            minY = std::min(minY, py);
            maxY = std::max(maxY, py);
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int qx = px + dx, qy = py + dy;
                    if (qx >= 0 && qy >= 0 && qx < w && qy < h && dark[static_cast<std::size_t>(qy) * w + qx]) {
                        dark[static_cast<std::size_t>(qy) * w + qx] = 0;
                        stack.push_back(qy * w + qx);
                    }
                }
            }
        }
        blobs.push_back({(sx / n + 0.5) / kPxPerMm - printable.left(), (sy / n + 0.5) / kPxPerMm - printable.top(),
                         (maxX - minX + 1) / kPxPerMm, (maxY - minY + 1) / kPxPerMm});
    }
    return blobs;
}

// Centres of grey runs at least `minWidth` pixels wide along one row, in mm from the printable left.
std::vector<double> GreyRunsAcross(const QImage& page, int y, double left, int minWidth)
{
    std::vector<double> runs;
    int start = -1;
    const uchar* line = page.constScanLine(y);
    for (int x = 0; x <= page.width(); ++x) {
        const bool grey = x < page.width() && IsLineGrey(line[x]);
        if (grey && start < 0) {
            start = x;
        } else if (!grey && start >= 0) {
            if (x - start >= minWidth) {
                runs.push_back(((start + x) / 2.0) / kPxPerMm - left);
            }
            start = -1;
        }
    }
    return runs;
}

// The picture band is a dark blue: darker than half way to white.
bool IsPicture(const QImage& page, int x, int y)
{
    return page.constScanLine(y)[x] < 142;
}

struct Variant {
    const char* name;
    bool mirror;
    bool swap;
    bool twoRows;
};

class CardPdf : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_host.song().barLengthMm = 50;
    }

    QString Write(TestCardHost& host)
    {
        CardPrintFlow flow(host);
        flow.setTextColour(QColor(236, 236, 236)); // lighter than any line: never taken for one
        const QString path = m_dir.filePath(QStringLiteral("card.pdf"));
        QString error;
        EXPECT_TRUE(flow.WritePdf(path, &error)) << error.toStdString();
        return path;
    }

    std::vector<QImage> Pages(const QString& pdf)
    {
        QTemporaryDir pages(m_dir.filePath(QStringLiteral("pagesXXXXXX")));
        return RasterisePdf(pdf, kDpi, pages.path());
    }

    QTemporaryDir m_dir;
    TestCardHost m_host;
};

// Notes kept clear of bar lines (at least 8 canvas pixels, 4 mm, into a bar) so that no cross
// reaches into a strip's end.
const std::pair<int, int> kNotes[] = {
    {8, 0},    {40, 32},  {88, 16}, {104, 5},  {150, 31}, {200, 2},  {250, 27}, {300, 12},
    {330, 20}, {400, 9},  {420, 1}, {500, 30}, {520, 7},  {600, 22}, {650, 14}, {700, 3},
    {760, 25}, {800, 10}, {860, 0}, {900, 32}, {940, 18},
};

TEST_F(CardPdf, HolesStripsAndBarsAreTrueToScale)
{
    const Variant variants[] = {
        {"plain", false, false, false},
        {"mirror", true, false, false},
        {"swap", false, true, false},
        {"mirror and swap", true, true, false},
        {"two rows", false, false, true},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        TestCardHost host;
        SongState& song = host.song();
        song.barLengthMm = 50;
        song.printOptions.mirrorCard = v.mirror;
        song.printOptions.swapHighLow = v.swap;
        song.printOptions.twoRows = v.twoRows;
        for (const auto& [x, row] : kNotes) {
            host.note(x, row);
        }
        const QString pdf = Write(host);
        if (qEnvironmentVariableIsSet("ZEMBRA_KEEP_CARD")) {
            QFile::copy(pdf, qEnvironmentVariable("ZEMBRA_KEEP_CARD") + QLatin1String(v.name) + QStringLiteral(".pdf"));
        }
        const std::vector<QImage> pages = Pages(pdf);
        ASSERT_FALSE(pages.empty());
        const QRectF printable = PrintableMm();
        const double width = printable.width();
        const int copies = v.twoRows ? 2 : 1;
        const int stripsPerPage = std::max(1, static_cast<int>(printable.height() / (copies * kCardMm)));
        const int firstStripBars = static_cast<int>((width - kLeaderMm) / 50.0);
        const int stripBars = static_cast<int>(width / 50.0);
        const int ppb = song.barWidth();

        // Strip edges and bar lines of the first strip, from the pixels.
        const QImage& first = pages[0];
        const double barMid = v.mirror ? width - kLeaderMm - 25.0 : kLeaderMm + 25.0;
        const int column = static_cast<int>((printable.left() + barMid + 0.45) * kPxPerMm);
        std::vector<double> down = GreyRunsDown(first, column, printable.top(), kPxPerMm);
        // The first strip's lines only.
        std::erase_if(down, [](double y) { return y > kCardMm + 1.0; });
        ASSERT_GE(down.size(), 2u);
        EXPECT_NEAR(down.front(), 0.0, kTolerance);
        const double bottomEdge = down.back();
        EXPECT_NEAR(bottomEdge - down.front(), kCardMm, kTolerance);
        const int row = static_cast<int>((printable.top() + 6.0 + 10.5 * 1.8) * kPxPerMm);
        const std::vector<double> across = GreyRunsAcross(first, row, printable.left(), 4);
        ASSERT_GE(across.size(), static_cast<std::size_t>(firstStripBars + 1));
        for (std::size_t i = 1; i < across.size(); ++i) {
            EXPECT_NEAR(across[i] - across[i - 1], 50.0, kTolerance) << i;
        }
        EXPECT_NEAR(v.mirror ? width - across.back() : across.front(), kLeaderMm, kTolerance);

        // Every hole where the rules put it, and nothing else dark on the pages.
        std::vector<std::vector<Blob>> blobs;
        std::size_t found = 0;
        for (const QImage& page : pages) {
            blobs.push_back(DarkBlobs(page, printable));
            found += blobs.back().size();
        }
        EXPECT_EQ(found, std::size(kNotes) * copies);
        for (const auto& [x, rowFromTop] : kNotes) {
            const int bar = x / ppb;
            const int strip = bar < firstStripBars ? 0 : 1 + (bar - firstStripBars) / stripBars;
            const int firstBar = strip == 0 ? 0 : firstStripBars + (strip - 1) * stripBars;
            const double lead = strip == 0 ? kLeaderMm : 0.0;
            const double along = lead + (bar - firstBar) * 50.0 + (x - bar * ppb) * 50.0 / ppb + 0.9;
            const double expectX = v.mirror ? width - along : along;
            const int line = v.mirror == v.swap ? rowFromTop : 32 - rowFromTop;
            const int page = strip / stripsPerPage;
            ASSERT_LT(static_cast<std::size_t>(page), blobs.size());
            for (int c = 0; c < copies; ++c) {
                const double expectY = (strip % stripsPerPage) * copies * kCardMm + c * kCardMm + 6.0 + line * 1.8;
                double best = 1e9;
                for (const Blob& b : blobs[static_cast<std::size_t>(page)]) {
                    best = std::min(best, std::hypot(b.x - expectX, b.y - expectY));
                }
                EXPECT_LT(best, kTolerance) << "note at " << x << " row " << rowFromTop << " copy " << c;
            }
        }
    }
}

TEST_F(CardPdf, PagesSplitAndTheLastStripIsBlankedOneBarAfterItsEnd)
{
    SongState& song = m_host.song();
    song.printOptions.ruledLines = 0; // no row line over the picture's edges
    // A solid picture fills every strip's band, so the blanking shows as where it stops.
    m_host.image = QImage(40, 40, QImage::Format_RGB32);
    m_host.image.fill(QColor(0, 0, 255));
    const QRectF printable = PrintableMm();
    const int firstStripBars = static_cast<int>((printable.width() - kLeaderMm) / 50.0);
    const int stripBars = static_cast<int>(printable.width() / 50.0);
    const int stripsPerPage = static_cast<int>(printable.height() / kCardMm);
    // Music that ends one bar into the fourth strip.
    const int bars = firstStripBars + 2 * stripBars + 1;
    m_host.note((bars - 1) * song.barWidth() + 10, 5);
    const std::vector<QImage> pages = Pages(Write(m_host));
    const int strips = 4;
    ASSERT_EQ(static_cast<int>(pages.size()), (strips + stripsPerPage - 1) / stripsPerPage);

    // Where the blue band ends along the middle of a strip, in mm from the printable left.
    auto blueEnd = [&](const QImage& page, int stripOnPage) {
        const int y = static_cast<int>((printable.top() + stripOnPage * kCardMm + 6.0 + 10.5 * 1.8) * kPxPerMm);
        int last = -1;
        for (int x = 0; x < page.width(); ++x) {
            if (IsPicture(page, x, y)) {
                last = x;
            }
        }
        return (last + 1) / kPxPerMm - printable.left();
    };
    // A full strip is blanked 1 mm after its end, or runs off the printable area.
    EXPECT_NEAR(blueEnd(pages[0], 0), std::min(printable.width(), kLeaderMm + firstStripBars * 50.0 + 1.0), kTolerance);
    const int lastPage = (strips - 1) / stripsPerPage;
    const int lastOnPage = (strips - 1) % stripsPerPage;
    // The last strip holds one bar and keeps one more bar (and the 1 mm) before the blanking.
    EXPECT_NEAR(blueEnd(pages[static_cast<std::size_t>(lastPage)], lastOnPage), 50.0 + 50.0 + 1.0, kTolerance);
    // Below the last strip nothing is drawn.
    if (lastOnPage + 1 < stripsPerPage) {
        EXPECT_LT(blueEnd(pages[static_cast<std::size_t>(lastPage)], lastOnPage + 1), 0.0);
    }
    // The band lies between the first and the last row line.
    const int x = static_cast<int>((printable.left() + kLeaderMm + 30.0) * kPxPerMm);
    int top = -1, bottom = -1;
    const int firstStripEnd = static_cast<int>((printable.top() + kCardMm) * kPxPerMm);
    for (int y = 0; y < firstStripEnd; ++y) {
        if (IsPicture(pages[0], x, y)) {
            bottom = y;
            top = top < 0 ? y : top;
        }
    }
    EXPECT_NEAR(top / kPxPerMm - printable.top(), 6.0, kTolerance);
    EXPECT_NEAR((bottom + 1) / kPxPerMm - printable.top(), 6.0 + 57.6, kTolerance);
}

TEST_F(CardPdf, JapaneseTitleIsEmbedded)
{
    setLanguage(Language::Japanese);
    m_host.song().title = "私の作品";
    m_host.note(30, 4);
    const QString pdf = Write(m_host);
    setLanguage(Language::English);
    const QString fonts = RunTool(QStringLiteral("pdffonts"), {pdf});
    ASSERT_FALSE(fonts.isEmpty());
    bool cjkEmbedded = false;
    for (const QString& line : fonts.split(QLatin1Char('\n'))) {
        if (line.contains(QStringLiteral("CJK")) && line.contains(QStringLiteral(" yes "))) {
            cjkEmbedded = true;
        }
    }
    EXPECT_TRUE(cjkEmbedded) << fonts.toStdString();
    const QString words = RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(words.contains(QStringLiteral("私の作品"))) << words.toStdString();
    // pdftotext may give a radical's code point for 用, so only the start of the label is compared.
    EXPECT_TRUE(words.contains(QStringLiteral("【33ノート"))) << words.toStdString();
}

TEST_F(CardPdf, ABarWiderThanThePageWritesNoFile)
{
    m_host.song().barLengthMm = 400;
    m_host.note(30, 4);
    CardPrintFlow flow(m_host);
    const QString path = m_dir.filePath(QStringLiteral("wide.pdf"));
    QString error;
    EXPECT_FALSE(flow.WritePdf(path, &error));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(error.contains(QStringLiteral("400 mm"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("printable width of 2"))) << error.toStdString();
}

} // namespace
} // namespace zembra
