// Cards cut in their rests, measured from what zembra writes by programs that are not ours:
// Python's XML parser reads the SVG, ezdxf the DXF, pdftoppm rasterises the card at 600 dpi.
// Every hole lies inside exactly one strip's outline, no strip's end comes within 4 mm of a hole
// nor a join's tape or glue zone over one, and the strips laid end to end again (less the glue
// zones) give every note of the song exactly once, where the song puts it.
#include "../card/cut_readback.h"
#include "../card/cutter_readers.h"
#include "../card/pdf_raster.h"
#include "box_card_holes.h"
#include "cli_process.h"
#include "model/music_box.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
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

constexpr double kLeaderMm = 20.0;
constexpr double kBarMm = 60.0;
constexpr double kClearanceMm = 4.0;
constexpr double kTapeMm = 5.0;
constexpr double kHoleMm = 1.7; // the 33-note box's
constexpr double kToleranceMm = 0.1;

double PrintableWidthMm()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    return printer.pageLayout().paintRect(QPageLayout::Millimeter).width();
}

class CliRestCuts : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString Run(const QString& command, const QString& name, const QStringList& more, const QString& input = {})
    {
        const QString out = m_dir.filePath(name);
        const QStringList arguments = QStringList{command, input.isEmpty() ? Fixture("box-card.mid") : input,
                                                  QStringLiteral("-o"), out, QStringLiteral("--box"), QStringLiteral("33"),
                                                  QStringLiteral("--bar-mm"), QString::number(kBarMm)} +
            more;
        const CliResult result = RunZembra(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return out;
    }

    QTemporaryDir m_dir;
};

TEST_F(CliRestCuts, TheCutterFilesCutEveryStripInARestAndEveryHoleOnce)
{
    ASSERT_FALSE(PythonWithEzdxf().isEmpty()) << "ezdxf is needed (python3-ezdxf)";
    const std::vector<double> song = BoxCardHolesMm();
    ASSERT_GT(song.size(), 20u);
    const double page = PrintableWidthMm();
    struct Case {
        const char* join;
        double overlapMm; // 0: butted
    };
    const Case cases[] = {{"butt", 0}, {"overlap:5", 5}, {"overlap:10", 10}};
    for (const Case& c : cases) {
        for (const char* format : {"svg", "dxf"}) {
            SCOPED_TRACE(testing::Message() << c.join << " " << format);
            const QString path = Run(QLatin1String(format), QStringLiteral("%1.%2").arg(QString::fromLatin1(c.join).replace(QLatin1Char(':'), QLatin1Char('-')), QLatin1String(format)),
                                     {QStringLiteral("--layout"), QStringLiteral("strips"), QStringLiteral("--split-at-rests"),
                                      QStringLiteral("--join"), QLatin1String(c.join)});
            const CutLayer cut = std::string_view(format) == "svg" ? ReadSvgCuts(path) : ReadDxfCuts(path, 0.0);
            ASSERT_TRUE(cut.read);
            const std::vector<CutPiece> strips = PiecesOfCut(cut);
            ASSERT_GE(strips.size(), 2u);
            // The card's stretch each strip starts at: the one before's, its length on, less the glue.
            std::vector<double> startMm{0.0};
            for (std::size_t k = 0; k + 1 < strips.size(); ++k) {
                startMm.push_back(startMm.back() + strips[k].right - strips[k].left - c.overlapMm);
            }
            // A joined end keeps the clearance, and the tape's or the glue's zone, free of holes.
            const double zone = std::max(kClearanceMm, c.overlapMm > 0 ? c.overlapMm : kTapeMm);
            std::vector<double> along;
            for (const CutCircle& circle : cut.circles) {
                EXPECT_NEAR(circle.r * 2, kHoleMm, 1e-6);
                int holders = 0;
                for (std::size_t k = 0; k < strips.size(); ++k) {
                    const CutPiece& s = strips[k];
                    if (!s.Holds(circle)) {
                        continue;
                    }
                    ++holders;
                    along.push_back(startMm[k] + circle.x - s.left);
                    if (k > 0) {
                        EXPECT_GE(circle.x - circle.r - s.left, zone - 1e-6) << "strip " << k << " starts near a hole";
                    }
                    if (k + 1 < strips.size()) {
                        EXPECT_GE(s.right - circle.x - circle.r, zone - 1e-6) << "strip " << k << " ends near a hole";
                    }
                }
                EXPECT_EQ(holders, 1) << "hole at " << circle.x << ", " << circle.y;
            }
            for (const CutPiece& s : strips) {
                EXPECT_LE(s.right - s.left, page + kToleranceMm);
            }
            // Every note of the song, once, where the song puts it.
            std::sort(along.begin(), along.end());
            ASSERT_EQ(along.size(), song.size());
            for (std::size_t i = 0; i < song.size(); ++i) {
                EXPECT_NEAR(along[i], song[i], kToleranceMm) << "hole " << i;
            }
        }
    }
}

