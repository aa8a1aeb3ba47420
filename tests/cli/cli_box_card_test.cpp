// zembra card, svg and dxf with --box, for every built-in box, measured by programs that are not
// ours: pdftoppm rasterises the card at 600 dpi, Python's XML parser reads the SVG, ezdxf the DXF.
// The strips are the box's width, its row lines lie at its offsets, the bars are the length asked
// for, and every note the box plays has its hole where its row and its time put it; the notes it
// has no row for have none.
#include "../card/cut_readback.h"
#include "../card/cutter_readers.h"
#include "../card/pdf_raster.h"
#include "cli_process.h"
#include "model/music_box.h"

#include <QPageLayout>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zembra {
namespace {

constexpr int kDpi = 600;
constexpr double kPxPerMm = kDpi / 25.4;
constexpr double kTolerance = 0.1;
constexpr double kLeaderMm = 20.0;
constexpr double kBarMm = 60.0;
constexpr int kPixelsPerBar = 96; // 4 quarters of 24 canvas pixels
constexpr int kTicksPerPixel = 4; // 96 ticks a quarter
constexpr double kPieceGapMm = 2.0;

// The sizes of each box, as its maker gives them.
struct BoxCase {
    const char* id;
    double widthMm;
    double firstRowMm;
    double pitchMm;
    double holeMm;
    double markMm; // the printed mark: the hole's width, but 1.8 mm on the 33-note card
};

const BoxCase kBoxes[] = {
    {"33", 69.6, 6.0, 1.8, 1.7, 1.8}, {"30F", 70.0, 6.0, 2.0, 1.8, 1.8}, {"30", 70.0, 6.0, 2.0, 1.8, 1.8},
    {"20", 70.0, 6.5, 3.0, 2.4, 2.4}, {"15", 41.0, 6.5, 2.0, 1.8, 1.8},
};

struct FileNote {
    int tick = 0;
    int key = 0;
};

// The notes of the fixture, from the text csvmidi made it from.
std::vector<FileNote> FixtureNotes()
{
    QFile file(Fixture("box-card.csv"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    std::vector<FileNote> notes;
    static const QRegularExpression on(QStringLiteral("^1, (\\d+), Note_on_c, 0, (\\d+), (\\d+)$"));
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QRegularExpressionMatch m = on.match(QString::fromLatin1(line.trimmed()));
        if (m.hasMatch() && m.captured(3).toInt() > 0) {
            notes.push_back({m.captured(1).toInt(), m.captured(2).toInt()});
        }
    }
    return notes;
}

// The printable area of the PDF pages the command line writes by default (A4 across), in mm.
QRectF PrintableMm()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    return printer.pageLayout().paintRect(QPageLayout::Millimeter);
}

// Where a hole belongs: on which strip, how far from the strip's leading end (the mark's centre)
// and how far from its top edge.
struct Hole {
    int strip = 0;
    double alongMm = 0;
    double acrossMm = 0;
};

// The card's bars cut into strips of the printable width, the first after the leader.
struct Strips {
    int firstBars = 0;
    int barsEach = 0;
    int count = 0;
    int totalBars = 0;
    int StripOfBar(int bar) const { return bar < firstBars ? 0 : 1 + (bar - firstBars) / barsEach; }
    int FirstBar(int strip) const { return strip == 0 ? 0 : firstBars + (strip - 1) * barsEach; }
    int Bars(int strip) const { return std::min(FirstBar(strip + 1), totalBars) - FirstBar(strip); }
    double Lead(int strip) const { return strip == 0 ? kLeaderMm : 0.0; }
};

Strips StripsOf(double printableWidthMm, int totalBars)
{
    Strips s;
    s.firstBars = static_cast<int>((printableWidthMm - kLeaderMm) / kBarMm);
    s.barsEach = static_cast<int>(printableWidthMm / kBarMm);
    s.totalBars = totalBars;
    s.count = totalBars <= s.firstBars ? 1 : 1 + (totalBars - s.firstBars + s.barsEach - 1) / s.barsEach;
    return s;
}

// Every note the box has a row for, where its hole belongs; the lowest row is the strip's last line.
std::vector<Hole> HolesOf(const BoxCase& c, const std::vector<FileNote>& notes, const Strips& strips)
{
    const MusicBox* box = FindBuiltInBox(c.id);
    EXPECT_NE(box, nullptr);
    const int rows = static_cast<int>(box->notes.size());
    std::vector<Hole> holes;
    for (const FileNote& note : notes) {
        const auto at = std::find(box->notes.begin(), box->notes.end(), note.key);
        if (at == box->notes.end()) {
            continue;
        }
        const int line = rows - 1 - static_cast<int>(at - box->notes.begin());
        const int x = note.tick / kTicksPerPixel;
        const int bar = x / kPixelsPerBar;
        Hole hole;
        hole.strip = strips.StripOfBar(bar);
        hole.alongMm = strips.Lead(hole.strip) + (static_cast<double>(x) / kPixelsPerBar - strips.FirstBar(hole.strip)) * kBarMm +
                       c.markMm / 2;
        hole.acrossMm = c.firstRowMm + line * c.pitchMm;
        holes.push_back(hole);
    }
    return holes;
}

// Centres of the grey runs at least 4 pixels (0.17 mm) wide along one row, in mm from the
// printable left: the bar lines, not the edges of a mark's cross.
std::vector<double> GreyRunsAcross(const QImage& page, int y, double left)
{
    std::vector<double> runs;
    int start = -1;
    const uchar* line = page.constScanLine(y);
    for (int x = 0; x <= page.width(); ++x) {
        const bool grey = x < page.width() && IsLineGrey(line[x]);
        if (grey && start < 0) {
            start = x;
        } else if (!grey && start >= 0) {
            if (x - start >= 4) {
                runs.push_back((start + x) / 2.0 / kPxPerMm - left);
            }
            start = -1;
        }
    }
    return runs;
}

// Each expected place has a found one within the tolerance, and as many were found.
void ExpectAt(const std::vector<double>& found, const std::vector<double>& expected, const char* what)
{
    EXPECT_EQ(found.size(), expected.size()) << what;
    for (const double e : expected) {
        double best = 1e9;
        for (const double f : found) {
            best = std::min(best, std::abs(f - e));
        }
        EXPECT_LT(best, kTolerance) << what << " expected at " << e << " mm";
    }
}

class CliBoxCard : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString Run(const char* command, const BoxCase& c, const QStringList& more)
    {
        const QString out = m_dir.filePath(QStringLiteral("card-%1.%2").arg(QLatin1String(c.id), QLatin1String(command)));
        QStringList arguments = {QLatin1String(command), Fixture("box-card.mid"), QStringLiteral("-o"), out,
                                 QStringLiteral("--box"), QLatin1String(c.id), QStringLiteral("--bar-mm"),
                                 QString::number(kBarMm)};
        const CliResult result = RunZembra(arguments + more);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return out;
    }

