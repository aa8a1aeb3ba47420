// The marks that put a long card together, measured from what zembra writes by programs that are
// not ours: pdftoppm rasterises the card at 600 dpi, Python's XML parser reads the SVG. A bar's
// number stands just after the bar line it names; the cutter engraves it there too.
#include "../card/pdf_raster.h"
#include "card/cut_plan.h"
#include "box_card_holes.h"
#include "cli_process.h"
#include "model/music_box.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace zembra {
namespace {

constexpr int kDpi = 600;
constexpr double kPxPerMm = kDpi / 25.4;
// The number's box starts 0.5 mm after the bar line; its ink may start up to a font's side
// bearing later: 0.5 mm either way.
constexpr double kNumberGapMm = 0.5;
constexpr double kToleranceMm = 0.5;
// Ink this far apart belongs to two numbers.
constexpr double kNumberSplitMm = 1.5;

struct Run {
    int from = 0;
    int to = 0; // exclusive
};

// Runs of true values, joined across gaps shorter than `join`.
std::vector<Run> RunsOf(const std::vector<bool>& on, int join)
{
    std::vector<Run> runs;
    for (int i = 0; i < static_cast<int>(on.size()); ++i) {
        if (!on[static_cast<std::size_t>(i)]) {
            continue;
        }
        if (!runs.empty() && i - runs.back().to < join) {
            runs.back().to = i + 1;
        } else {
            runs.push_back({i, i + 1});
        }
    }
    return runs;
}

// The bar lines of the strip whose bar numbers' ink starts at `bandTop`: columns of line grey
// over nearly the whole height of the rows above (a mark covers a line for a row or two; the
// row names' letters, one a row, leave gaps), a line's width wide.
std::vector<double> BarLinesAbove(const QImage& page, int bandTop)
{
    // The numbers' ink starts about 2.5 mm below the last row line; the rows span 57.6 mm.
    const int bottom = bandTop - static_cast<int>(std::lround(3.5 * kPxPerMm));
    const int top = bandTop - static_cast<int>(std::lround((2.5 + 57.6 - 1.0) * kPxPerMm));
    std::vector<bool> line(static_cast<std::size_t>(page.width()), false);
    if (top < 0) {
        return {};
    }
    for (int x = 0; x < page.width(); ++x) {
        int grey = 0;
        for (int y = top; y < bottom; ++y) {
            grey += IsLineGrey(page.constScanLine(y)[x]) ? 1 : 0;
        }
        line[static_cast<std::size_t>(x)] = grey >= (bottom - top) * 9 / 10;
    }
    std::vector<double> lines;
    for (const Run& r : RunsOf(line, 1)) {
        if (r.to - r.from >= 4 && r.to - r.from <= 14) {
            lines.push_back((r.from + r.to) / 2.0 / kPxPerMm);
        }
    }
    return lines;
}

// Columns and rows where two renderings of a page differ.
bool Differs(const QImage& a, const QImage& b, int x, int y)
{
    return std::abs(int(a.constScanLine(y)[x]) - int(b.constScanLine(y)[x])) > 60;
}

struct StripMeasure {
    std::vector<double> barLines;    // mm from the page's left
    std::vector<Run> numbers;        // the numbers' ink, in pixels along the band
};

// The strips of a page, found where the numbers of every bar (`everyBar`) differ from the plain
// page; in each, the bar lines and the ink that `numbered` adds to the plain page.
std::vector<StripMeasure> MeasurePage(const QImage& plain, const QImage& everyBar, const QImage& numbered)
{
    std::vector<bool> rows(static_cast<std::size_t>(plain.height()), false);
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width() && !rows[static_cast<std::size_t>(y)]; ++x) {
            rows[static_cast<std::size_t>(y)] = Differs(everyBar, plain, x, y);
        }
    }
    std::vector<StripMeasure> strips;
    for (const Run& band : RunsOf(rows, static_cast<int>(2 * kPxPerMm))) {
        std::vector<bool> columns(static_cast<std::size_t>(plain.width()), false);
        for (int y = band.from; y < band.to; ++y) {
            for (int x = 0; x < plain.width(); ++x) {
                if (Differs(numbered, plain, x, y)) {
                    columns[static_cast<std::size_t>(x)] = true;
                }
            }
        }
        StripMeasure m;
        m.numbers = RunsOf(columns, static_cast<int>(kNumberSplitMm * kPxPerMm));
        m.barLines = BarLinesAbove(plain, band.from);
        strips.push_back(m);
    }
    return strips;
}