TEST_F(CliRestCuts, ThePrintedCardShowsEveryNoteOnce)
{
    constexpr int kDpi = 600;
    const double markPx = 1.8 * kDpi / 25.4;
    // The marks the card of whole bars shows: every note, the title's mark-sized letters and the
    // start of the bar after the music, which the last strip shows as it always has.
    const auto marksOf = [&](const QString& name, const QStringList& more) {
        const QString folder = m_dir.filePath(name);
        EXPECT_TRUE(QDir().mkpath(folder));
        std::size_t marks = 0;
        for (const QImage& page : RasterisePdf(Run(QStringLiteral("card"), name + QStringLiteral(".pdf"), more), kDpi, folder)) {
            marks += DarkMarks(page, markPx).size();
        }
        return marks;
    };
    const std::size_t whole = marksOf(QStringLiteral("whole"), {});
    EXPECT_GE(whole, BoxCardHolesMm().size());
    for (const char* join : {"butt", "overlap:10"}) {
        SCOPED_TRACE(join);
        const QString name = QString::fromLatin1(join).replace(QLatin1Char(':'), QLatin1Char('-'));
        EXPECT_EQ(marksOf(name, {QStringLiteral("--split-at-rests"), QStringLiteral("--join"), QLatin1String(join)}), whole);
    }
}

TEST_F(CliRestCuts, NoOptionChangesTheSongFile)
{
    const QString songFile = m_dir.filePath(QStringLiteral("tune.zmb"));
    const CliResult made = RunZembra({QStringLiteral("song"), Fixture("box-card.mid"), QStringLiteral("-o"), songFile});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    const auto digest = [&] {
        QFile file(songFile);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    };
    const QByteArray before = digest();
    const QStringList every = {QStringLiteral("--split-at-rests"), QStringLiteral("--join"), QStringLiteral("overlap:8"),
                               QStringLiteral("--blank-mm"), QStringLiteral("500"), QStringLiteral("--bar-numbers"),
                               QStringLiteral("1"), QStringLiteral("--titles"), QStringLiteral("--strip-numbers")};
    for (const char* command : {"card", "svg", "dxf"}) {
        SCOPED_TRACE(command);
        Run(QLatin1String(command), QStringLiteral("out.%1").arg(QLatin1String(command == std::string_view("card") ? "pdf" : command)),
            every, songFile);
        EXPECT_EQ(digest(), before);
    }
}

TEST_F(CliRestCuts, BlanksEndStripsAndNoStripIsLongerThanItsBlank)
{
    ASSERT_FALSE(PythonWithEzdxf().isEmpty()) << "ezdxf is needed (python3-ezdxf)";
    for (const double blank : {150.0, 230.0}) {
        SCOPED_TRACE(blank);
        const QString path = Run(QStringLiteral("svg"), QStringLiteral("blank%1.svg").arg(blank),
                                 {QStringLiteral("--layout"), QStringLiteral("strips"), QStringLiteral("--blank-mm"),
                                  QString::number(blank)});
        const CutLayer cut = ReadSvgCuts(path);
        ASSERT_TRUE(cut.read);
        const std::vector<CutPiece> strips = PiecesOfCut(cut);
        ASSERT_GE(strips.size(), 2u);
        double card = 0;
        for (const CutPiece& s : strips) {
            EXPECT_LE(s.right - s.left, blank + kToleranceMm);
            card += s.right - s.left;
        }
        for (const CutCircle& circle : cut.circles) {
            EXPECT_EQ(std::count_if(strips.begin(), strips.end(), [&](const CutPiece& s) { return s.Holds(circle); }), 1);
        }
        EXPECT_EQ(cut.circles.size(), BoxCardHolesMm().size());
        EXPECT_GE(card, BoxCardHolesMm().back());
    }
}

