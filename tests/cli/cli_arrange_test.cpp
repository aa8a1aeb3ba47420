// Arranging for the box from the command line, measured from outside: the song that
// `song --arrange --bar-mm auto` writes is read back through midicsv by arrange_probe.py, which
// finds the melody and the bass of the original file by their definitions, knowing nothing of
// the arranger.
#include "canvas/hole_mend.h"
#include "card/card_pdf.h"
#include "cli/song_source.h"
#include "cli_process.h"
#include "document/song_file_save.h"
#include "midi/midi_file.h"
#include "midi/midi_track.h"
#include "model/music_box.h"
#include "model/too_close.h"
#include "services/file_name.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace zembra {
namespace {

// What arrange_probe.py measures of `song` against `original`; an empty object when it failed.
QJsonObject Probe(const QString& original, const QString& song, const QString& boxes, int maxChord = 4)
{
    QProcess process;
    process.start(QStringLiteral("python3"), {QStringLiteral(ZEMBRA_CLI_TESTS "/arrange_probe.py"), original, song,
                                              boxes, QString::number(maxChord)});
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << process.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

// The built-in boxes as `zembra boxes --json` lists them, in a file for the probe.
QString BoxesFile(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("boxes.json"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(RunZembra({QStringLiteral("boxes"), QStringLiteral("--json")}).out.toUtf8());
    return path;
}

double Share(const QJsonObject& probe, const char* part, const char* whole)
{
    const int of = probe[QLatin1String(whole)].toInt();
    return of == 0 ? 1.0 : probe[QLatin1String(part)].toDouble() / of;
}

// The same file fitted to the comb (Fit to comb with the fold) and mended at `barLengthMm`, as
// the window would leave it, written as a song file.
QString FitAndMend(const QString& input, const char* box, int barLengthMm, const QString& output)
{
    ImportChoices choices;
    choices.fitTransposition = true;
    choices.fitMetrics = PdfPaperMetrics();
    choices.options.foldOctaves = true;
    choices.box = *FindBuiltInBox(box);
    SongSource source;
    QString error;
    EXPECT_TRUE(source.Load(input, choices, true, &error)) << error.toStdString();
    SongState& song = source.song();
    song.barLengthMm = barLengthMm;
    MendCloseHoles(song, MinHoleDistance(song, PrintMetrics{}));
    MidiFile file;
    MidiTrack track;
    const SongWriteResult written =
        SaveSongFile(file, track, song, "fit", static_cast<std::uint32_t>(song.tempo), FileNameBytes(output));
    EXPECT_EQ(written.status, SongWriteStatus::Written);
    return output;
}

struct MeasuredRow {
    const char* fixture;
    const char* box;
};

class CliArrangeMeasured : public testing::TestWithParam<MeasuredRow> {};

// Every note playable, the melody and the bass kept, never fewer melody notes than fitting and
// mending keep, and the same bytes from two runs.
TEST_P(CliArrangeMeasured, KeepsTheTuneAndPlaysEveryNote)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString boxes = BoxesFile(dir);
    const QString input = Fixture(GetParam().fixture);
    const QString box = QLatin1String(GetParam().box);
    QStringList outputs;
    for (const char* name : {"first.mid", "second.mid"}) {
        outputs << dir.filePath(QLatin1String(name));
        const CliResult run = RunZembra({QStringLiteral("song"), QStringLiteral("--arrange"), QStringLiteral("--bar-mm"),
                                         QStringLiteral("auto"), QStringLiteral("--box"), box, input,
                                         QStringLiteral("-o"), outputs.back()});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    }
    const QByteArray bytes = Contents(outputs[0]);
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_EQ(bytes, Contents(outputs[1])) << "two runs, two different songs";

    const QJsonObject arranged = Probe(input, outputs[0], boxes);
    ASSERT_FALSE(arranged.isEmpty());
    const std::string seen = QJsonDocument(arranged).toJson(QJsonDocument::Compact).toStdString();
    EXPECT_EQ(arranged[QStringLiteral("box")].toString(), box == QLatin1String("33") ? QStringLiteral("33") : box);
    EXPECT_GE(arranged[QStringLiteral("melodyOnsets")].toInt(), 20) << seen;
    EXPECT_EQ(arranged[QStringLiteral("offComb")].toInt(), 0) << seen;
    EXPECT_EQ(arranged[QStringLiteral("tooClose")].toInt(), 0) << seen;
    EXPECT_EQ(arranged[QStringLiteral("semitonePairs")].toInt(), 0) << seen;
    EXPECT_EQ(arranged[QStringLiteral("overChord")].toInt(), 0) << seen;
    EXPECT_EQ(arranged[QStringLiteral("doubled")].toInt(), 0) << seen;
    EXPECT_GE(Share(arranged, "melodyKept", "melodyOnsets"), 0.95) << seen;
    EXPECT_GE(Share(arranged, "melodyOnTop", "melodyOnsets"), 0.90) << seen;
    EXPECT_GE(Share(arranged, "bassKept", "bassBeats"), 0.80) << seen;

    const int barLengthMm = arranged[QStringLiteral("barLengthMm")].toInt();
    ASSERT_GT(barLengthMm, 0) << seen;
    const QString fitted = FitAndMend(input, GetParam().box, barLengthMm, dir.filePath(QStringLiteral("fit.mid")));
    const QJsonObject mended = Probe(input, fitted, boxes);
    ASSERT_FALSE(mended.isEmpty());
    EXPECT_GE(arranged[QStringLiteral("melodyKept")].toInt(), mended[QStringLiteral("melodyKept")].toInt())
        << seen << "\nfitted and mended: " << QJsonDocument(mended).toJson(QJsonDocument::Compact).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    CliArrange, CliArrangeMeasured,
    // Not comb-fit-voices on the 15-note box: its melody holds a C sharp, a pitch class that box lacks.
    testing::Values(MeasuredRow{"arrange-piano.mid", "33"}, MeasuredRow{"arrange-piano.mid", "30"},
                    MeasuredRow{"arrange-piano.mid", "15"}, MeasuredRow{"arrange-band.mid", "33"},
                    MeasuredRow{"arrange-band.mid", "30"}, MeasuredRow{"arrange-band.mid", "15"},
                    MeasuredRow{"arrange-repeats.mid", "33"}, MeasuredRow{"arrange-repeats.mid", "30"},
                    MeasuredRow{"comb-fit-voices.mid", "33"}, MeasuredRow{"comb-fit-voices.mid", "30"},
                    MeasuredRow{"abc2midi-tune.mid", "33"}, MeasuredRow{"abc2midi-tune.mid", "15"}),
    [](const auto& testInfo) {
        QString name = QString::fromLatin1(testInfo.param.fixture).section('.', 0, 0) + QStringLiteral("_box") +
                       QLatin1String(testInfo.param.box);
        return name.remove('-').toStdString();
    });

// info --arrange --json: the transposition, the melody track, the counts and one entry per change,
// in words that are the same in every language; the text lists the same changes.
TEST(CliArrange, InfoGivesTheChangeList)
{
    const QString input = Fixture("arrange-band.mid");
    const CliResult json = RunZembra({QStringLiteral("info"), QStringLiteral("--arrange"), QStringLiteral("--json"),
                                      QStringLiteral("--bar-mm"), QStringLiteral("auto"), input});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject record = QJsonDocument::fromJson(json.out.toUtf8()).object();
    const QJsonObject arrange = record[QStringLiteral("arrange")].toObject();
    ASSERT_FALSE(arrange.isEmpty()) << json.out.toStdString();
    // The melody (track 2 of the file: the meta track comes first) has the most onsets.
    EXPECT_EQ(arrange[QStringLiteral("melodyTrack")].toInt(), 2);
    EXPECT_EQ(arrange[QStringLiteral("shortestBarLengthMm")].toInt(), record[QStringLiteral("barLengthMm")].toInt());
    EXPECT_EQ(record[QStringLiteral("tooClose")].toInt(), 0);
    const QJsonObject counts = arrange[QStringLiteral("counts")].toObject();
    for (const char* key : {"melodyNotes", "melodyKept", "melodyOnTop", "bassBeats", "bassKept"}) {
        EXPECT_TRUE(counts[QLatin1String(key)].isDouble()) << key;
    }
    EXPECT_LE(counts[QStringLiteral("melodyOnTop")].toInt(), counts[QStringLiteral("melodyKept")].toInt());
    EXPECT_LE(counts[QStringLiteral("melodyKept")].toInt(), counts[QStringLiteral("melodyNotes")].toInt());
    const QJsonArray changes = arrange[QStringLiteral("changes")].toArray();
    ASSERT_FALSE(changes.isEmpty());
    EXPECT_EQ(counts[QStringLiteral("changes")].toInt(), changes.size());
    const std::set<QString> kinds = {QStringLiteral("movedOctave"), QStringLiteral("replaced"), QStringLiteral("dropped")};
    const std::set<QString> reasons = {QStringLiteral("offComb"),   QStringLiteral("tooClose"),
                                       QStringLiteral("semitone"),  QStringLiteral("chordFull"),
                                       QStringLiteral("aboveMelody"), QStringLiteral("canvasFull"),
                                       QStringLiteral("doubled")};
    const int resolution = record[QStringLiteral("resolution")].toInt();
    const int transposition = arrange[QStringLiteral("transposition")].toInt();
    for (const QJsonValue& value : changes) {
        const QJsonObject change = value.toObject();
        const int tick = change[QStringLiteral("tick")].toInt();
        EXPECT_EQ(change[QStringLiteral("bar")].toInt(), tick / (4 * resolution) + 1);
        EXPECT_EQ(change[QStringLiteral("beat")].toInt(), tick % (4 * resolution) / resolution + 1);
        EXPECT_EQ(change[QStringLiteral("fromPitch")].toInt(), change[QStringLiteral("key")].toInt() + transposition);
        const QString kind = change[QStringLiteral("change")].toString();
        EXPECT_TRUE(kinds.count(kind)) << kind.toStdString();
        EXPECT_TRUE(reasons.count(change[QStringLiteral("reason")].toString()));
        EXPECT_EQ(change[QStringLiteral("toPitch")].isNull(), kind == QLatin1String("dropped"));
        if (kind != QLatin1String("dropped")) {
            EXPECT_EQ((change[QStringLiteral("toPitch")].toInt() - change[QStringLiteral("fromPitch")].toInt()) % 12, 0);
        }
        EXPECT_TRUE(change[QStringLiteral("melody")].isBool());
    }

    const CliResult text = RunZembra({QStringLiteral("info"), QStringLiteral("--arrange"), QStringLiteral("--bar-mm"),
                                      QStringLiteral("auto"), input});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.contains(QStringLiteral("arrangement"))) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains(QStringLiteral("of %1 melody notes kept").arg(counts[QStringLiteral("melodyNotes")].toInt())));
    EXPECT_TRUE(text.out.contains(QStringLiteral("Bar.beat")));
    EXPECT_TRUE(text.out.contains(QStringLiteral("(the shortest at which the melody keeps its notes)")));
    EXPECT_EQ(text.out.count(QStringLiteral("dropped")) + text.out.count(QStringLiteral("replaced")) +
                  text.out.count(QStringLiteral("moved by an octave")),
              changes.size());
}

