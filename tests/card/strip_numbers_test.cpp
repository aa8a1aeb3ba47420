// Strip numbers lie where no hole can be, on every strip and every copy, whether the card is
// mirrored and printed in two rows or not: checked on the geometry and in the painted pages.
#include "card/card_job.h"
#include "card/card_painter.h"
#include "card/strip_numbers.h"
#include "model/card_constants.h"
#include "card_test_host.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace zembra {
namespace {

// 200 × 150 mm at 12 pixels per millimetre.
const PrintMetrics kPage{2000, 1500, 2400, 1800};

QImage Page()
{
    QImage page(kPage.horzRes, kPage.vertRes, QImage::Format_RGB32);
    page.setDotsPerMeterX(12000);
    page.setDotsPerMeterY(12000);
    page.fill(Qt::white);
    return page;
}

struct Case {
    const char* name;
    bool mirror;
    bool twoRows;
    int barLengthMm;
    int bars;        // of notes, four a bar, on every row in turn
    int musicBars;   // 0: as the notes make it; else a music length the notes run past
    bool fallback;   // the song's last strip has no room after its last bar
};

const Case kCases[] = {
    {"plain", false, false, 50, 10, 0, false},
    {"mirrored", true, false, 50, 10, 0, false},
    {"two rows", false, true, 50, 6, 0, false},
    {"two rows mirrored", true, true, 50, 6, 0, false},
    {"odd bar length", false, false, 33, 14, 0, false},
    {"odd bar length mirrored in two rows", true, true, 33, 9, 0, false},
    {"fitted to one strip", false, false, 0, 7, 0, false},
    {"fitted to one strip mirrored", true, false, 0, 7, 0, false},
    // Notes past the music's end show in the last strip's tail up to the page's edge.
    {"full last strip with notes after it", false, false, 50, 7, 6, true},
    {"full last strip with notes after it mirrored", true, false, 50, 7, 6, true},
};

void Arrange(TestCardHost& host, const Case& c)
{
    SongState& song = host.song();
    song.barLengthMm = c.barLengthMm;
    song.printOptions.mirrorCard = c.mirror ? 1 : 0;
    song.printOptions.twoRows = c.twoRows ? 1 : 0;
    song.printOptions.stripNumbers = 1;
    song.title = "Strip Song";
    int row = 0;
    for (int bar = 0; bar < c.bars; ++bar) {
        // The last place a note can start in a bar, whose mark reaches furthest past the bar's end.
        for (int x : {0, 30, 60, 88}) {
            host.note(bar * 96 + x, row);
            row = (row + 7) % 33;
        }
    }
    if (c.musicBars > 0) {
        song.musicLength = c.musicBars * 96;
    }
}

struct Box {
    int left, top, right, bottom;
};

bool Overlap(const Box& a, const Box& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(StripNumbers, BoxesLieWhereNoHoleCanBe)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        TestCardHost host;
        Arrange(host, c);
        CardJob job;
        ASSERT_TRUE(job.Begin(kPage, host.song(), 0, LookOfSong(host.song(), nullptr, Qt::red)));
        const CardGeometry& g = job.geometry();
        const StripNumbers numbers(g, job.printList());
        EXPECT_GE(numbers.count(), 1);
        const int markW = g.MmX(card::kMarkSizeMm);
        const int half = g.MmY(card::kHalfMarkMm);
        int number = 0;
        bool fellBack = false;
        for (int page = 1; page <= job.pageCount(); ++page) {
            for (const StripPlan& strip : g.StripsOfPage(page)) {
                EXPECT_EQ(numbers.NumberOf(page, strip), ++number);
                for (int copy = 0; copy < g.copies(); ++copy) {
                    const NumberBox nb = numbers.BoxOf(strip, copy);
                    const Box box{nb.left, nb.top, nb.right, nb.bottom};
                    fellBack = fellBack || !nb.across;
                    ASSERT_FALSE(nb.empty());
                    // On the page, within its own strip.
                    const int y0 = g.StripTop(strip.index, copy);
                    EXPECT_GE(box.left, 0);
                    EXPECT_LE(box.right, kPage.horzRes);
                    EXPECT_GE(box.top, y0);
                    EXPECT_LE(box.bottom, y0 + g.MmY(card::kCardWidthMm));
                    // Clear of every mark the strip draws, as the painter places them: its own
                    // bars' marks whole, the neighbours' as far as the blanking leaves them.
                    const int end = g.StripEnd(strip);
                    const int blank = end + g.TailOf(strip) + g.MmX(card::kBlankGapMm);
                    for (const PrintNote& note : job.printList()) {
                        if (note.isEnd() || !g.MarkOnStrip(note, strip)) {
                            continue;
                        }
                        const int x = g.MarkLeft(note, strip.firstBar, strip.lead);
                        const int y = g.RowY(y0, g.LineIndex(note.rowFromTop));
                        Box mark{x, y - half, x + markW + 1, y + half + 1};
                        const bool own = note.bar >= strip.firstBar && note.bar < strip.firstBar + strip.bars;
                        if (!own) {
                            if (c.mirror) {
                                mark.left = std::max(mark.left, kPage.horzRes - blank + 1);
                            } else {
                                mark.right = std::min(mark.right, blank);
                            }
                            if (mark.right <= mark.left) {
                                continue;
                            }
                        }
                        EXPECT_FALSE(Overlap(box, mark))
                            << "page " << page << " strip " << strip.index << " copy " << copy << " bar " << note.bar;
                    }
                    // And beyond the strip's last bar when it reads across the strip.
                    if (nb.across) {
                        EXPECT_TRUE(c.mirror ? box.right <= kPage.horzRes - end : box.left >= end);
                    }
                }
            }
        }
        EXPECT_EQ(number, numbers.count());
        EXPECT_EQ(fellBack, c.fallback);
    }
}