    QTemporaryDir m_dir;
};

TEST_F(CliBoxCard, ThePrintedCardIsTheBoxsCardToScale)
{
    const std::vector<FileNote> notes = FixtureNotes();
    ASSERT_EQ(notes.size(), 53u);
    const QRectF printable = PrintableMm();
    const int totalBars = (notes.back().tick / kTicksPerPixel) / kPixelsPerBar + 1;
    const Strips strips = StripsOf(printable.width(), totalBars);
    ASSERT_GE(strips.firstBars, 3) << "the first strip's columns are measured in its third bar, past the arrow";
    ASSERT_GE(strips.count, 3);
    for (const BoxCase& c : kBoxes) {
        SCOPED_TRACE(c.id);
        const MusicBox* box = FindBuiltInBox(c.id);
        ASSERT_NE(box, nullptr);
        const int rows = static_cast<int>(box->notes.size());
        // Thick row lines show every row at 600 dpi; a title lighter than any line is never one.
        const QString pdf = Run("card", c, {QStringLiteral("--thick"), QStringLiteral("--text-colour"), QStringLiteral("#ececec")});
        QTemporaryDir pagesDir(m_dir.filePath(QStringLiteral("pagesXXXXXX")));
        const std::vector<QImage> pages = RasterisePdf(pdf, kDpi, pagesDir.path());
        const int stripsPerPage = static_cast<int>(printable.height() / c.widthMm);
        ASSERT_EQ(static_cast<int>(pages.size()), (strips.count + stripsPerPage - 1) / stripsPerPage);

        for (int s = 0; s < strips.count; ++s) {
            SCOPED_TRACE(testing::Message() << "strip " << s);
            const QImage& page = pages[static_cast<std::size_t>(s / stripsPerPage)];
            const double top = (s % stripsPerPage) * c.widthMm;
            // Down a column 15 mm into a bar, clear of every hole (an eighth, 7.5 mm, after each
            // beat) and, on the first strip, of the feed arrow: both edges and every row line.
            const int barOfColumn = s == 0 ? 2 : std::min(1, strips.Bars(s) - 1);
            const double columnMm = strips.Lead(s) + barOfColumn * kBarMm + 15.0;
            std::vector<double> down =
                GreyRunsDown(page, static_cast<int>((printable.left() + columnMm) * kPxPerMm), printable.top(), kPxPerMm);
            std::erase_if(down, [&](double y) { return y < top - 0.5 || y > top + c.widthMm + 0.5; });
            std::vector<double> lines = {top, top + c.widthMm};
            for (int k = 0; k < rows; ++k) {
                lines.push_back(top + c.firstRowMm + k * c.pitchMm);
            }
            ExpectAt(down, lines, "edges and row lines");
            // Across the strip between its first two row lines: the bar lines, from the end of the
            // leader (which holds the row labels) on.
            const double between = printable.top() + top + c.firstRowMm + c.pitchMm / 2;
            std::vector<double> across =
                GreyRunsAcross(page, static_cast<int>(between * kPxPerMm), printable.left());
            std::erase_if(across, [&](double x) { return x < strips.Lead(s) - 1.0; });
            std::vector<double> bars;
            for (int i = 0; i <= strips.Bars(s); ++i) {
                bars.push_back(strips.Lead(s) + i * kBarMm);
            }
            ExpectAt(across, bars, "bar lines");
        }

        // The marks' crosses, the only dark ink on the pages, each where its note belongs and as
        // wide as the box's mark.
        const double markPx = c.markMm * kPxPerMm;
        std::vector<std::vector<InkBlob>> marks;
        std::size_t found = 0;
        for (const QImage& page : pages) {
            marks.push_back(DarkMarks(page, markPx));
            found += marks.back().size();
        }
        const std::vector<Hole> holes = HolesOf(c, notes, strips);
        EXPECT_EQ(found, holes.size());
        for (const Hole& hole : holes) {
            const std::vector<InkBlob>& onPage = marks[static_cast<std::size_t>(hole.strip / stripsPerPage)];
            const double x = printable.left() + hole.alongMm;
            const double y = printable.top() + (hole.strip % stripsPerPage) * c.widthMm + hole.acrossMm;
            const InkBlob* best = nullptr;
            double distance = 1e9;
            for (const InkBlob& m : onPage) {
                const double d = std::hypot(m.x / kPxPerMm - x, m.y / kPxPerMm - y);
                if (d < distance) {
                    distance = d;
                    best = &m;
                }
            }
            ASSERT_NE(best, nullptr);
            EXPECT_LT(distance, kTolerance) << "hole on strip " << hole.strip << " at " << hole.alongMm << ", "
                                            << hole.acrossMm;
            EXPECT_NEAR(best->width() / kPxPerMm, c.markMm, kTolerance);
            EXPECT_NEAR(best->height() / kPxPerMm, c.markMm, kTolerance);
        }
    }
}

