// Holes at the ends of the strips, read back from the cutter files by programs that are not ours
// (Python's XML parser for SVG, ezdxf for DXF): every hole is cut on the strip the printed card
// shows it on, inside that strip's outline with at least half a hole of card around it, and no
// cut is made twice.
#include "card/cutter_file.h"
#include "card_test_host.h"
#include "cut_readback.h"
#include "printed_marks.h"
#include "model/card_constants.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace zembra {
namespace {

constexpr double kTolerance = 0.05; // the marks' centres are found to a few hundredths of a mm

// A page whose printable area is 100 x 140 mm: two strips a page, one with two rows.
QPageLayout SmallPage()
{
    return QPageLayout(QPageSize(QSizeF(110, 150), QPageSize::Millimeter), QPageLayout::Portrait,
                       QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
}

struct Tune {
    const char* name;
    int beatsPerBar;
    int barLengthMm;
    int bars;
    std::vector<int> stripStarts; // the first bar of every strip after the first
    bool mirror;
    bool swap;
    bool twoRows;
    // Whether every mark is printed whole: where the bars fill the printable width to the edge,
    // a mark that reaches past the strip's last bar line is cut off by the edge of the paper's
    // printable area, while its hole is cut whole, the strip's outline reaching into the margin.
    bool marksWhole;
};

// 3/4 in bars of 30 mm: strips of 2 bars after the leader, then 3. 4/4 in bars of 24 mm: 3, then
// 4; in bars of 25 mm the 4 fill the 100 mm.
const Tune kTunes[] = {
    {"3/4", 3, 30, 9, {2, 5, 8}, false, false, false, true},
    {"3/4 mirrored", 3, 30, 9, {2, 5, 8}, true, false, false, true},
    {"4/4", 4, 24, 11, {3, 7}, false, false, false, true},
    {"4/4 in two rows, inside out", 4, 24, 11, {3, 7}, false, true, true, true},
    {"4/4 filling the printable width", 4, 25, 11, {3, 7}, false, false, false, false},
};

// Around every strip's start: the last canvas pixel before it (a mark that reaches past the end of
// the strip before), four pixels before it, the downbeat and the pixel after; the song's first
// moment and its last pixel; and two notes at one place. Rows lie apart so that no marks touch.
void Arrange(TestCardHost& host, const Tune& tune)
{
    SongState& song = host.song();
    song.beatsPerBar = tune.beatsPerBar;
    song.barLengthMm = tune.barLengthMm;
    song.printOptions.mirrorCard = tune.mirror;
    song.printOptions.swapHighLow = tune.swap;
    song.printOptions.twoRows = tune.twoRows;
    song.title = "Strip ends";
    const int ppb = song.barWidth();
    int shift = 0;
    for (const int bar : tune.stripStarts) {
        const int x = bar * ppb;
        host.note(x - 1, 3 + shift);
        host.note(x - 4, 9 + shift);
        host.note(x, 15 + shift);
        host.note(x + 1, 21 + shift);
        ++shift;
    }
    host.note(0, 0);
    host.note(tune.bars * ppb - 1, 30);
    host.note(ppb + ppb / 2, 27);
    host.note(ppb + ppb / 2, 27);
}

CutterOptions OptionsFor(const SongState& song, CutterFormat format, CutterLayout layout)
{
    CutterOptions options = CutterOptionsOfSong(song, 0);
    options.format = format;
    options.layout = layout;
    options.page = SmallPage();
    options.dotsPerInch = 1200;
    return options;
}

class CutterStripEnds : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_FALSE(PythonWithEzdxf().isEmpty()) << "ezdxf is needed (python3-ezdxf)";
    }

    // The file written in `format` and read back; `heightMm` turns DXF's y.
    CutLayer WriteAndRead(const SongState& song, const CutterOptions& options)
    {
        const QString path = m_dir.filePath(QStringLiteral("card.") + CutterSuffix(options.format));
        QString error;
        EXPECT_TRUE(WriteCutterFile(song, options, path, &error)) << error.toStdString();
        CutterDrawing drawing;
        EXPECT_TRUE(DrawCutterCard(song, options, &drawing, &error));
        const CutLayer cut =
            options.format == CutterFormat::Svg ? ReadSvgCuts(path) : ReadDxfCuts(path, drawing.heightMm);
        EXPECT_TRUE(cut.read);
        EXPECT_TRUE(cut.others.isEmpty()) << cut.others.join(QLatin1Char(' ')).toStdString();
        return cut;
    }

    QTemporaryDir m_dir;
};

