// The command line's choice of tracks and of the drum channel: --tracks, --drums and
// --no-drums, run through the built program and compared with the counts computed here; the
// track list of `info`; and the long file whose fit ranks on every note.
#include "cli_process.h"
#include "long_file.h"

#include "import/import_options.h"
#include "import/import_placement.h"
#include "import/imported_file.h"
#include "model/song_state.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace zembra {
namespace {

CliResult Info(const QStringList& arguments)
{
    return RunZembra(QStringList{QStringLiteral("info"), QStringLiteral("--json")} + arguments);
}

QJsonObject InfoJson(const QStringList& arguments)
{
    const CliResult run = Info(arguments);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

TEST(CliTracks, InfoListsTheTracksAsTracksNumbersThem)
{
    const QJsonArray tracks =
        InfoJson({Fixture("comb-fit-voices.mid"), QStringLiteral("--tracks"), QStringLiteral("2,4")})
            [QStringLiteral("trackList")].toArray();
    ASSERT_EQ(tracks.size(), 4);
    struct Want {
        const char* name;
        QJsonArray channels;
        int notes;
        bool imported;
    };
    // As midicsv reads the file: a meta track, the melody, the bass and the drums.
    const Want want[] = {{"Zembra comb fit fixture", {}, 0, false},
                         {"Zembra comb fit fixture", {1}, 31, true},
                         {"", {2}, 22, false},
                         {"", {10}, 29, true}};
    for (qsizetype i = 0; i < tracks.size(); ++i) {
        const QJsonObject track = tracks[i].toObject();
        const Want& w = want[i];
        EXPECT_EQ(track[QStringLiteral("number")].toInt(), i + 1);
        EXPECT_EQ(track[QStringLiteral("name")].toString(), QString::fromUtf8(w.name)) << i;
        EXPECT_EQ(track[QStringLiteral("channels")].toArray(), w.channels) << i;
        EXPECT_EQ(track[QStringLiteral("notes")].toInt(), w.notes) << i;
        EXPECT_EQ(track[QStringLiteral("imported")].toBool(), w.imported) << i;
    }
    const CliResult text = RunZembra({QStringLiteral("info"), Fixture("comb-fit-voices.mid"), QStringLiteral("--tracks"),
                                      QStringLiteral("2,4")});
    EXPECT_TRUE(text.out.contains(QStringLiteral("  track list (number, name, channels, notes)\n"
                                                 "    1  Zembra comb fit fixture  (none)  0   (left out)\n"
                                                 "    2  Zembra comb fit fixture  1       31\n"
                                                 "    3  (none)                   2       22  (left out)\n"
                                                 "    4  (none)                   10      29\n")))
        << text.out.toStdString();
}

struct Choice {
    QStringList arguments;
    ImportOptions options;
};

TEST(CliTracks, TheTracksAndTheDrumsChosenAreWhatIsCounted)
{
    ImportedFile file;
    ASSERT_TRUE(file.Read(QFile::encodeName(Fixture("comb-fit-voices.mid")).toStdString()));
    auto song = std::make_unique<SongState>();
    song->ResetSong();
    const auto options = [](bool drums, std::uint32_t leftOut) {
        ImportOptions o;
        o.leaveOutDrums = drums;
        o.leftOutTracks = leftOut;
        return o;
    };
    const std::uint32_t all = 0;
    const Choice choices[] = {
        {{}, options(true, all)},
        {{QStringLiteral("--no-drums")}, options(true, all)},
        {{QStringLiteral("--drums")}, options(false, all)},
        {{QStringLiteral("--tracks"), QStringLiteral("2")}, options(true, ~0b10U)},
        {{QStringLiteral("--tracks=3, 2")}, options(true, ~0b110U)},
        {{QStringLiteral("--tracks"), QStringLiteral("4"), QStringLiteral("--drums")}, options(false, ~0b1000U)},
    };
    for (const Choice& c : choices) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const QJsonObject json = InfoJson(QStringList{Fixture("comb-fit-voices.mid")} + c.arguments);
        const ImportCounts want = CountImportable(file.tracks(), *song, 0, false, c.options);
        EXPECT_EQ(json[QStringLiteral("importable")].toInt(), want.importable);
        EXPECT_EQ(json[QStringLiteral("notImportable")].toInt(), want.notImportable);
    }
    // The drums are left out unless kept: 82 notes in the file, 29 of them drums.
    const QJsonObject plain = InfoJson({Fixture("comb-fit-voices.mid")});
    const QJsonObject drums = InfoJson({Fixture("comb-fit-voices.mid"), QStringLiteral("--drums")});
    EXPECT_EQ(plain[QStringLiteral("importable")].toInt() + plain[QStringLiteral("notImportable")].toInt(), 82 - 29);
    EXPECT_EQ(drums[QStringLiteral("importable")].toInt() + drums[QStringLiteral("notImportable")].toInt(), 82);
}

TEST(CliTracks, BadChoicesAreUsageErrors)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString out = folder.path() + QStringLiteral("/out.mid");
    const QStringList bad[] = {
        {QStringLiteral("--tracks="), QStringLiteral("x")},   {QStringLiteral("--tracks=0")},
        {QStringLiteral("--tracks=17")},                      {QStringLiteral("--tracks=one")},
        {QStringLiteral("--tracks=1,,2")},                    {QStringLiteral("--tracks=1-3")},
        {QStringLiteral("--tracks=1,")},                      {QStringLiteral("--tracks=1"), QStringLiteral("--tracks=2")},
        {QStringLiteral("--drums"), QStringLiteral("--no-drums")},
    };
    for (const QStringList& options : bad) {
        for (const QStringList& command :
             {QStringList{QStringLiteral("info")}, QStringList{QStringLiteral("song"), QStringLiteral("-o"), out},
              QStringList{QStringLiteral("svg"), QStringLiteral("-o"), out + QStringLiteral(".svg")}}) {
            SCOPED_TRACE((command.front() + ' ' + options.join(' ')).toStdString());
            const CliResult run = RunZembra(command + QStringList{Fixture("comb-fit-voices.mid")} + options);
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_TRUE(run.err.contains(options.front().section('=', 0, 0))) << run.err.toStdString();
        }
    }
    const CliResult list = RunZembra({QStringLiteral("info"), Fixture("comb-fit-voices.mid"), QStringLiteral("--tracks"),
                                      QStringLiteral("1-3")});
    EXPECT_TRUE(list.err.contains(QStringLiteral("track numbers from 1 to 16 separated by commas, such as 1,3,5")))
        << list.err.toStdString();
    EXPECT_TRUE(Entries(folder.path()).isEmpty());
}

