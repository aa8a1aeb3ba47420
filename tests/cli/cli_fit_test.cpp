// The command line's fit of a file to the comb: --transpose auto, --fold and --no-drums, run
// through the built program and compared with the fit and the counts computed here.
#include "cli_process.h"

#include "import/import_options.h"

#include "import/comb_fit.h"
#include "import/import_placement.h"
#include "import/import_settings.h"
#include "model/song_state.h"
#include "import/imported_file.h"
#include "import/canvas_settings_rules.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zembra {
namespace {

QJsonObject InfoJson(const QStringList& extra)
{
    const CliResult run = RunZembra(QStringList{QStringLiteral("info"), QStringLiteral("--json")} + extra);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

// The file as the import dialog ranks it: its opening grid, confirmed unchanged.
struct InProcess {
    ImportedFile file;
    SongState song;
    FitRequest request;

    explicit InProcess(const char* name, const ImportOptions& options)
    {
        EXPECT_TRUE(file.Read(QFile::encodeName(Fixture(name)).toStdString()));
        song.ResetSong();
        const FileFacts facts = file.Facts("x");
        const ImportSettings p = MakeImportSettings(facts, CountImportable(file.tracks(), song, 0));
        const SettingsValues v = ConfirmedUnchanged({p.beatsPerBar, p.barCount, p.barLengthMm, p.pixelsPerQuarter, 0});
        request.resolution = facts.resolution;
        request.options = options;
        request.grid = {v.beatsPerBar, v.barCount, v.barLengthMm, v.pixelsPerQuarter};
        request.key = FileKeyFromKeySignature(file.KeySignature());
    }
};

struct Case {
    const char* fixture;
    bool fold;
    bool noDrums;
};

const Case kCases[] = {
    {"comb-fit-voices.mid", false, false}, {"comb-fit-voices.mid", true, false}, {"comb-fit-voices.mid", false, true},
    {"comb-fit-voices.mid", true, true},   {"abc2midi-tune.mid", false, false},  {"cli-info.mid", true, false},
    {"csvmidi-format1.mid", false, false}, {"roll-edit.mid", false, true},
};

QStringList OptionArguments(const Case& c)
{
    QStringList arguments;
    if (c.fold) {
        arguments << QStringLiteral("--fold");
    }
    // The command line leaves the drums out unless asked to keep them.
    arguments << (c.noDrums ? QStringLiteral("--no-drums") : QStringLiteral("--drums"));
    return arguments;
}

TEST(CliFit, AutoTakesTheRankingsBestAndPrintsEveryRow)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.fixture) + (c.fold ? " fold" : "") + (c.noDrums ? " no-drums" : ""));
        const ImportOptions options{c.fold, c.noDrums};
        InProcess here(c.fixture, options);
        const std::vector<FitRow> expected = RankTranspositions(here.file.tracks(), here.song, here.request);
        const QJsonObject json =
            InfoJson(QStringList{Fixture(c.fixture), QStringLiteral("--transpose"), QStringLiteral("auto")} +
                     OptionArguments(c));
        const QJsonArray ranking = json[QStringLiteral("ranking")].toArray();
        ASSERT_EQ(ranking.size(), 25);
        ASSERT_EQ(expected.size(), 25U);
        EXPECT_EQ(json[QStringLiteral("transposition")].toInt(), expected.front().transposition);
        for (qsizetype i = 0; i < ranking.size(); ++i) {
            const QJsonObject row = ranking[i].toObject();
            const FitRow& want = expected[static_cast<std::size_t>(i)];
            EXPECT_EQ(row[QStringLiteral("transposition")].toInt(), want.transposition) << i;
            EXPECT_EQ(row[QStringLiteral("importable")].toInt(), want.importable) << i;
            EXPECT_EQ(row[QStringLiteral("notImportable")].toInt(), want.notImportable) << i;
            EXPECT_EQ(row[QStringLiteral("tooClose")].toInt(), want.tooClose) << i;
            EXPECT_EQ(row[QStringLiteral("key")].toString().toStdString(),
                      TransposedKeyName(here.request.key, want.transposition, Language::English))
                << i;
        }
        // The counts of the chosen shift are those of the dialog under the options.
        const ImportCounts counts =
            CountImportable(here.file.tracks(), here.song, expected.front().transposition, false, options);
        EXPECT_EQ(json[QStringLiteral("importable")].toInt(), counts.importable);
        EXPECT_EQ(json[QStringLiteral("notImportable")].toInt(), counts.notImportable);
    }
}

