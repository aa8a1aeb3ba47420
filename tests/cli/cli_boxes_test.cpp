// The command line on every box: `info` names the box and counts on it, as a brute-force count
// over the notes midicsv reads from the file; `boxes` lists the built-in boxes.
#include "cli_process.h"

#include "model/music_box.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <vector>

namespace zembra {
namespace {

struct Strike {
    int channel;
    int key;
};

// The note-ons of a file as midicsv, a reader not ours, reads them.
std::vector<Strike> StrikesByMidicsv(const QString& file)
{
    QProcess midicsv;
    midicsv.start(QStringLiteral("midicsv"), {file});
    EXPECT_TRUE(midicsv.waitForFinished(60000));
    std::vector<Strike> strikes;
    for (const QByteArray& line : midicsv.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(',');
        if (fields.size() == 6 && fields[2].trimmed() == "Note_on_c" && fields[5].trimmed().toInt() > 0) {
            strikes.push_back({fields[3].trimmed().toInt(), fields[4].trimmed().toInt()});
        }
    }
    return strikes;
}

// Runs of the built program as RunZembra makes them, a few at a time.
std::vector<CliResult> RunZembraMany(const std::vector<QStringList>& arguments)
{
    constexpr std::size_t kAtOnce = 4;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "ZEMBRA_MIDI"}) {
        environment.remove(QString::fromLatin1(name));
    }
    environment.insert(QStringLiteral("ZEMBRA_LANG"), QStringLiteral("en"));
    std::vector<CliResult> results(arguments.size());
    std::deque<std::pair<std::size_t, std::unique_ptr<QProcess>>> running;
    const auto finishOldest = [&] {
        auto& [index, process] = running.front();
        CliResult& result = results[index];
        result.finished = process->waitForFinished(120000) && process->exitStatus() == QProcess::NormalExit;
        result.exitCode = process->exitCode();
        result.out = QString::fromUtf8(process->readAllStandardOutput());
        result.err = QString::fromUtf8(process->readAllStandardError());
        running.pop_front();
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (running.size() == kAtOnce) {
            finishOldest();
        }
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral(ZEMBRA_BINARY), arguments[i]);
        running.emplace_back(i, std::move(process));
    }
    while (!running.empty()) {
        finishOldest();
    }
    return results;
}

TEST(CliBoxes, InfoCountsOnEveryBoxAtEveryTranspositionAsABruteForceCountDoes)
{
    const QString file = Fixture("comb-fit-voices.mid");
    const std::vector<Strike> strikes = StrikesByMidicsv(file);
    ASSERT_GT(strikes.size(), 50u);
    for (const MusicBox& box : BuiltInBoxes()) {
        SCOPED_TRACE(box.id);
        std::vector<QStringList> arguments;
        for (int t = -12; t <= 12; ++t) {
            arguments.push_back({QStringLiteral("info"), QStringLiteral("--json"), QStringLiteral("--box"),
                                 QString::fromStdString(box.id), QStringLiteral("--transpose=%1").arg(t), file});
        }
        const std::vector<CliResult> results = RunZembraMany(arguments);
        int covered = 0;
        for (int t = -12; t <= 12; ++t) {
            const CliResult& run = results[static_cast<std::size_t>(t + 12)];
            ASSERT_TRUE(run.finished);
            ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
            const QJsonObject info = QJsonDocument::fromJson(run.out.toUtf8()).object();
            int importable = 0;
            int notImportable = 0;
            for (const Strike& strike : strikes) {
                // The drum channel is left out unless --drums keeps it.
                if (strike.channel == 9) {
                    continue;
                }
                const bool onBox =
                    std::find(box.notes.begin(), box.notes.end(), strike.key + t) != box.notes.end();
                ++(onBox ? importable : notImportable);
            }
            EXPECT_EQ(info[QStringLiteral("box")].toString().toStdString(), box.id) << t;
            EXPECT_EQ(info[QStringLiteral("boxName")].toString().toStdString(), box.name) << t;
            EXPECT_EQ(info[QStringLiteral("transposition")].toInt(), t);
            EXPECT_EQ(info[QStringLiteral("importable")].toInt(), importable) << t;
            EXPECT_EQ(info[QStringLiteral("notImportable")].toInt(), notImportable) << t;
            covered += importable > 0 && notImportable > 0 ? 1 : 0;
        }
        EXPECT_GT(covered, 12) << "the file reaches past the box at most transpositions";
    }
}

