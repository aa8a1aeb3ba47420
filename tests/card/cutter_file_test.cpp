// Cutter files read by programs that are not ours: the SVG rendered by rsvg-convert, the DXF
// read by ezdxf. Their holes must lie where the printed card, painted by the card painter on a
// page with the same metrics, puts its marks, and their strips must be 69.6 mm wide.
#include "card/card_job.h"
#include "card/cutter_file.h"
#include "cut_readback.h"
#include "cutter_readers.h"
#include "printed_marks.h"
#include "song_fixtures.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace zembra {
namespace {

constexpr int kCardDpi = 1200;  // the printed card's resolution, the PDF export's
constexpr int kRenderDpi = 300; // rsvg-convert's: ink-weighted centres are good to a tenth of a pixel
constexpr double kTolerance = 0.05;
constexpr double kCardMm = 69.6;
constexpr double kHoleMm = 1.0; // small enough that the rings of neighbouring rows stay apart
constexpr int kPixelsPerBar = 96;

// A page whose printable area is 100 x 140 mm: bars of 20 mm give 4 bars on the first strip and
// 5 on every later one; single strips lie two to a page, double ones one.
QPageLayout SmallPage()
{
    return QPageLayout(QPageSize(QSizeF(110, 150), QPageSize::Millimeter), QPageLayout::Portrait,
                       QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
}

struct TestNote {
    int x;
    int rowFromTop;
};

// Seven bars, on strips of 4 and 3 bars. No two marks touch, none lies at a strip's end (where
// the printed strip also shows the neighbouring strip's first marks) and no ring meets an outline.
const TestNote kNotes[] = {{0, 0},    {30, 3},   {60, 32},  {100, 12}, {150, 13}, {200, 30},
                           {290, 20}, {340, 1},  {414, 8},  {500, 25}, {600, 17}, {660, 31}};

std::unique_ptr<SongState> TestSong()
{
    auto song = NewSong();
    for (const TestNote& note : kNotes) {
        PlaceNote(*song, note.x, kBandTop + note.rowFromTop * song->rowHeight);
    }
    song->musicLength = 7 * kPixelsPerBar;
    song->barLengthMm = 20;
    song->title = "Tune";
    song->author = "Someone";
    return song;
}

CutterOptions OptionsFor(const SongState& song, CutterFormat format)
{
    CutterOptions options = CutterOptionsOfSong(song, 0);
    options.format = format;
    options.page = SmallPage();
    options.dotsPerInch = kCardDpi;
    options.holeMm = kHoleMm;
    return options;
}

using Point = MarkPoint;

// Each mark has exactly one hole within the tolerance, and there are no other holes.
void ExpectHolesAtMarks(const std::vector<Point>& marks, const std::vector<Point>& holes)
{
    EXPECT_EQ(holes.size(), marks.size());
    for (const Point& mark : marks) {
        const auto near = std::count_if(holes.begin(), holes.end(), [&](const Point& h) {
            return std::abs(h.x - mark.x) <= kTolerance && std::abs(h.y - mark.y) <= kTolerance;
        });
        EXPECT_EQ(near, 1) << "mark at (" << mark.x << ", " << mark.y << ")";
    }
}

struct SvgCut {
    QSize size;
    std::vector<Point> holes;
    std::vector<QRectF> outlines; // mm, the middle of the stroke
};

// The hole rings and the strip outlines of the rendered SVG, in millimetres.
SvgCut ReadSvgCut(const QString& svg, const QString& folder)
{
    const QImage image = RenderSvg(svg, kRenderDpi, folder + QStringLiteral("/render.png"));
    SvgCut cut;
    if (image.isNull()) {
        ADD_FAILURE() << "rsvg-convert could not render " << svg.toStdString();
        return cut;
    }
    cut.size = image.size();
    const double mmPerPx = 25.4 / kRenderDpi;
    const InkMap red = RedInk(image);
    for (const InkBlob& blob : FindBlobs(red)) {
        const double wMm = blob.width() * mmPerPx;
        if (wMm > 0.6 * kHoleMm && wMm < 1.5 * kHoleMm) {
            cut.holes.push_back({blob.x * mmPerPx, blob.y * mmPerPx});
        } else if (wMm > 20) {
            // An outline: the ink-weighted middle of each side, measured away from the corners.
            const auto side = [&](bool horizontal, int from, int to) {
                double sum = 0;
                double weight = 0;
                const int a0 = (horizontal ? blob.left : blob.top) + 10;
                const int a1 = (horizontal ? blob.right : blob.bottom) - 10;
                for (int a = a0; a <= a1; ++a) {
                    for (int b = from; b <= to; ++b) {
                        const int x = horizontal ? a : b;
                        const int y = horizontal ? b : a;
                        const float v = red.ink[static_cast<std::size_t>(y) * red.width + x];
                        if (v > 0.1f) {
                            sum += v * (b + 0.5);
                            weight += v;
                        }
                    }
                }
                return weight > 0 ? sum / weight * mmPerPx : -1.0;
            };
            const double top = side(true, blob.top, blob.top + 3);
            const double bottom = side(true, blob.bottom - 3, blob.bottom);
            const double left = side(false, blob.left, blob.left + 3);
            const double right = side(false, blob.right - 3, blob.right);
            cut.outlines.push_back(QRectF(QPointF(left, top), QPointF(right, bottom)));
        }
    }
    return cut;
}

std::vector<Point> DxfHoles(const QJsonObject& dxf, double heightMm)
{
    std::vector<Point> holes;
    for (const QJsonValue& value : dxf.value(QStringLiteral("circles")).toArray()) {
        const QJsonObject circle = value.toObject();
        EXPECT_EQ(circle.value(QStringLiteral("layer")).toString(), QStringLiteral("CUT"));
        EXPECT_NEAR(circle.value(QStringLiteral("r")).toDouble(), kHoleMm / 2, 1e-6);
        // DXF's y runs upward from the bottom of the drawing.
        holes.push_back({circle.value(QStringLiteral("x")).toDouble(),
                         heightMm - circle.value(QStringLiteral("y")).toDouble()});
    }
    return holes;
}

std::vector<QRectF> DxfOutlines(const QJsonObject& dxf)
{
    std::vector<QRectF> outlines;
    for (const QJsonValue& value : dxf.value(QStringLiteral("polylines")).toArray()) {
        const QJsonObject line = value.toObject();
        if (line.value(QStringLiteral("layer")).toString() != QLatin1String("CUT")) {
            continue;
        }
        EXPECT_TRUE(line.value(QStringLiteral("closed")).toBool());
        double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
        for (const QJsonValue& p : line.value(QStringLiteral("points")).toArray()) {
            left = std::min(left, p.toArray().at(0).toDouble());
            right = std::max(right, p.toArray().at(0).toDouble());
            bottom = std::min(bottom, p.toArray().at(1).toDouble());
            top = std::max(top, p.toArray().at(1).toDouble());
        }
        // Turned back to y downward, as the drawing's other rectangles.
        outlines.push_back(QRectF(QPointF(left, -top), QPointF(right, -bottom)));
    }
    return outlines;
}

struct PrintCase {
    const char* what;
    bool mirror;
    bool swap;
    bool twoRows;
};

const PrintCase kPrintCases[] = {
    {"plain", false, false, false},  {"mirror", true, false, false},        {"swap", false, true, false},
    {"mirror and swap", true, true, false}, {"two rows", false, false, true}, {"mirror, two rows", true, false, true},
};

std::unique_ptr<SongState> SongFor(const PrintCase& c)
{
    auto song = TestSong();
    song->printOptions.mirrorCard = c.mirror;
    song->printOptions.swapHighLow = c.swap;
    song->printOptions.twoRows = c.twoRows;
    return song;
}

class CutterFile : public testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QTemporaryDir dir;
};

TEST_F(CutterFile, SvgHolesAreWhereThePrintedCardPutsItsMarks)
{
    for (const PrintCase& c : kPrintCases) {
        SCOPED_TRACE(c.what);
        auto song = SongFor(c);
        const CutterOptions options = OptionsFor(*song, CutterFormat::Svg);
        QString error;
        ASSERT_TRUE(WriteCutterFile(*song, options, Path("card.svg"), &error)) << error.toStdString();
        const CutterSheet sheet = SheetOfOptions(options);
        const std::vector<Point> marks = PrintedMarks(*song, sheet);
        ASSERT_EQ(marks.size(), std::size(kNotes) * (c.twoRows ? 2 : 1));
        const SvgCut cut = ReadSvgCut(Path("card.svg"), dir.path());
        // One user unit is one millimetre: the page renders at its size in millimetres.
        const int pages = c.twoRows ? 2 : 1;
        EXPECT_NEAR(cut.size.width(), 110 / 25.4 * kRenderDpi, 1.0);
        EXPECT_NEAR(cut.size.height(), pages * 150 / 25.4 * kRenderDpi, 1.0);
        ExpectHolesAtMarks(marks, cut.holes);
        // Strips follow each other on a page as printed, a fraction of a pixel apart: their cuts
        // run together in the picture (the strips layout measures them one by one).
        EXPECT_FALSE(cut.outlines.empty());
    }
}

TEST_F(CutterFile, DxfHolesAreWhereThePrintedCardPutsItsMarks)
{
    for (const PrintCase& c : kPrintCases) {
        SCOPED_TRACE(c.what);
        auto song = SongFor(c);
        const CutterOptions options = OptionsFor(*song, CutterFormat::Dxf);
        QString error;
        ASSERT_TRUE(WriteCutterFile(*song, options, Path("card.dxf"), &error)) << error.toStdString();
        const QJsonObject dxf = ReadDxf(Path("card.dxf"));
        ASSERT_FALSE(dxf.isEmpty()) << "ezdxf could not read the file (is python3-ezdxf installed?)";
        EXPECT_EQ(dxf.value(QStringLiteral("insunits")).toInt(), 4);
        EXPECT_TRUE(dxf.value(QStringLiteral("errors")).toArray().isEmpty())
            << QJsonDocument(dxf.value(QStringLiteral("errors")).toArray()).toJson().toStdString();
        const QJsonArray layers = dxf.value(QStringLiteral("layers")).toArray();
        EXPECT_TRUE(layers.contains(QStringLiteral("CUT")));
        EXPECT_TRUE(layers.contains(QStringLiteral("ENGRAVE")));
        const int pages = c.twoRows ? 2 : 1;
        const CutterSheet sheet = SheetOfOptions(options);
        ExpectHolesAtMarks(PrintedMarks(*song, sheet), DxfHoles(dxf, pages * 150.0));
        // Two pieces lie on every page, one on the other: their cuts across the card are three
        // lines 69.6 mm apart, the line between them cut once.
        const CutLayer cut = ReadDxfCuts(Path("card.dxf"), pages * 150.0);
        std::vector<double> across;
        for (const CutSegment& s : cut.segments) {
            if (std::abs(s.y1 - s.y2) < 1e-6 &&
                std::none_of(across.begin(), across.end(), [&](double y) { return std::abs(y - s.y1) < 1e-6; })) {
                across.push_back(s.y1);
            }
        }
        std::sort(across.begin(), across.end());
        ASSERT_EQ(across.size(), 3u * pages);
        for (std::size_t i = 0; i < across.size(); i += 3) {
            EXPECT_NEAR(across[i + 1] - across[i], kCardMm, 0.03);
            EXPECT_NEAR(across[i + 2] - across[i + 1], kCardMm, 0.03);
        }
        EXPECT_TRUE(CutsMadeTwice(cut).empty());
    }
}

TEST_F(CutterFile, StripsLayoutCutsEveryStripApartAtTheCardsWidth)
{
    auto song = TestSong();
    song->printOptions.twoRows = 1;
    for (const CutterFormat format : {CutterFormat::Svg, CutterFormat::Dxf}) {
        SCOPED_TRACE(format == CutterFormat::Svg ? "svg" : "dxf");
        CutterOptions options = OptionsFor(*song, format);
        options.layout = CutterLayout::Strips;
        const QString path = Path(format == CutterFormat::Svg ? "strips.svg" : "strips.dxf");
        ASSERT_TRUE(WriteCutterFile(*song, options, path, nullptr));
        std::vector<QRectF> outlines;
        std::size_t holes = 0;
        if (format == CutterFormat::Svg) {
            const SvgCut cut = ReadSvgCut(path, dir.path());
            outlines = cut.outlines;
            holes = cut.holes.size();
        } else {
            const QJsonObject dxf = ReadDxf(path);
            outlines = DxfOutlines(dxf);
            holes = dxf.value(QStringLiteral("circles")).toArray().size();
        }
        // Two strips, each twice: four pieces, one below the other, none touching.
        ASSERT_EQ(outlines.size(), 4u);
        std::sort(outlines.begin(), outlines.end(), [](const QRectF& a, const QRectF& b) { return a.top() < b.top(); });
        for (std::size_t i = 0; i < outlines.size(); ++i) {
            EXPECT_NEAR(outlines[i].height(), kCardMm, kTolerance) << i;
            if (i > 0) {
                EXPECT_GT(outlines[i].top(), outlines[i - 1].bottom() + 1.0) << i;
            }
        }
        // The first strip: leader and 4 bars; the last: 3 bars and a bar of tail.
        EXPECT_NEAR(outlines[0].width(), 20 + 4 * 20, kTolerance);
        EXPECT_NEAR(outlines[3].width(), 4 * 20, kTolerance);
        EXPECT_EQ(holes, 2 * std::size(kNotes));
    }
}

TEST_F(CutterFile, DxfTextsCarryTheTitleBlockOnTheEngravingLayer)
{
    auto song = TestSong();
    song->title = "曲 Tune";
    const CutterOptions options = OptionsFor(*song, CutterFormat::Dxf);
    ASSERT_TRUE(WriteCutterFile(*song, options, Path("texts.dxf"), nullptr));
    const QJsonObject dxf = ReadDxf(Path("texts.dxf"));
    QStringList texts;
    for (const QJsonValue& value : dxf.value(QStringLiteral("texts")).toArray()) {
        EXPECT_EQ(value.toObject().value(QStringLiteral("layer")).toString(), QStringLiteral("ENGRAVE"));
        texts << value.toObject().value(QStringLiteral("text")).toString();
    }
    EXPECT_TRUE(texts.filter(QStringLiteral("曲 Tune")).size() == 1) << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Someone")));
    EXPECT_FALSE(dxf.value(QStringLiteral("lines")).toArray().isEmpty());
}

TEST_F(CutterFile, AFileThatCannotBeWrittenIsAMessageAndLeavesNothing)
{
    auto song = TestSong();
    QDir(dir.path()).mkdir(QStringLiteral("taken"));
    struct Case {
        const char* what;
        QString path;
    };
    const Case cases[] = {
        {"no such folder", Path("missing/card.svg")},
        {"a folder by that name", Path("taken")},
    };
    for (const CutterFormat format : {CutterFormat::Svg, CutterFormat::Dxf}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            QString error;
            EXPECT_FALSE(WriteCutterFile(*song, OptionsFor(*song, format), c.path, &error));
            EXPECT_TRUE(error.contains(c.path)) << error.toStdString();
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                      QStringList{QStringLiteral("taken")});
            EXPECT_TRUE(QDir(Path("taken")).isEmpty());
        }
    }
}

