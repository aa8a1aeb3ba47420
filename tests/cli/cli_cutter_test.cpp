// zembra dxf read back by ezdxf: the holes are cut at the hole less the kerf, the card's 69.6 mm
// grows by the kerf.
#include "../card/cutter_readers.h"
#include "cli_process.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace zembra {
namespace {

TEST(CliCutter, DxfHolesAndOutlinesAllowForTheKerf)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    if (PythonWithEzdxf().isEmpty()) {
        GTEST_SKIP() << "no ezdxf";
    }
    struct Case {
        double hole;
        double kerf;
        const char* layout;
    };
    const Case cases[] = {{1.7, 0, "pages"}, {1.7, 0.2, "strips"}, {1.5, 0.4, "pages"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hole << " " << c.kerf << " " << c.layout);
        const QString out = dir.filePath(QStringLiteral("card.dxf"));
        const CliResult result = RunZembra({QStringLiteral("dxf"), Fixture("abc2midi-tune.mid"), QStringLiteral("-o"), out,
                                            QStringLiteral("--hole-mm"), QString::number(c.hole),
                                            QStringLiteral("--kerf-mm"), QString::number(c.kerf),
                                            QStringLiteral("--layout"), QLatin1String(c.layout)});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        const QJsonObject dxf = ReadDxf(out);
        ASSERT_FALSE(dxf.isEmpty());
        EXPECT_TRUE(dxf[QStringLiteral("errors")].toArray().isEmpty());
        const QJsonArray circles = dxf[QStringLiteral("circles")].toArray();
        ASSERT_GT(circles.size(), 10);
        for (const QJsonValue& circle : circles) {
            EXPECT_NEAR(circle[QStringLiteral("r")].toDouble() * 2, c.hole - c.kerf, 1e-6);
        }
        // Every closed outline on the cut layer is a strip: its short side the card's height.
        int outlines = 0;
        for (const QJsonValue& polyline : dxf[QStringLiteral("polylines")].toArray()) {
            const QJsonArray points = polyline[QStringLiteral("points")].toArray();
            if (!polyline[QStringLiteral("closed")].toBool()) {
                continue;
            }
            double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
            for (const QJsonValue& p : points) {
                minX = std::min(minX, p[0].toDouble());
                maxX = std::max(maxX, p[0].toDouble());
                minY = std::min(minY, p[1].toDouble());
                maxY = std::max(maxY, p[1].toDouble());
            }
            // Strips that lie one on another on a page share their cut and their outer one.
            const double shortSide = std::min(maxX - minX, maxY - minY) - c.kerf;
            const double strips = std::round(shortSide / 69.6);
            if (strips >= 1 && std::abs(shortSide - strips * 69.6) < 0.05) {
                ++outlines;
            }
        }
        EXPECT_GT(outlines, 0);
    }
}

TEST(CliCutter, AHoleThatLeavesNoCardBetweenRowsIsAUsageError)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        const char* command;
        const char* hole;
        int exitCode;
    };
    // Rows lie 1.8 mm apart and keep 0.1 mm of card between their holes.
    const Case cases[] = {{"svg", "1.8", 2}, {"dxf", "1.75", 2}, {"svg", "1.7", 0}, {"dxf", "1.2", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.command << " " << c.hole);
        const QString out = dir.filePath(QStringLiteral("card.") + QLatin1String(c.command));
        QFile::remove(out);
        const CliResult result = RunZembra({QLatin1String(c.command), Fixture("abc2midi-tune.mid"), QStringLiteral("-o"),
                                            out, QStringLiteral("--hole-mm"), QLatin1String(c.hole)});
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
        EXPECT_EQ(QFile::exists(out), c.exitCode == 0);
        if (c.exitCode != 0) {
            EXPECT_TRUE(result.err.contains(QLatin1String(c.hole) + QStringLiteral(" mm"))) << result.err.toStdString();
            EXPECT_TRUE(result.err.contains(QStringLiteral("1.8 mm apart"))) << result.err.toStdString();
            EXPECT_TRUE(result.err.contains(QStringLiteral("1.7 mm or less"))) << result.err.toStdString();
        }
    }
}

} // namespace
} // namespace zembra