TEST(CliBoxes, InfoNamesTheBoxInItsPlainReport)
{
    const CliResult plain = RunZembra({QStringLiteral("info"), QStringLiteral("--box"), QStringLiteral("30f"),
                                       Fixture("cli-info.mid")});
    ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
    EXPECT_TRUE(plain.out.contains(QRegularExpression(QStringLiteral("\\n  music box +30F \\(30-note in F\\)\\n"))))
        << plain.out.toStdString();
    const CliResult japanese = RunZembra({QStringLiteral("info"), Fixture("cli-info.mid")}, QDir::currentPath(),
                                         QStringLiteral("ja"));
    EXPECT_TRUE(japanese.out.contains(QRegularExpression(QStringLiteral("オルゴール +33 \\(33-note\\)"))))
        << japanese.out.toStdString();
}

TEST(CliBoxes, BoxesListsTheBuiltInBoxesWithTheirNotesAndSizes)
{
    const CliResult json = RunZembra({QStringLiteral("boxes"), QStringLiteral("--json")});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonArray listed = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(listed.size(), static_cast<qsizetype>(BuiltInBoxes().size()));
    const CliResult text = RunZembra({QStringLiteral("boxes")});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    // The table's rows, as a reader splits them at runs of spaces.
    QStringList rows = text.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), listed.size() + 1) << text.out.toStdString();
    EXPECT_TRUE(rows[0].contains(QStringLiteral("shortest repeat mm")));
    struct Expected {
        const char* id;
        int notes;
        const char* range;
        double strip;
        double firstRow;
        double pitch;
        double hole;
        double repeat;
        double perTurn;
        const char* row; // the plain table's row
    };
    const Expected expected[] = {
        {"33", 33, "C4-A6", 69.6, 6.0, 1.8, 1.7, 8.0, 600.0 / 106, "33 33-note 33 C4-A6 69.6 6 1.8 1.7 8 5.66"},
        {"30F", 30, "F3-A6", 70.0, 6.0, 2.0, 1.8, 7.25, 300.0 / 45.5, "30F 30-note in F 30 F3-A6 70 6 2 1.8 7.25 6.59"},
        {"30", 30, "C3-E6", 70.0, 6.0, 2.0, 1.8, 7.25, 300.0 / 45.5, "30 30-note in C 30 C3-E6 70 6 2 1.8 7.25 6.59"},
        {"20", 20, "C4-A6", 70.0, 6.5, 3.0, 2.4, 7.0, 300.0 / 53, "20 20-note 20 C4-A6 70 6.5 3 2.4 7 5.66"},
        {"15", 15, "C4-C6", 41.0, 6.5, 2.0, 1.8, 8.0, 300.0 / 49, "15 15-note 15 C4-C6 41 6.5 2 1.8 8 6.12"},
    };
    for (qsizetype i = 0; i < listed.size(); ++i) {
        const Expected& e = expected[i];
        SCOPED_TRACE(e.id);
        const QJsonObject box = listed[i].toObject();
        EXPECT_EQ(box[QStringLiteral("id")].toString(), QLatin1String(e.id));
        EXPECT_EQ(box[QStringLiteral("noteCount")].toInt(), e.notes);
        EXPECT_EQ(box[QStringLiteral("notes")].toArray().size(), e.notes);
        EXPECT_EQ(box[QStringLiteral("range")].toString(), QLatin1String(e.range));
        EXPECT_DOUBLE_EQ(box[QStringLiteral("stripWidthMm")].toDouble(), e.strip);
        EXPECT_DOUBLE_EQ(box[QStringLiteral("firstRowMm")].toDouble(), e.firstRow);
        EXPECT_DOUBLE_EQ(box[QStringLiteral("rowPitchMm")].toDouble(), e.pitch);
        EXPECT_DOUBLE_EQ(box[QStringLiteral("holeMm")].toDouble(), e.hole);
        EXPECT_DOUBLE_EQ(box[QStringLiteral("shortestRepeatMm")].toDouble(), e.repeat);
        EXPECT_DOUBLE_EQ(box[QStringLiteral("paperPerTurnMm")].toDouble(), e.perTurn);
        EXPECT_EQ(rows[i + 1].simplified(), QLatin1String(e.row));
    }
    const CliResult withFile = RunZembra({QStringLiteral("boxes"), Fixture("cli-info.mid")});
    EXPECT_EQ(withFile.exitCode, 2);
    EXPECT_TRUE(withFile.out.isEmpty());
    EXPECT_TRUE(withFile.err.contains(QStringLiteral("takes no file"))) << withFile.err.toStdString();
}

} // namespace
} // namespace zembra