TEST_F(CliRestCuts, ALoopIsWholeBarsWithItsSeamInARest)
{
    const std::vector<double> song = BoxCardHolesMm();
    const double page = PrintableWidthMm();
    struct Case {
        const char* join;
        double overlapMm;
    };
    for (const Case& c : {Case{"butt", 0}, Case{"overlap:5", 5}}) {
        SCOPED_TRACE(c.join);
        const CliResult info = RunZembra({QStringLiteral("info"), Fixture("box-card.mid"), QStringLiteral("--json"),
                                          QStringLiteral("--box"), QStringLiteral("33"), QStringLiteral("--bar-mm"),
                                          QString::number(kBarMm), QStringLiteral("--loop"), QStringLiteral("--join"),
                                          QLatin1String(c.join)});
        ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
        const int loopBars = QJsonDocument::fromJson(info.out.toUtf8()).object()[QStringLiteral("loopBars")].toInt();
        ASSERT_GT(loopBars, 0);
        const QString name = QString::fromLatin1(c.join).replace(QLatin1Char(':'), QLatin1Char('-'));
        const CutLayer cut = ReadSvgCuts(Run(QStringLiteral("svg"), QStringLiteral("loop-%1.svg").arg(name),
                                             {QStringLiteral("--layout"), QStringLiteral("strips"), QStringLiteral("--loop"),
                                              QStringLiteral("--join"), QLatin1String(c.join)}));
        ASSERT_TRUE(cut.read);
        const std::vector<CutPiece> strips = PiecesOfCut(cut);
        ASSERT_GE(strips.size(), 1u);
        // Round once: the strips end to end, less a glue zone at every join, the last strip's end
        // joined to the first one's start.
        double round = 0;
        std::vector<double> startMm;
        for (const CutPiece& s : strips) {
            startMm.push_back(round);
            EXPECT_LE(s.right - s.left, page + kToleranceMm);
            round += s.right - s.left - c.overlapMm;
        }
        // The cutter's sheet knows its printable width to a tenth of a millimetre, which scales the
        // card by as much over its length.
        EXPECT_NEAR(round, loopBars * kBarMm, 2 * kToleranceMm);
        const double zone = std::max(kClearanceMm, c.overlapMm > 0 ? c.overlapMm : kTapeMm);
        std::vector<double> along; // from the first bar line, once round
        for (const CutCircle& circle : cut.circles) {
            int holders = 0;
            for (std::size_t k = 0; k < strips.size(); ++k) {
                const CutPiece& s = strips[k];
                if (!s.Holds(circle)) {
                    continue;
                }
                ++holders;
                // Every end is a join, the seam's too.
                EXPECT_GE(circle.x - circle.r - s.left, zone - 1e-6) << "strip " << k;
                EXPECT_GE(s.right - circle.x - circle.r, zone - 1e-6) << "strip " << k;
                along.push_back(startMm[k] + circle.x - s.left);
            }
            EXPECT_EQ(holders, 1) << "hole at " << circle.x << ", " << circle.y;
        }
        // Every note once: the holes' spacing round the loop is the song's, from some seam on.
        ASSERT_EQ(along.size(), song.size());
        std::sort(along.begin(), along.end());
        std::vector<double> music;
        for (const double h : song) {
            music.push_back(h - kLeaderMm);
        }
        const double loop = round;
        // The seam: the shift that brings the first hole round the loop onto one of the song's.
        bool matched = false;
        for (const double first : music) {
            const double shift = first - along.front();
            std::vector<double> turned;
            for (const double a : along) {
                turned.push_back(std::fmod(a + shift + 2 * loop, loop));
            }
            std::sort(turned.begin(), turned.end());
            bool same = true;
            for (std::size_t i = 0; i < music.size() && same; ++i) {
                same = std::abs(turned[i] - music[i]) < kToleranceMm;
            }
            matched = matched || same;
        }
        EXPECT_TRUE(matched) << "the loop's holes are the song's, round from its seam";
    }
}

TEST_F(CliRestCuts, ACardWithNoRestForACutIsNotWritten)
{
    // The fixture's scale runs an eighth apart (7.5 mm): a 12 mm glue zone finds no rest within
    // 200 mm blanks.
    for (const char* command : {"card", "svg"}) {
        SCOPED_TRACE(command);
        const QString out = m_dir.filePath(QStringLiteral("none.%1").arg(QLatin1String(command)));
        const CliResult r = RunZembra({QLatin1String(command), Fixture("box-card.mid"), QStringLiteral("-o"), out,
                                       QStringLiteral("--box"), QStringLiteral("33"), QStringLiteral("--bar-mm"),
                                       QString::number(kBarMm), QStringLiteral("--blank-mm"), QStringLiteral("200"),
                                       QStringLiteral("--join"), QStringLiteral("overlap:12")});
        EXPECT_NE(r.exitCode, 0);
        EXPECT_TRUE(r.err.contains(QStringLiteral("No rest near bar"))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

} // namespace
} // namespace zembra