TEST(CliFit, TheFirstRowBeatsEveryShiftChosenByHand)
{
    for (const Case& c : {kCases[0], kCases[3], kCases[4]}) {
        SCOPED_TRACE(c.fixture);
        const QJsonObject fitted =
            InfoJson(QStringList{Fixture(c.fixture), QStringLiteral("--transpose"), QStringLiteral("auto")} +
                     OptionArguments(c));
        FitRow best;
        bool first = true;
        for (int t = -12; t <= 12; ++t) {
            const QJsonObject json =
                InfoJson(QStringList{Fixture(c.fixture), QStringLiteral("--transpose"), QString::number(t)} +
                         OptionArguments(c));
            const FitRow row{t, json[QStringLiteral("importable")].toInt(), json[QStringLiteral("notImportable")].toInt(),
                             json[QStringLiteral("tooClose")].toInt(), 0};
            EXPECT_FALSE(json.contains(QStringLiteral("ranking")));
            if (first || FitsBetter(row, best)) {
                best = row;
                first = false;
            }
        }
        const QJsonObject top = fitted[QStringLiteral("ranking")].toArray().first().toObject();
        EXPECT_EQ(fitted[QStringLiteral("transposition")].toInt(), best.transposition);
        EXPECT_EQ(top[QStringLiteral("importable")].toInt(), best.importable);
        EXPECT_EQ(top[QStringLiteral("notImportable")].toInt(), best.notImportable);
        EXPECT_EQ(top[QStringLiteral("tooClose")].toInt(), best.tooClose);
        EXPECT_EQ(fitted[QStringLiteral("tooClose")].toInt(), best.tooClose);
    }
}

TEST(CliFit, SongAutoWritesTheNotesOfTheChosenShift)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const Case& c : {kCases[0], kCases[3], kCases[4]}) {
        SCOPED_TRACE(c.fixture);
        const int shift = InfoJson(QStringList{Fixture(c.fixture), QStringLiteral("--transpose"), QStringLiteral("auto")} +
                                   OptionArguments(c))[QStringLiteral("transposition")]
                              .toInt();
        const QString fitted = folder.path() + QStringLiteral("/fitted.mid");
        const QString byHand = folder.path() + QStringLiteral("/by-hand.mid");
        for (const auto& [value, output] : {std::pair{QStringLiteral("auto"), fitted}, {QString::number(shift), byHand}}) {
            const CliResult run = RunZembra(QStringList{QStringLiteral("song"), Fixture(c.fixture), QStringLiteral("-o"),
                                                        output, QStringLiteral("--transpose"), value} +
                                            OptionArguments(c));
            EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        }
        EXPECT_FALSE(Contents(fitted).isEmpty());
        EXPECT_EQ(Contents(fitted), Contents(byHand));
    }
}

TEST(CliFit, BadTranspositionsAreUsageErrors)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString out = folder.path() + QStringLiteral("/out.mid");
    for (const char* value : {"sideways", "13", "-13", "auto2", ""}) {
        for (const QStringList& command :
             {QStringList{QStringLiteral("info")}, QStringList{QStringLiteral("song"), QStringLiteral("-o"), out}}) {
            SCOPED_TRACE(value);
            const CliResult run = RunZembra(command + QStringList{Fixture("comb-fit-voices.mid"),
                                                                  QStringLiteral("--transpose"), QString::fromUtf8(value)});
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_TRUE(run.err.contains(QStringLiteral("--transpose"))) << run.err.toStdString();
        }
    }
    EXPECT_TRUE(Entries(folder.path()).isEmpty());
}

TEST(CliFit, HelpNamesTheOptionsInBothLanguages)
{
    for (const char* language : {"en", "ja"}) {
        for (const char* command : {"info", "song", "card"}) {
            const CliResult run = RunZembra({QString::fromLatin1(command), QStringLiteral("--help")}, QDir::currentPath(),
                                            QString::fromLatin1(language));
            EXPECT_EQ(run.exitCode, 0);
            for (const char* option : {"--fold", "--no-drums", "N|auto"}) {
                EXPECT_TRUE(run.out.contains(QString::fromLatin1(option))) << language << command << option;
            }
        }
    }
}

} // namespace
} // namespace zembra
