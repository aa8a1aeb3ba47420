// Bad input to the built program, table-driven: each case runs in a folder of its own, and
// afterwards the folder must hold exactly what was there plus what the case should have written:
// no partial file, no temporary left behind, the good files of a batch all there.
#include "cli_process.h"

#include "midi/synth_engine.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace zembra {
namespace {

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A format 0 file at 96 ticks a quarter whose one note, key 61, has no row on the comb.
QByteArray SilentFile()
{
    const char bytes[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
                          'M', 'T', 'r', 'k', 0, 0, 0, 8, 0, char(0x90), 61, 64, 0, char(0xFF), 0x2F, 0};
    return QByteArray(bytes, sizeof bytes);
}

const QStringList kStart = {QStringLiteral("blocker"), QStringLiteral("damaged.mid"), QStringLiteral("good.mid"),
                            QStringLiteral("not-a-picture.png"), QStringLiteral("old.pdf"), QStringLiteral("silent.mid"),
                            QStringLiteral("text.mid"), QStringLiteral("tune.mid")};

// The folder every case starts from.
void Populate(const QString& folder)
{
    QFile::copy(Fixture("cli-info.mid"), folder + QStringLiteral("/good.mid"));
    QFile::copy(Fixture("abc2midi-tune.mid"), folder + QStringLiteral("/tune.mid"));
    QFile::copy(Fixture("fuzz-corpus/damaged-event-cut-off.mid"), folder + QStringLiteral("/damaged.mid"));
    Write(folder + QStringLiteral("/text.mid"), "This is a text file, not music.\n");
    Write(folder + QStringLiteral("/silent.mid"), SilentFile());
    Write(folder + QStringLiteral("/blocker"), "a file where a folder would have to be\n");
    Write(folder + QStringLiteral("/not-a-picture.png"), "no picture\n");
    Write(folder + QStringLiteral("/old.pdf"), "the card as it was\n");
}

struct BadCase {
    const char* name;
    QStringList arguments;
    int status;
    QStringList written; // entries the case adds to the folder (paths inside it)
    const char* message; // part of standard error; empty for none expected
    bool needsSynth = false;
};

void PrintTo(const BadCase& c, std::ostream* out)
{
    *out << c.name;
}

class BadInput : public testing::TestWithParam<BadCase> {};

QStringList Args(std::initializer_list<const char*> list)
{
    QStringList arguments;
    for (const char* a : list) {
        arguments << QString::fromUtf8(a);
    }
    return arguments;
}

TEST_P(BadInput, EndsWithItsStatusAndLeavesOnlyWhatWasDone)
{
    const BadCase& c = GetParam();
    if (c.needsSynth && findSoundFont({}).empty()) {
        GTEST_SKIP() << "no General MIDI sound font on this machine";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Populate(dir.path());
    ASSERT_EQ(Entries(dir.path()), kStart);

    const CliResult result = RunZembra(c.arguments, dir.path());
    ASSERT_TRUE(result.finished) << "the program must end";
    EXPECT_EQ(result.exitCode, c.status) << result.err.toStdString();
    if (*c.message) {
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.message))) << result.err.toStdString();
    }
    EXPECT_FALSE(result.err.contains(QStringLiteral("Sanitizer"))) << result.err.toStdString();

    // Top-level entries and, for folders the case wrote into, theirs.
    QStringList expected = kStart;
    QStringList folders;
    for (const QString& path : c.written) {
        const QString top = path.section('/', 0, 0);
        if (!expected.contains(top)) {
            expected << top;
        }
        if (path.contains('/')) {
            folders << top;
        }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Entries(dir.path()), expected);
    folders.removeDuplicates();
    for (const QString& folder : folders) {
        QStringList inside;
        for (const QString& path : c.written) {
            if (path.startsWith(folder + '/')) {
                inside << path.section('/', 1);
            }
        }
        std::sort(inside.begin(), inside.end());
        EXPECT_EQ(Entries(dir.filePath(folder)), inside) << folder.toStdString();
    }
    // A failed write never touches the file it would have replaced.
    QFile old(dir.filePath(QStringLiteral("old.pdf")));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    if (!c.written.contains(QStringLiteral("old.pdf"))) {
        EXPECT_EQ(old.readAll(), QByteArray("the card as it was\n"));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInput, testing::Values(
    // Files that cannot be done: status 1, nothing written.
    BadCase{"MissingFile", Args({"card", "missing.mid", "-o", "out.pdf"}), 1, {}, "missing.mid"},
    BadCase{"DamagedFile", Args({"card", "damaged.mid", "-o", "out.pdf"}), 1, {}, "The file is damaged"},
    BadCase{"NotMidi", Args({"card", "text.mid", "-o", "out.pdf"}), 1, {}, "cannot be read as a MIDI file"},
    BadCase{"DamagedInfo", Args({"info", "damaged.mid"}), 1, {}, "damaged.mid"},
    BadCase{"BarLongerThanThePaper", Args({"card", "good.mid", "--bar-mm", "400", "-o", "old.pdf"}), 1, {}, "400 mm"},
    BadCase{"BarLongerThanUprightPaper", Args({"card", "good.mid", "--bar-mm", "200", "--portrait", "-o", "out.pdf"}), 1,
            {}, "200 mm"},
    BadCase{"UnwritableCard", Args({"card", "good.mid", "-o", "blocker/out.pdf"}), 1, {}, "blocker/out.pdf"},
    BadCase{"UnwritableSong", Args({"song", "good.mid", "-o", "blocker/out.mid"}), 1, {}, "blocker/out.mid"},
    BadCase{"UnwritableWav", Args({"wav", "good.mid", "-o", "blocker/out.wav"}), 1, {}, "blocker/out.wav", true},
    BadCase{"FolderCannotBeMade", Args({"card", "good.mid", "tune.mid", "-o", "blocker/cards"}), 1, {}, "blocker/cards"},
    BadCase{"NothingToSave", Args({"song", "silent.mid", "-o", "out.mid"}), 1, {}, "No note"},
    BadCase{"NothingToPlay", Args({"wav", "silent.mid", "-o", "out.wav"}), 1, {}, "No note"},
    BadCase{"OutputWouldReplaceTheInput", Args({"song", "good.mid", "-o", "."}), 1, {}, "replace the input"},
    // An empty canvas still prints its card, as the window does.
    BadCase{"EmptyCardIsStillACard", Args({"card", "silent.mid", "-o", "out.pdf"}), 0, {"out.pdf"}, ""},
    BadCase{"ReplacesOnlyWhenWhole", Args({"card", "good.mid", "-o", "old.pdf"}), 0, {"old.pdf"}, ""},
    // Batches: the bad files are told, the others done.
    BadCase{"CardBatch", Args({"card", "good.mid", "damaged.mid", "tune.mid", "missing.mid", "-o", "cards"}), 1,
            {"cards/good.pdf", "cards/tune.pdf"}, "2 of 4 files failed"},
    BadCase{"SongBatch", Args({"song", "silent.mid", "good.mid", "text.mid", "tune.mid", "-o", "songs/"}), 1,
            {"songs/good.mid", "songs/tune.mid"}, "2 of 4 files failed"},
    BadCase{"WavBatch", Args({"wav", "tune.mid", "damaged.mid", "-o", "sound"}), 1, {"sound/tune.wav"},
            "1 of 2 files failed", true},
    BadCase{"TwoInputsOneName", Args({"card", "good.mid", "./good.mid", "-o", "cards"}), 1, {"cards/good.pdf"},
            "would write the same"},
    BadCase{"AllGood", Args({"card", "good.mid", "tune.mid", "-q", "-o", "cards"}), 0,
            {"cards/good.pdf", "cards/tune.pdf"}, ""},
    // Command lines that are wrong: status 2 before anything is done.
    BadCase{"NoOutput", Args({"card", "good.mid"}), 2, {}, "-o"},
    BadCase{"NoInput", Args({"card", "-o", "out.pdf"}), 2, {}, "No input file"},
    BadCase{"OutputTwice", Args({"card", "good.mid", "-o", "a.pdf", "-o", "b.pdf"}), 2, {}, "only once"},
    BadCase{"UnknownOption", Args({"card", "good.mid", "--shiny", "-o", "out.pdf"}), 2, {}, "--shiny"},
    BadCase{"OptionWithoutValue", Args({"card", "good.mid", "-o", "out.pdf", "--bar-mm"}), 2, {}, "--bar-mm"},
    BadCase{"UnknownPaper", Args({"card", "good.mid", "--paper", "B9", "-o", "out.pdf"}), 2, {}, "B9"},
    BadCase{"PaperTooSmall", Args({"card", "good.mid", "--paper", "5x5mm", "-o", "out.pdf"}), 2, {}, "5x5mm"},
    BadCase{"BothOrientations", Args({"card", "good.mid", "--portrait", "--landscape", "-o", "out.pdf"}), 2, {},
            "--landscape"},
    BadCase{"NegativeBar", Args({"card", "good.mid", "--bar-mm", "-5", "-o", "out.pdf"}), 2, {}, "--bar-mm"},
    BadCase{"TransposeTooFar", Args({"info", "good.mid", "--transpose", "13"}), 2, {}, "--transpose"},
    BadCase{"TransposeNotANumber", Args({"song", "good.mid", "--transpose", "+-2", "-o", "out.mid"}), 2, {},
            "--transpose"},
    BadCase{"NoBars", Args({"card", "good.mid", "--bars", "0", "-o", "out.pdf"}), 2, {}, "--bars"},
    BadCase{"BadColour", Args({"card", "good.mid", "--text-colour", "blurple", "-o", "out.pdf"}), 2, {}, "blurple"},
    BadCase{"UnreadablePicture", Args({"card", "good.mid", "--image", "not-a-picture.png", "-o", "out.pdf"}), 2, {},
            "not-a-picture.png"},
    BadCase{"SeveralIntoAFile", Args({"card", "good.mid", "tune.mid", "-o", "old.pdf"}), 2, {}, "must name a folder"},
    // The cutter's drawings: the same rules.
    BadCase{"CutterBadLayout", Args({"svg", "good.mid", "--layout", "rolls", "-o", "out.svg"}), 2, {}, "rolls"},
    BadCase{"CutterNegativeKerf", Args({"dxf", "good.mid", "--kerf-mm", "-0.1", "-o", "out.dxf"}), 2, {}, "--kerf-mm"},
    BadCase{"CutterKerfNotBelowHole", Args({"svg", "good.mid", "--hole-mm", "0.8", "--kerf-mm", "0.8", "-o", "out.svg"}),
            2, {}, "--kerf-mm"},
    BadCase{"CutterHoleTooBig", Args({"dxf", "good.mid", "--hole-mm", "5.5", "-o", "out.dxf"}), 2, {}, "--hole-mm"},
    BadCase{"CutterHoleNotANumber", Args({"svg", "good.mid", "--hole-mm", "nan", "-o", "out.svg"}), 2, {}, "nan"},
    BadCase{"CutterHasNoPicture", Args({"svg", "good.mid", "--image", "x.png", "-o", "out.svg"}), 2, {}, "--image"},
    BadCase{"CutterBarLongerThanThePaper", Args({"svg", "good.mid", "--bar-mm", "400", "-o", "out.svg"}), 1, {}, "400 mm"},
    BadCase{"UnwritableSvg", Args({"svg", "good.mid", "-o", "blocker/out.svg"}), 1, {}, "blocker/out.svg"},
    BadCase{"UnwritableDxf", Args({"dxf", "good.mid", "-o", "blocker/out.dxf"}), 1, {}, "blocker/out.dxf"},
    BadCase{"DxfBatch", Args({"dxf", "good.mid", "damaged.mid", "tune.mid", "-o", "cut"}), 1,
            {"cut/good.dxf", "cut/tune.dxf"}, "1 of 3 files failed"},
    BadCase{"HelpOfTheCutter", Args({"dxf", "--help"}), 0, {}, ""}),
    [](const auto& test) { return std::string(test.param.name); });

} // namespace
} // namespace zembra