class CliAssembly : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString Run(const QString& name, const QStringList& more)
    {
        const QString out = m_dir.filePath(name);
        const QStringList arguments = QStringList{QStringLiteral("card"), Fixture("box-card.mid"), QStringLiteral("-o"),
                                                  out, QStringLiteral("--bar-mm"), QStringLiteral("60")} +
            more;
        const CliResult result = RunZembra(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return out;
    }

    std::vector<QImage> Pages(const QString& pdf, const QString& folder)
    {
        EXPECT_TRUE(QDir(m_dir.path()).mkpath(folder));
        return RasterisePdf(pdf, kDpi, m_dir.filePath(folder));
    }

    QTemporaryDir m_dir;
};

TEST_F(CliAssembly, BarNumbersSitJustAfterTheBarsTheyName)
{
    for (const bool mirror : {false, true}) {
        const QStringList side = mirror ? QStringList{QStringLiteral("--mirror")} : QStringList{};
        const QString tag = mirror ? QStringLiteral("m") : QString();
        const auto numbered = [&](const char* every) {
            return Pages(Run(QStringLiteral("n%1%2.pdf").arg(QLatin1String(every), tag),
                             side + QStringList{QStringLiteral("--bar-numbers"), QLatin1String(every)}),
                         QStringLiteral("n%1%2").arg(QLatin1String(every), tag));
        };
        const std::vector<QImage> plain = Pages(Run(QStringLiteral("plain%1.pdf").arg(tag), side), QStringLiteral("p") + tag);
        const std::vector<QImage> everyBar = numbered("1");
        ASSERT_FALSE(plain.empty());
        ASSERT_EQ(plain.size(), everyBar.size());
        for (const int every : {1, 4}) {
            if (mirror && every == 4) {
                continue; // one mirrored case is enough: the side is the same for every choice
            }
            SCOPED_TRACE(testing::Message() << "every " << every << (mirror ? " mirrored" : ""));
            const std::vector<QImage> shown = every == 1 ? everyBar : numbered("4");
            ASSERT_EQ(plain.size(), shown.size());
            int strip = 0;
            int barsBefore = 0;
            for (std::size_t p = 0; p < plain.size(); ++p) {
                for (const StripMeasure& m : MeasurePage(plain[p], everyBar[p], shown[p])) {
                    SCOPED_TRACE(testing::Message() << "strip " << strip + 1);
                    ASSERT_GE(m.barLines.size(), 2u);
                    const int bars = static_cast<int>(m.barLines.size()) - 1;
                    for (const zembra::Run& ink : m.numbers) {
                        // The number's near edge, in reading direction, from the nearest bar line.
                        const double left = ink.from / kPxPerMm;
                        const double right = ink.to / kPxPerMm;
                        double best = 1e9;
                        for (const double line : m.barLines) {
                            const double gap = mirror ? line - right : left - line;
                            best = std::abs(gap - kNumberGapMm) < std::abs(best - kNumberGapMm) ? gap : best;
                        }
                        EXPECT_NEAR(best, kNumberGapMm, kToleranceMm) << "ink at " << left << " to " << right << " mm";
                    }
                    // Every shown bar has its number, but that the feed arrow (and the author
                    // line) keep the first strip's first bars.
                    int expected = 0;
                    for (int b = barsBefore; b < barsBefore + bars; ++b) {
                        expected += b % every == 0 ? 1 : 0;
                    }
                    if (strip == 0) {
                        EXPECT_LE(static_cast<int>(m.numbers.size()), expected);
                        EXPECT_GE(static_cast<int>(m.numbers.size()), expected - 2);
                    } else {
                        EXPECT_EQ(static_cast<int>(m.numbers.size()), expected);
                    }
                    barsBefore += bars;
                    ++strip;
                }
            }
            EXPECT_EQ(strip, 3) << "the fixture's card runs over three strips";
            EXPECT_EQ(barsBefore, 12);
        }
    }
}