TEST(CliTracks, ATrackTheFileLacksFailsThatFileOnly)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const CliResult run =
        RunZembra({QStringLiteral("song"), Fixture("comb-fit-voices.mid"), Fixture("cli-info.mid"),
                   QStringLiteral("-o"), folder.path(), QStringLiteral("--tracks"), QStringLiteral("2,3")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("--tracks names track 3, but the file has 2 tracks.")))
        << run.err.toStdString();
    EXPECT_EQ(Entries(folder.path()), QStringList{QStringLiteral("comb-fit-voices.mid")});
}

TEST(CliTracks, TheFitOfALongFileRanksEveryNote)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.path() + QStringLiteral("/long.mid");
    ASSERT_TRUE(long_file::Write(QFile::encodeName(path).toStdString()));
    const QJsonObject json = InfoJson({path, QStringLiteral("--transpose"), QStringLiteral("auto")});
    const int shift = json[QStringLiteral("transposition")].toInt();
    EXPECT_TRUE(shift == 10 || shift == 12) << shift;
    const QJsonObject best = json[QStringLiteral("ranking")].toArray().first().toObject();
    EXPECT_EQ(best[QStringLiteral("importable")].toInt(), long_file::kNotes);
    EXPECT_EQ(json[QStringLiteral("placed")].toInt(), kMaxNotes);
}

} // namespace
} // namespace zembra
