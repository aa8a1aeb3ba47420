#include "card/card_job.h"
#include "card_test_host.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "services/paint_device_metrics.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace zembra {
namespace {

// A page of 200 × 150 mm at 12 pixels per millimetre: two strips a page, 3 bars of 50 mm on the
// first strip and 4 on the others.
QImage Page()
{
    QImage page(2400, 1800, QImage::Format_RGB32);
    page.setDotsPerMeterX(12000);
    page.setDotsPerMeterY(12000);
    page.fill(Qt::white);
    return page;
}

struct Painted {
    QImage image;
    CardJob job;
};

void PaintOn(Painted& out, TestCardHost& host, int page, bool countMarks, const QImage* readBack)
{
    ASSERT_TRUE(out.job.Begin(out.image, host.song(), host.startX, LookOfSong(host.song(), host.background(), Qt::red)));
    out.job.setCountMarks(countMarks);
    out.job.setReadBack(readBack);
    QPainter painter(&out.image);
    out.job.PaintPage(painter, page);
}

TEST(CardPainter, ReadsTheMetricsOfAnImage)
{
    const QImage page = Page();
    EXPECT_EQ(MetricsOfDevice(page), (PrintMetrics{2000, 1500, 2400, 1800}));
}

TEST(CardPainter, CountsMarksOnPaperOnlyAndReadsBackWhatItDrew)
{
    TestCardHost host;
    host.note(10, 3);
    host.note(200, 20);
    host.note(500, 31); // bar 5: on the second strip
    Painted paper{Page(), {}};
    PaintOn(paper, host, 1, true, &paper.image);
    EXPECT_EQ(paper.job.marksDrawn(), 3);
    EXPECT_FALSE(paper.job.drawFailed());

    Painted preview{Page(), {}};
    PaintOn(preview, host, 1, false, nullptr);
    EXPECT_EQ(preview.job.marksDrawn(), 0);
    EXPECT_EQ(preview.image, paper.image);

    // Read back from an image the marks never reached: the lines and marks are missing there.
    const QImage elsewhere = Page();
    Painted lost{Page(), {}};
    PaintOn(lost, host, 1, true, &elsewhere);
    EXPECT_TRUE(lost.job.drawFailed());
}

TEST(CardPainter, ArrowAndTitleOnlyAtTheSongsStart)
{
    TestCardHost host;
    host.note(10, 3);
    host.note(900, 3); // 10 bars: strips of 3, 4 and 3 bars
    Painted first{Page(), {}};
    PaintOn(first, host, 1, false, nullptr);
    const QColor arrow(220, 220, 220);
    const int arrowY = 836 - 54 + 18; // 4.5 mm above the bottom edge, half way down the arrow
    // The arrow points at the card's leading end, 20 mm after the leader's start.
    EXPECT_EQ(first.image.pixelColor(240 + 240 + 100, arrowY), arrow);
    EXPECT_NE(first.image.pixelColor(240 + 240 + 100, 836 + arrowY), arrow); // not on the next strip
    // The title in the text colour above the first row line of the first strip only.
    auto redIn = [](const QImage& image, int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            for (int x = 240; x < 1200; ++x) {
                if (image.pixelColor(x, y) == QColor(Qt::red)) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(redIn(first.image, 6, 54));
    EXPECT_FALSE(redIn(first.image, 836 + 6, 836 + 54));
}

TEST(CardPainter, NoAuthorLineForTheNoAuthorTextOfEitherLanguage)
{
    TestCardHost host;
    for (const Language language : {Language::Japanese, Language::English}) {
        host.song().author = std::string(text(str::kNoAuthor, language));
        EXPECT_TRUE(LookOfSong(host.song(), nullptr, Qt::black).author.isEmpty());
    }
    host.song().author = "Someone";
    EXPECT_EQ(LookOfSong(host.song(), nullptr, Qt::black).author, QStringLiteral("Someone"));
}

TEST(CardPainter, TwoRowsPrintEveryStripTwice)
{
    TestCardHost host;
    host.song().printOptions.twoRows = 1;
    host.note(10, 0);
    Painted page{Page(), {}};
    PaintOn(page, host, 1, true, &page.image);
    EXPECT_EQ(page.job.marksDrawn(), 2);
    EXPECT_EQ(page.job.layout().stripsPerPage, 1); // 139.2 mm of 150
    // The cross centre of each copy: 20 mm leader + 5 canvas pixels of 96 in a 600-pixel bar.
    const int x = 240 + 10 * 600 / 96 + 11;
    EXPECT_EQ(page.image.pixelColor(x, 72), QColor(50, 50, 50));
    EXPECT_EQ(page.image.pixelColor(x, 836 + 72), QColor(50, 50, 50));
}

TEST(CardPainter, BlackLinesPaintTheRulingBlack)
{
    TestCardHost host;
    host.note(10, 0);
    Painted grey{Page(), {}};
    PaintOn(grey, host, 1, false, nullptr);
    host.song().printOptions.blackLines = 1;
    Painted black{Page(), {}};
    PaintOn(black, host, 1, false, nullptr);
    const int x = 240 + 300; // half way through the first bar
    const int y = grey.job.geometry().RowY(0, 5); // a row that is not a C row
    EXPECT_EQ(grey.image.pixelColor(x, y), QColor(210, 210, 210));
    EXPECT_EQ(black.image.pixelColor(x, y), QColor(Qt::black));
}

} // namespace
} // namespace zembra