TEST_F(CliAssembly, TheCutterEngravesTheBarNumbersAtTheirBars)
{
    const QString svg = m_dir.filePath(QStringLiteral("card.svg"));
    const CliResult result =
        RunZembra({QStringLiteral("svg"), Fixture("box-card.mid"), QStringLiteral("-o"), svg, QStringLiteral("--bar-mm"),
                   QStringLiteral("60"), QStringLiteral("--bar-numbers"), QStringLiteral("1"), QStringLiteral("--titles")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QString json = RunTool(QStringLiteral("python3"), {QStringLiteral(ZEMBRA_CLI_TESTS "/svg_engrave.py"), svg});
    const QJsonObject engrave = QJsonDocument::fromJson(json.toUtf8()).object();
    ASSERT_FALSE(engrave.isEmpty());
    // The bar lines: vertical engraved lines.
    std::vector<QPointF> lines; // x, and the line's lower end
    for (const QJsonValue& v : engrave[QStringLiteral("lines")].toArray()) {
        const QJsonArray l = v.toArray();
        if (std::abs(l[0].toDouble() - l[2].toDouble()) < 1e-6 && std::abs(l[1].toDouble() - l[3].toDouble()) > 10) {
            lines.emplace_back(l[0].toDouble(), std::max(l[1].toDouble(), l[3].toDouble()));
        }
    }
    int numbers = 0;
    int titles = 0;
    for (const QJsonValue& v : engrave[QStringLiteral("texts")].toArray()) {
        const QJsonObject t = v.toObject();
        const QString text = t[QStringLiteral("text")].toString();
        if (text.contains(QStringLiteral("note movement"))) {
            ++titles;
        }
        bool isNumber = false;
        text.toInt(&isNumber);
        if (!isNumber) {
            continue;
        }
        ++numbers;
        const double x = t[QStringLiteral("x")].toDouble();
        const double y = t[QStringLiteral("y")].toDouble();
        // Below the bar line's lower end (the last row) and within the strip's bottom margin.
        double best = 1e9;
        for (const QPointF& line : lines) {
            if (y > line.y() && y - line.y() < 6.0) {
                best = std::min(best, std::abs(x - line.x() - kNumberGapMm));
            }
        }
        EXPECT_LT(best, 0.05) << text.toStdString() << " at " << x << ", " << y;
    }
    EXPECT_GT(numbers, 5);
    EXPECT_GE(titles, 2) << "the title starts every strip";
}

TEST_F(CliAssembly, InfoCountsTheStripsOfTheCard)
{
    const auto strips = [](const QStringList& more) {
        const CliResult r = RunZembra(QStringList{QStringLiteral("info"), Fixture("box-card.mid"), QStringLiteral("--json"),
                                                  QStringLiteral("--bar-mm"), QStringLiteral("60")} +
                                      more);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out.toUtf8()).object()[QStringLiteral("strips")].toInt();
    };
    const int plain = strips({});
    EXPECT_GE(plain, 3);
    // Numbered strips keep room after their last bar, so they never hold more.
    EXPECT_GE(strips({QStringLiteral("--strip-numbers")}), plain);
}

// The fewest blanks: every cut on a 0.1 mm grid tried, the shortest chain of allowed cuts from the
// card's start to its end.
int FewestBlanks(const std::vector<double>& holes, double length, const CutRules& rules)
{
    constexpr double kGrid = 0.1;
    const int steps = static_cast<int>(std::ceil(length / kGrid));
    const int reach = static_cast<int>(std::floor(rules.longestStripMm / kGrid + 1e-9));
    const int back = static_cast<int>(std::lround(rules.overlapMm / kGrid));
    constexpr int kNone = std::numeric_limits<int>::max();
    std::vector<int> best(static_cast<std::size_t>(steps) + 1, kNone);
    best[0] = 0;
    int fewest = kNone;
    for (int i = 0; i < steps; ++i) {
        if (best[static_cast<std::size_t>(i)] == kNone) {
            continue;
        }
        const int start = i == 0 ? 0 : i - back;
        if ((start + reach) * kGrid >= length) {
            fewest = std::min(fewest, best[static_cast<std::size_t>(i)] + 1);
            continue;
        }
        for (int j = i + 1; j <= std::min(steps - 1, start + reach); ++j) {
            if (CutAllowed(holes, j * kGrid, rules)) {
                best[static_cast<std::size_t>(j)] = std::min(best[static_cast<std::size_t>(j)], best[static_cast<std::size_t>(i)] + 1);
            }
        }
    }
    return fewest;
}

TEST_F(CliAssembly, InfoPlansTheFewestBlanksEachCutInARest)
{
    const std::vector<double> holes = BoxCardHolesMm();
    ASSERT_GT(holes.size(), 20u);
    struct Case {
        const char* blank;
        const char* join;
        double overlap;
    };
    // The fixture's scale runs an eighth apart (7.5 mm): a 12 mm glue zone finds no rest there.
    const Case cases[] = {{"150", "butt", 0},        {"230", "butt", 0},          {"530", "butt", 0},
                          {"300", "overlap:5", 5},   {"400", "overlap:20", 20},   {"200", "overlap:12", 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.blank) + " " + c.join);
        const CliResult r = RunZembra({QStringLiteral("info"), Fixture("box-card.mid"), QStringLiteral("--json"),
                                       QStringLiteral("--box"), QStringLiteral("33"), QStringLiteral("--bar-mm"),
                                       QStringLiteral("60"), QStringLiteral("--blank-mm"), QLatin1String(c.blank),
                                       QStringLiteral("--join"), QLatin1String(c.join)});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QJsonObject info = QJsonDocument::fromJson(r.out.toUtf8()).object();
        CutRules rules;
        rules.longestStripMm = QString::fromLatin1(c.blank).toDouble();
        rules.holeMm = 1.7;
        rules.overlapMm = c.overlap;
        rules.freeBeforeMm = c.overlap > 0 ? c.overlap : 5.0;
        rules.freeAfterMm = c.overlap > 0 ? 0.0 : 5.0;
        if (info[QStringLiteral("blanks")].isNull()) {
            // No plan: the search over every cut finds none either.
            const int bars = info[QStringLiteral("pieceBars")].toInt();
            EXPECT_EQ(FewestBlanks(holes, 20.0 + bars * 60.0, rules), std::numeric_limits<int>::max());
            EXPECT_GT(info[QStringLiteral("blanksStuckAt")].toObject()[QStringLiteral("bar")].toInt(), 0);
            continue;
        }
        const QJsonArray blanks = info[QStringLiteral("blanks")].toArray();
        ASSERT_FALSE(blanks.isEmpty());
        // The card's length: the blanks end to end, less the overlaps.
        double length = -(blanks.size() - 1) * c.overlap;
        int lastBar = 0;
        for (const QJsonValue& v : blanks) {
            const QJsonObject b = v.toObject();
            length += b[QStringLiteral("lengthMm")].toDouble();
            EXPECT_LE(b[QStringLiteral("lengthMm")].toDouble(), rules.longestStripMm + 0.05);
            EXPECT_GE(b[QStringLiteral("endBar")].toInt(), lastBar);
            EXPECT_GE(b[QStringLiteral("endBeat")].toInt(), 1);
            EXPECT_LE(b[QStringLiteral("endBeat")].toInt(), 4);
            lastBar = b[QStringLiteral("endBar")].toInt();
        }
        const int bars = static_cast<int>(std::lround((length - 20.0) / 60.0));
        EXPECT_NEAR(length, 20.0 + bars * 60.0, 0.3) << "the card is whole bars after the leader";
        EXPECT_GE(bars * 60.0 + 20.0, holes.back());
        EXPECT_EQ(lastBar, bars);
        EXPECT_EQ(static_cast<int>(blanks.size()), FewestBlanks(holes, 20.0 + bars * 60.0, rules));
    }
}

TEST_F(CliAssembly, ALoopIsAWholeNumberOfBars)
{
    const CliResult r = RunZembra({QStringLiteral("info"), Fixture("box-card.mid"), QStringLiteral("--json"),
                                   QStringLiteral("--box"), QStringLiteral("33"), QStringLiteral("--bar-mm"),
                                   QStringLiteral("60"), QStringLiteral("--loop")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject info = QJsonDocument::fromJson(r.out.toUtf8()).object();
    ASSERT_TRUE(info.contains(QStringLiteral("loopBars")));
    // No fewer bars than the last note needs, and at most a bar of rest more than the card has.
    const int lastNoteBar = static_cast<int>(std::ceil((BoxCardHolesMm().back() - 20.0) / 60.0));
    EXPECT_GE(info[QStringLiteral("loopBars")].toInt(), lastNoteBar);
    EXPECT_LE(info[QStringLiteral("loopBars")].toInt(), lastNoteBar + 2);
    const CliResult plain = RunZembra({QStringLiteral("info"), Fixture("box-card.mid"), QStringLiteral("--json")});
    EXPECT_FALSE(QJsonDocument::fromJson(plain.out.toUtf8()).object().contains(QStringLiteral("loopBars")));
}

} // namespace
} // namespace zembra