namespace zembra {
namespace {

TEST(CliMessages, SpeakTheChosenLanguageOnStandardError)
{
    QTemporaryDir dir;
    struct Case {
        const char* language;
        const char* cannotRead;
        const char* noOutput;
    };
    const Case cases[] = {
        {"en", "It cannot be read as a MIDI file", "No output was given"},
        {"ja", "MIDIファイルとして読めません", "書き出し先が指定されていません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        const QString language = QString::fromLatin1(c.language);
        const CliResult missing = RunZembra({QStringLiteral("card"), QStringLiteral("missing.mid"), QStringLiteral("-o"),
                                             QStringLiteral("out.pdf")},
                                            dir.path(), language);
        EXPECT_EQ(missing.exitCode, 1);
        EXPECT_TRUE(missing.out.isEmpty()) << "results only on standard output";
        EXPECT_TRUE(missing.err.contains(QString::fromUtf8(c.cannotRead))) << missing.err.toStdString();
        EXPECT_TRUE(missing.err.startsWith(QStringLiteral("[1/1] missing.mid"))) << "progress first";
        const CliResult usage = RunZembra({QStringLiteral("song"), QStringLiteral("missing.mid")}, dir.path(), language);
        EXPECT_EQ(usage.exitCode, 2);
        EXPECT_TRUE(usage.err.startsWith(QStringLiteral("zembra song: ") + QString::fromUtf8(c.noOutput)))
            << usage.err.toStdString();
    }
    EXPECT_TRUE(Entries(dir.path()).isEmpty());
}

} // namespace
} // namespace zembra