// The choices reach the arranger: a melody track, a transposition, a smaller chord limit.
TEST(CliArrange, TakesTheMelodyTrackTranspositionAndChordLimit)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString input = Fixture("arrange-band.mid");
    const CliResult run = RunZembra({QStringLiteral("info"), QStringLiteral("--arrange"), QStringLiteral("--json"),
                                     QStringLiteral("--melody-track"), QStringLiteral("4"),
                                     QStringLiteral("--transpose"), QStringLiteral("-2"), input});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject arrange = QJsonDocument::fromJson(run.out.toUtf8()).object()[QStringLiteral("arrange")].toObject();
    EXPECT_EQ(arrange[QStringLiteral("melodyTrack")].toInt(), 4);
    EXPECT_EQ(arrange[QStringLiteral("transposition")].toInt(), -2);

    const QString output = dir.filePath(QStringLiteral("two.mid"));
    const CliResult two = RunZembra({QStringLiteral("song"), QStringLiteral("--arrange"), QStringLiteral("--max-chord"),
                                     QStringLiteral("2"), input, QStringLiteral("-o"), output});
    ASSERT_EQ(two.exitCode, 0) << two.err.toStdString();
    const QJsonObject probe = Probe(input, output, BoxesFile(dir), 2);
    EXPECT_EQ(probe[QStringLiteral("overChord")].toInt(), 0);
    EXPECT_GT(probe[QStringLiteral("notes")].toInt(), probe[QStringLiteral("melodyOnsets")].toInt());

    // A bar length given is the one arranged at: nothing is too close at it.
    const CliResult at20 = RunZembra({QStringLiteral("info"), QStringLiteral("--arrange"), QStringLiteral("--json"),
                                      QStringLiteral("--bar-mm"), QStringLiteral("20"), input});
    ASSERT_EQ(at20.exitCode, 0) << at20.err.toStdString();
    const QJsonObject record = QJsonDocument::fromJson(at20.out.toUtf8()).object();
    EXPECT_EQ(record[QStringLiteral("barLengthMm")].toInt(), 20);
    EXPECT_EQ(record[QStringLiteral("tooClose")].toInt(), 0);
    EXPECT_FALSE(record[QStringLiteral("arrange")].toObject().contains(QStringLiteral("shortestBarLengthMm")));

    // The card and the cutter's drawing arrange as the song does.
    for (const auto& [command, extension] : {std::pair{"card", "pdf"}, std::pair{"svg", "svg"}}) {
        const QString drawn = dir.filePath(QStringLiteral("drawn.") + QLatin1String(extension));
        const CliResult made = RunZembra({QLatin1String(command), QStringLiteral("--arrange"),
                                          QStringLiteral("--bar-mm"), QStringLiteral("auto"), input,
                                          QStringLiteral("-o"), drawn});
        EXPECT_EQ(made.exitCode, 0) << command << made.err.toStdString();
        EXPECT_GT(QFileInfo(drawn).size(), 0) << command;
    }
}

