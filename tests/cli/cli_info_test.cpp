// `zembra info` on a fixture whose counts were worked out by hand (tests/data/midi/README.md).
#include "cli_process.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zembra {
namespace {

QJsonObject JsonOf(const CliResult& result)
{
    return QJsonDocument::fromJson(result.out.toUtf8()).object();
}

struct HandCase {
    const char* name;
    QStringList options;
    int transposition;
    int importable;
    int notImportable;
    int placed;
    int bars;
    int barLengthMm;
    int tooClose;
};

TEST(CliInfo, HandCheckedCountsOfTheCsvmidiFixture)
{
    const HandCase cases[] = {
        {"defaults", {}, 0, 7, 3, 7, 24, 50, 2},
        {"short bars", {"--bar-mm", "15"}, 0, 7, 3, 7, 24, 15, 3},
        {"up a semitone", {"--transpose", "+1"}, 1, 7, 3, 7, 24, 50, 2},
        // 93 and 100 come down onto rows, 60, 61, 62 and 59 fall below the comb.
        {"down an octave", {"--transpose=-12"}, -12, 5, 5, 5, 24, 50, 1},
        // One bar (96 pixels): the note at tick 384 starts bar 2 and falls off the canvas.
        {"one bar", {"--bars", "1"}, 0, 7, 3, 4, 1, 50, 1},
    };
    for (const HandCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CliResult result =
            RunZembra(QStringList{QStringLiteral("info"), QStringLiteral("--json"), Fixture("cli-info.mid")} + c.options);
        ASSERT_TRUE(result.finished);
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        const QJsonObject info = JsonOf(result);
        EXPECT_EQ(info[QStringLiteral("file")].toString(), Fixture("cli-info.mid"));
        EXPECT_EQ(info[QStringLiteral("format")].toInt(), 1);
        EXPECT_EQ(info[QStringLiteral("tracks")].toInt(), 2);
        EXPECT_EQ(info[QStringLiteral("resolution")].toInt(), 96);
        EXPECT_EQ(info[QStringLiteral("tempo")].toInt(), 750000);
        EXPECT_EQ(info[QStringLiteral("bpm")].toInt(), 80);
        EXPECT_EQ(info[QStringLiteral("timeSignature")].toString(), QStringLiteral("4/4"));
        EXPECT_EQ(info[QStringLiteral("beatsPerBar")].toInt(), 4);
        EXPECT_EQ(info[QStringLiteral("key")].toString(), QStringLiteral("Gm"));
        EXPECT_EQ(info[QStringLiteral("transposition")].toInt(), c.transposition);
        EXPECT_EQ(info[QStringLiteral("importable")].toInt(), c.importable);
        EXPECT_EQ(info[QStringLiteral("notImportable")].toInt(), c.notImportable);
        EXPECT_EQ(info[QStringLiteral("placed")].toInt(), c.placed);
        EXPECT_EQ(info[QStringLiteral("bars")].toInt(), c.bars);
        EXPECT_EQ(info[QStringLiteral("pieceBars")].toInt(), 2);
        EXPECT_FALSE(info[QStringLiteral("barsClipped")].toBool());
        EXPECT_EQ(info[QStringLiteral("barLengthMm")].toInt(), c.barLengthMm);
        EXPECT_EQ(info[QStringLiteral("tooClose")].toInt(), c.tooClose);
        EXPECT_FALSE(info[QStringLiteral("ownFile")].toBool());
        EXPECT_EQ(info[QStringLiteral("title")].toString(), QStringLiteral("cli-info(imported)"));
        EXPECT_EQ(info[QStringLiteral("author")].toString(), QStringLiteral("<non>"));
        EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    }
}

TEST(CliInfo, SeveralFilesGiveAnArrayInTheirOrderWithTheFailedOnesAsErrors)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.mid"));
    const CliResult result = RunZembra({QStringLiteral("info"), QStringLiteral("--json"), Fixture("cli-info.mid"), missing,
                                        Fixture("abc2midi-tune.mid")});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 1);
    const QJsonArray records = QJsonDocument::fromJson(result.out.toUtf8()).array();
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[0].toObject()[QStringLiteral("importable")].toInt(), 7);
    EXPECT_EQ(records[1].toObject()[QStringLiteral("file")].toString(), missing);
    EXPECT_FALSE(records[1].toObject()[QStringLiteral("error")].toString().isEmpty());
    EXPECT_FALSE(records[1].toObject().contains(QStringLiteral("importable")));
    EXPECT_EQ(records[2].toObject()[QStringLiteral("importable")].toInt(), 20);
    EXPECT_TRUE(result.err.contains(missing)) << result.err.toStdString();
}

struct TextCase {
    const char* language;
    std::vector<const char*> lines; // each must appear in the report
};

TEST(CliInfo, ThePlainReportSpeaksTheChosenLanguage)
{
    const TextCase cases[] = {
        {"en", {"importable notes", "not importable", "too close at 50 mm a bar", "cli-info(imported)"}},
        {"ja", {"取り込める音符", "取り込めない音符", "近すぎる音符（50 mm/小節）", "cli-info(Zembra)"}},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.language);
        const CliResult result =
            RunZembra({QStringLiteral("info"), Fixture("cli-info.mid")}, QDir::currentPath(), QString::fromLatin1(c.language));
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        for (const char* line : c.lines) {
            EXPECT_TRUE(result.out.contains(QString::fromUtf8(line))) << line << "\n" << result.out.toStdString();
        }
    }
}

} // namespace
} // namespace zembra