TEST(StripNumbers, NumberedStripsKeepRoomAfterTheirLastBar)
{
    TestCardHost host;
    EXPECT_EQ(host.song().printOptions.stripNumbers, 0) << "off in a new song";
    host.note(0, 3);
    host.note(23 * 96, 3);
    const CardLayout plain = LayOutCard(host.song(), kPage).layout;
    host.song().printOptions.stripNumbers = 1;
    const CardLayout numbered = LayOutCard(host.song(), kPage).layout;
    // 200 mm holds 4 bars of 50 mm; less the number's room it holds 3.
    EXPECT_EQ(plain.barsPerStrip, 4);
    EXPECT_EQ(numbered.barsPerStrip, 3);
    EXPECT_EQ(numbered.barsFirstStrip, 3);
    EXPECT_EQ(StripNumberReserve(kPage), 22 + 6 + 36);
}

TEST(StripNumbers, CountsTheStripsOfTheOptionsAskedFor)
{
    TestCardHost host;
    host.note(0, 3);
    host.note(23 * 96, 3); // 24 bars of 50 mm: 3 on the first strip, then 4, or 3 with numbers
    const PrintOptions plain = host.song().printOptions;
    PrintOptions numbered = plain;
    numbered.stripNumbers = 1;
    EXPECT_EQ(StripCountWith(host.song(), plain, 50, kPage), 7);
    EXPECT_EQ(StripCountWith(host.song(), numbered, 50, kPage), 8);
    EXPECT_EQ(StripCountWith(host.song(), numbered, 0, kPage), 1);
    EXPECT_EQ(StripCountWith(host.song(), numbered, 100, {}), 1) << "no metrics, no layout";
    EXPECT_EQ(host.song().barLengthMm, 50) << "the song keeps its own";
}

TEST(StripNumbers, TextGivesTheNumberTheCountAndTheTitle)
{
    EXPECT_EQ(StripNumberText(3, 7, "Waltz"), "3 / 7  Waltz");
    EXPECT_EQ(StripNumberText(1, 1, ""), "1 / 1");
}

// The ink of the crosses: the mark pixels.
bool IsMark(QRgb pixel)
{
    return pixel == qRgb(50, 50, 50);
}

TEST(StripNumbers, PaintedNumbersCoverNoMarkAndOnlyTheirBoxes)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        TestCardHost host;
        Arrange(host, c);
        CardJob job;
        const CardLook look = LookOfSong(host.song(), nullptr, Qt::red);
        ASSERT_TRUE(job.Begin(kPage, host.song(), 0, look));
        const CardGeometry& g = job.geometry();
        const StripNumbers numbers(g, job.printList());
        for (int page = 1; page <= job.pageCount(); ++page) {
            // The same card with and without its numbers.
            QImage bare = Page();
            QImage numbered = Page();
            {
                CardPainter painter(host.song(), g, job.printList(), look);
                QPainter on(&bare);
                painter.PaintPage(on, page, false);
            }
            {
                QPainter on(&numbered);
                job.PaintPage(on, page);
            }
            std::vector<Box> boxes;
            for (const StripPlan& strip : g.StripsOfPage(page)) {
                for (int copy = 0; copy < g.copies(); ++copy) {
                    const NumberBox nb = numbers.BoxOf(strip, copy);
                    boxes.push_back({nb.left, nb.top, nb.right, nb.bottom});
                }
            }
            for (const Box& box : boxes) {
                int marks = 0;
                int inked = 0;
                for (int y = box.top; y < box.bottom; ++y) {
                    for (int x = box.left; x < box.right; ++x) {
                        marks += IsMark(bare.pixel(x, y)) ? 1 : 0;
                        inked += bare.pixel(x, y) != numbered.pixel(x, y) ? 1 : 0;
                    }
                }
                EXPECT_EQ(marks, 0) << "page " << page << " box at " << box.left << "," << box.top;
                EXPECT_GT(inked, 20) << "page " << page << " box at " << box.left << "," << box.top
                                     << ": the number is drawn";
            }
            // Nothing outside the boxes changes.
            int outside = 0;
            for (int y = 0; y < bare.height(); ++y) {
                for (int x = 0; x < bare.width(); ++x) {
                    if (bare.pixel(x, y) == numbered.pixel(x, y)) {
                        continue;
                    }
                    const bool inBox = std::any_of(boxes.begin(), boxes.end(), [x, y](const Box& b) {
                        return x >= b.left && x < b.right && y >= b.top && y < b.bottom;
                    });
                    outside += inBox ? 0 : 1;
                }
            }
            EXPECT_EQ(outside, 0) << "page " << page;
        }
    }
}

} // namespace
} // namespace zembra