struct RefusalRow {
    const char* name;
    QStringList arguments;
    int exitCode;
    const char* says;
};

class CliArrangeRefusal : public testing::TestWithParam<RefusalRow> {};

TEST_P(CliArrangeRefusal, SaysWhatIsWrong)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QStringList arguments = GetParam().arguments;
    arguments.replaceInStrings(QStringLiteral("IN"), Fixture("arrange-piano.mid"));
    arguments.replaceInStrings(QStringLiteral("OUT"), dir.filePath(QStringLiteral("out.mid")));
    const CliResult run = RunZembra(arguments);
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QLatin1String(GetParam().says))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("out.mid"))));
}

INSTANTIATE_TEST_SUITE_P(
    CliArrange, CliArrangeRefusal,
    testing::Values(
        RefusalRow{"AutoBarWithoutArrange", {"song", "--bar-mm", "auto", "IN", "-o", "OUT"}, 2, "give --arrange too"},
        RefusalRow{"AutoBarOnTheCard", {"card", "--bar-mm", "auto", "IN", "-o", "OUT"}, 2, "give --arrange too"},
        RefusalRow{"BarNotANumber", {"song", "--arrange", "--bar-mm", "long", "IN", "-o", "OUT"}, 2, "--bar-mm"},
        RefusalRow{"ChordOverSix", {"song", "--arrange", "--max-chord", "7", "IN", "-o", "OUT"}, 2, "--max-chord"},
        RefusalRow{"NoTrackZero", {"song", "--arrange", "--melody-track", "0", "IN", "-o", "OUT"}, 2, "--melody-track"},
        RefusalRow{"TrackTheFileLacks",
                   {"song", "--arrange", "--melody-track", "9", "IN", "-o", "OUT"},
                   1,
                   "--melody-track names track 9, but the file has 3 tracks"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
} // namespace zembra