TEST_F(CutterFile, ARefusedCardKeepsTheOldFile)
{
    auto song = TestSong();
    QFile old(Path("card.svg"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    CutterOptions options = OptionsFor(*song, CutterFormat::Svg);
    options.kerfMm = options.holeMm; // nothing would be left of a hole
    QString error;
    EXPECT_FALSE(WriteCutterFile(*song, options, Path("card.svg"), &error));
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
}

TEST_F(CutterFile, ABarLongerThanThePageIsRefusedWithTheCardsMessage)
{
    auto song = TestSong();
    song->barLengthMm = 90; // with the 20 mm leader more than the 100 mm area
    QString error;
    EXPECT_FALSE(WriteCutterFile(*song, OptionsFor(*song, CutterFormat::Svg), Path("long.svg"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("90"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(Path("long.svg")));
}

TEST(CutterOptionNames, NameTheFormatsAndLayouts)
{
    EXPECT_EQ(CutterFormatNamed(u"svg"), CutterFormat::Svg);
    EXPECT_EQ(CutterFormatNamed(u"DXF"), CutterFormat::Dxf);
    EXPECT_FALSE(CutterFormatNamed(u"pdf"));
    EXPECT_EQ(CutterLayoutNamed(u"pages"), CutterLayout::Pages);
    EXPECT_EQ(CutterLayoutNamed(u"Strips"), CutterLayout::Strips);
    EXPECT_FALSE(CutterLayoutNamed(u"rolls"));
    EXPECT_EQ(CutterSuffix(CutterFormat::Dxf), QStringLiteral("dxf"));
}

} // namespace
} // namespace zembra