// Every hole lies inside the cut outlines with at least half a hole of card to the nearest cut.
void ExpectCardAroundEveryHole(const CutLayer& cut, double holeMm)
{
    EXPECT_FALSE(cut.circles.empty());
    for (const CutCircle& hole : cut.circles) {
        EXPECT_NEAR(hole.r, holeMm / 2, 1e-6);
        EXPECT_TRUE(InsideCuts(cut, hole.x, hole.y)) << "hole at " << hole.x << ", " << hole.y;
        EXPECT_GE(CardAround(cut, hole), holeMm / 2 - 0.01) << "hole at " << hole.x << ", " << hole.y;
    }
}

TEST_F(CutterStripEnds, EveryHoleIsCutOnTheStripThePrintedCardShowsItOnWithCardAroundIt)
{
    for (const Tune& tune : kTunes) {
        SCOPED_TRACE(tune.name);
        TestCardHost host;
        Arrange(host, tune);
        const SongState& song = host.song();
        const CutterOptions svg = OptionsFor(song, CutterFormat::Svg, CutterLayout::Pages);
        ASSERT_DOUBLE_EQ(svg.holeMm, 1.7);
        const std::vector<MarkPoint> marks = PrintedMarks(song, SheetOfOptions(svg));
        // Every note has its mark, the two at one place one between them.
        const int copies = tune.twoRows ? 2 : 1;
        const std::size_t places = static_cast<std::size_t>(copies) * (4 * tune.stripStarts.size() + 3);
        if (tune.marksWhole) {
            ASSERT_EQ(marks.size(), places);
        }
        for (const CutterFormat format : {CutterFormat::Svg, CutterFormat::Dxf}) {
            SCOPED_TRACE(format == CutterFormat::Svg ? "svg" : "dxf");
            const CutLayer cut = WriteAndRead(song, OptionsFor(song, format, CutterLayout::Pages));
            // Where the printed card shows a mark, one hole is cut, and nowhere else.
            EXPECT_EQ(cut.circles.size(), places);
            for (const MarkPoint& mark : marks) {
                const auto at = std::count_if(cut.circles.begin(), cut.circles.end(), [&](const CutCircle& h) {
                    return std::abs(h.x - mark.x) <= kTolerance && std::abs(h.y - mark.y) <= kTolerance;
                });
                EXPECT_EQ(at, 1) << "mark at " << mark.x << ", " << mark.y;
            }
            ExpectCardAroundEveryHole(cut, svg.holeMm);
            EXPECT_TRUE(CutsMadeTwice(cut).empty());
            // The strips cut apart, one piece each.
            ExpectCardAroundEveryHole(WriteAndRead(song, OptionsFor(song, format, CutterLayout::Strips)), svg.holeMm);
        }
    }
}

TEST_F(CutterStripEnds, EachCutIsMadeOnce)
{
    struct Case {
        const char* what;
        double kerf;
        CutterLayout layout;
    };
    const Case cases[] = {
        {"pages", 0, CutterLayout::Pages},
        {"pages with a kerf", 0.2, CutterLayout::Pages},
        {"strips with a kerf", 0.2, CutterLayout::Strips},
    };
    const Tune& tune = kTunes[3]; // two rows: each strip twice, one copy on the other
    TestCardHost host;
    Arrange(host, tune);
    for (const Case& c : cases) {
        for (const CutterFormat format : {CutterFormat::Svg, CutterFormat::Dxf}) {
            SCOPED_TRACE(std::string(c.what) + (format == CutterFormat::Svg ? " svg" : " dxf"));
            CutterOptions options = OptionsFor(host.song(), format, c.layout);
            options.kerfMm = c.kerf;
            const CutLayer cut = WriteAndRead(host.song(), options);
            for (const std::string& twice : CutsMadeTwice(cut)) {
                ADD_FAILURE() << "cut twice: " << twice;
            }
            // Apart, every strip is cut round; the two copies of a strip on a page share the cut
            // between them: three cuts along it (that one on the line between them, the kerf's
            // half beyond each end) and two across both.
            CutterDrawing drawing;
            ASSERT_TRUE(DrawCutterCard(host.song(), options, &drawing, nullptr));
            double expected = 0;
            for (std::size_t i = 0; i < drawing.outlines.size(); ++i) {
                const CutterRect& r = drawing.outlines[i];
                if (c.layout == CutterLayout::Strips) {
                    expected += 2 * (r.width() + r.height());
                } else if (i % 2 == 0) {
                    expected += 3 * r.width() + 2 * (2 * card::kCardWidthMm + c.kerf);
                }
            }
            EXPECT_NEAR(CutLength(cut), expected, 0.05);
        }
    }
}

} // namespace
} // namespace zembra
