// What `info` says of the crank, against a hand computation over the file as midicsv reads it.
#include "cli_process.h"

#include "model/music_box.h"

#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zembra {
namespace {

struct FileByHand {
    int resolution = 0;
    double tempo = 500000;    // the first tempo, microseconds a quarter
    long lastPlayable = -1;   // the tick of the last note-on the 33-note comb plays
};

FileByHand ReadByMidicsv(const QString& file)
{
    QProcess midicsv;
    midicsv.start(QStringLiteral("midicsv"), {file});
    EXPECT_TRUE(midicsv.waitForFinished(60000));
    FileByHand facts;
    bool tempoSeen = false;
    const std::vector<int>& comb = DefaultBox().notes;
    for (const QByteArray& line : midicsv.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> f = line.split(',');
        if (f.size() < 3) {
            continue;
        }
        const QByteArray kind = f[2].trimmed();
        if (kind == "Header") {
            facts.resolution = f[5].trimmed().toInt();
        } else if (kind == "Tempo" && !tempoSeen) {
            facts.tempo = f[3].trimmed().toDouble();
            tempoSeen = true;
        } else if (kind == "Note_on_c" && f[5].trimmed().toInt() > 0 &&
                   std::binary_search(comb.begin(), comb.end(), f[4].trimmed().toInt())) {
            facts.lastPlayable = std::max(facts.lastPlayable, f[1].trimmed().toLong());
        }
    }
    return facts;
}

class Crank : public testing::TestWithParam<const char*> {};

TEST_P(Crank, TurnsTimeAndLengthAreTheHandsFigures)
{
    const QString file = Fixture(GetParam());
    const CliResult run = RunZembra({QStringLiteral("info"), QStringLiteral("--json"), QStringLiteral("--bar-mm"),
                                     QStringLiteral("50"), file});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    const FileByHand facts = ReadByMidicsv(file);
    ASSERT_GT(facts.resolution, 0);
    ASSERT_GE(facts.lastPlayable, 0);
    const int beats = json[QStringLiteral("beatsPerBar")].toInt();
    // 24 pixels a quarter; the last note is 8 pixels long and the music ends with its bar.
    const long lastRight = facts.lastPlayable * 24 / facts.resolution + 8;
    const long bars = (lastRight + 24 * beats - 1) / (24 * beats);
    const double turns = 60.0e6 / facts.tempo / beats * 50.0 / (600.0 / 106.0);
    EXPECT_NEAR(json[QStringLiteral("crankTurnsPerMinute")].toDouble(), turns, 1e-6);
    EXPECT_EQ(json[QStringLiteral("crankTooFast")].toBool(), turns > 180.0);
    EXPECT_NEAR(json[QStringLiteral("playingSeconds")].toDouble(), bars * beats * facts.tempo / 1.0e6, 1e-6);
    EXPECT_NEAR(json[QStringLiteral("cardLengthM")].toDouble(), (20.0 + bars * 50.0) / 1000.0, 1e-9);

    const CliResult text = RunZembra({QStringLiteral("info"), QStringLiteral("--bar-mm"), QStringLiteral("50"), file});
    EXPECT_TRUE(text.out.contains(QString::number(turns, 'f', 0) + QStringLiteral(" turns a minute")))
        << text.out.toStdString();
    EXPECT_EQ(text.out.contains(QStringLiteral("too fast for a hand")), turns > 180.0);
}

// 80 beats a minute in 4/4 (177 turns), 150 in 3/4 (442) and 120 in 4/4 (265: the hand's limit is
// passed).
INSTANTIATE_TEST_SUITE_P(Fixtures, Crank, testing::Values("cli-info.mid", "csvmidi-format1.mid", "box-card.mid"),
                         [](const auto& testInfo) {
                             std::string name = testInfo.param;
                             name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }), name.end());
                             return name;
                         });

} // namespace
} // namespace zembra