TEST_F(CliBoxCard, TheCutterFilesCutTheBoxsHolesInsideTheBoxsStrips)
{
    const bool ezdxf = !PythonWithEzdxf().isEmpty();
    ASSERT_TRUE(ezdxf) << "ezdxf is needed (python3-ezdxf)";
    const std::vector<FileNote> notes = FixtureNotes();
    const QRectF printable = PrintableMm();
    const int totalBars = (notes.back().tick / kTicksPerPixel) / kPixelsPerBar + 1;
    const Strips strips = StripsOf(printable.width(), totalBars);
    for (const BoxCase& c : kBoxes) {
        for (const char* format : {"svg", "dxf"}) {
            SCOPED_TRACE(testing::Message() << c.id << " " << format);
            const QString path = Run(format, c, {QStringLiteral("--layout"), QStringLiteral("strips")});
            // DXF's y runs upward: turned over it is the drawing's, shifted by its height.
            const CutLayer cut = std::string_view(format) == "svg" ? ReadSvgCuts(path) : ReadDxfCuts(path, 0.0);
            ASSERT_TRUE(cut.read);
            EXPECT_TRUE(cut.others.isEmpty());
            const std::vector<CutPiece> pieces = PiecesOfCut(cut);
            ASSERT_EQ(static_cast<int>(pieces.size()), strips.count);
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                EXPECT_NEAR(pieces[i].bottom - pieces[i].top, c.widthMm, 1e-3) << "strip " << i;
                if (i > 0) {
                    EXPECT_NEAR(pieces[i].top - pieces[i - 1].bottom, kPieceGapMm, 1e-3) << "strip " << i;
                }
            }
            const std::vector<Hole> holes = HolesOf(c, notes, strips);
            EXPECT_EQ(cut.circles.size(), holes.size());
            for (const CutCircle& circle : cut.circles) {
                EXPECT_NEAR(circle.r * 2, c.holeMm, 1e-6);
                const bool inside = std::any_of(pieces.begin(), pieces.end(), [&](const CutPiece& p) {
                    return circle.x - circle.r > p.left && circle.x + circle.r < p.right &&
                           circle.y - circle.r > p.top && circle.y + circle.r < p.bottom;
                });
                EXPECT_TRUE(inside) << "hole at " << circle.x << ", " << circle.y;
                EXPECT_TRUE(InsideCuts(cut, circle.x, circle.y)) << "hole at " << circle.x << ", " << circle.y;
            }
            for (const Hole& hole : holes) {
                const CutPiece& piece = pieces[static_cast<std::size_t>(hole.strip)];
                double best = 1e9;
                for (const CutCircle& circle : cut.circles) {
                    best = std::min(best, std::hypot(circle.x - piece.left - hole.alongMm, circle.y - piece.top - hole.acrossMm));
                }
                EXPECT_LT(best, kTolerance) << "hole on strip " << hole.strip << " at " << hole.alongMm << ", "
                                            << hole.acrossMm;
            }
        }
    }
}

TEST_F(CliBoxCard, TheHoleMayBeAsLargeAsTheBoxsRowsLeaveRoomFor)
{
    struct Case {
        const char* command;
        const char* box;
        const char* hole;
        int exitCode;
        const char* says; // the rows and the largest hole, when refused
    };
    const Case cases[] = {
        {"svg", "20", "2.9", 0, ""},
        {"dxf", "20", "2.95", 2, "3 mm apart: make the hole 2.9 mm or less"},
        {"svg", "15", "1.9", 0, ""},
        {"dxf", "15", "2", 2, "2 mm apart: make the hole 1.9 mm or less"},
        {"svg", "30F", "1.95", 2, "2 mm apart: make the hole 1.9 mm or less"},
        {"dxf", "33", "1.8", 2, "1.8 mm apart: make the hole 1.7 mm or less"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.command << " --box " << c.box << " --hole-mm " << c.hole);
        const QString out = m_dir.filePath(QStringLiteral("limit.") + QLatin1String(c.command));
        QFile::remove(out);
        const CliResult result = RunZembra({QLatin1String(c.command), Fixture("box-card.mid"), QStringLiteral("-o"), out,
                                            QStringLiteral("--box"), QLatin1String(c.box), QStringLiteral("--hole-mm"),
                                            QLatin1String(c.hole)});
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
        EXPECT_EQ(QFile::exists(out), c.exitCode == 0);
        EXPECT_TRUE(result.err.contains(QLatin1String(c.says))) << result.err.toStdString();
    }
}

} // namespace
} // namespace zembra
