// What the built program does with inputs a user did not mean or cannot see: a FIFO or an SVG
// given as the picture, escape sequences in a file's title, a sound font that is not one, and a
// synthesizer that is overrun.
#include "cli_process.h"

#include "../midi/smf_bytes.h"
#include "midi/synth_engine.h"

#include <QRegularExpression>
#include <QProcess>
#include <QFile>
#include <QImage>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace zembra {
namespace {

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray BytesOf(const test::Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

// A format 0 file at 96 ticks a quarter: the events after a text event (none when `text` is empty).
QByteArray SongFile(const std::string& text, const test::Bytes& events)
{
    test::Bytes track;
    if (!text.empty()) {
        test::append(track, {0x00, 0xFF, 0x01, static_cast<std::uint8_t>(text.size())});
        track.insert(track.end(), text.begin(), text.end());
    }
    test::append(track, events);
    test::append(track, {0x00, 0xFF, 0x2F, 0x00});
    return BytesOf(test::smf(0, 96, {track}));
}

// 1500 notes struck at the same tick, over the comb's 33 keys, then let go a quarter later.
QByteArray ChordOf1500()
{
    test::Bytes events;
    for (int i = 0; i < 1500; ++i) {
        const int key = i % 33 == 0 ? 60 : 61 + i % 33;
        test::append(events, {0x00, 0x90, static_cast<std::uint8_t>(key), 100});
    }
    test::append(events, {0x60, 0x80, 60, 0});
    return SongFile({}, events);
}

TEST(CliInputs, ThePictureIsARegularFileInAPromisedFormat)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile::copy(Fixture("cli-info.mid"), dir.filePath(QStringLiteral("good.mid")));
    const QString secret = dir.filePath(QStringLiteral("secret.png"));
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(secret, "PNG"));
    Write(dir.filePath(QStringLiteral("linked.svg")),
          "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' width='4' height='4'>"
          "<image xlink:href='" + secret.toUtf8() + "' width='4' height='4'/></svg>");
    struct Case {
        const char* picture;
        int status;
        const char* reason;
    };
    std::vector<Case> cases = {
        {"secret.png", 0, ""},
        {"linked.svg", 2, "It is a picture in SVG format; only BMP, JPEG, GIF and PNG pictures are used."},
        {"missing.png", 2, "There is no such file."},
    };
#ifndef _WIN32
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo.png"))).constData(), 0600), 0);
    // The run is bounded: a program that opens the FIFO fails the test instead of hanging it.
    cases.push_back({"fifo.png", 2, "It is not a regular file (a folder, a FIFO, a device), so it is not read."});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture);
        const QString out = dir.filePath(QStringLiteral("out.pdf"));
        QFile::remove(out);
        const CliResult result = RunZembra({QStringLiteral("card"), QStringLiteral("good.mid"), QStringLiteral("--image"),
                                            QString::fromLatin1(c.picture), QStringLiteral("-q"), QStringLiteral("-o"), out},
                                           dir.path());
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, c.status) << result.err.toStdString();
        EXPECT_EQ(QFile::exists(out), c.status == 0);
        if (c.status != 0) {
            EXPECT_EQ(result.err, QStringLiteral("zembra card: The picture %1 cannot be read.\n%2\n")
                                      .arg(QString::fromLatin1(c.picture), QString::fromUtf8(c.reason)));
        }
    }
}

TEST(CliInputs, InfoShowsNoControlCharacterOfTheFileToTheTerminal)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // One of the program's own files, its title and author written by someone unkind; the name
    // of the file carries an escape sequence too.
    const QString name = QStringLiteral("own\x1b[8m.mid");
    Write(dir.filePath(name), SongFile("<LP>50</LP><HP>24</HP><P>24</P><TL>\x1b]0;owned\x07Song</TL>"
                                       "<AU>\x1b[2J\xc2\x9b" "31mMe\tand you</AU>",
                                       {0x00, 0x90, 72, 100, 0x60, 0x80, 72, 0}));
    const QString r = QStringLiteral("\ufffd");
    const CliResult text = RunZembra({QStringLiteral("info"), name}, dir.path());
    ASSERT_TRUE(text.finished);
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.startsWith(QStringLiteral("own") + r + QStringLiteral("[8m.mid\n"))) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains(r + QStringLiteral("]0;owned") + r + QStringLiteral("Song\n")));
    EXPECT_TRUE(text.out.contains(r + QStringLiteral("[2J") + r + QStringLiteral("31mMe") + r + QStringLiteral("and you\n")));
    for (const QChar c : text.out) {
        EXPECT_TRUE(c == '\n' || c.category() != QChar::Other_Control) << int(c.unicode());
    }
    // JSON escapes them itself: there the text stays as the file has it.
    const CliResult json = RunZembra({QStringLiteral("info"), QStringLiteral("--json"), name}, dir.path());
    ASSERT_EQ(json.exitCode, 0);
    const QJsonObject info = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(info[QStringLiteral("title")].toString(), QStringLiteral("\x1b]0;owned\x07Song"));
    EXPECT_EQ(info[QStringLiteral("file")].toString(), name);
    // The progress of a command that writes names the file the same way.
    const CliResult song = RunZembra({QStringLiteral("song"), name, QStringLiteral("-o"), QStringLiteral("out.mid")},
                                     dir.path());
    ASSERT_EQ(song.exitCode, 0) << song.err.toStdString();
    EXPECT_EQ(song.err, QStringLiteral("[1/1] own") + r + QStringLiteral("[8m.mid -> out.mid\n"));
}

TEST(CliInputs, AnOverrunSynthesizerSpeaksOncePerKindAndNotAtAllWhenQuiet)
{
    if (findSoundFont({}).empty()) {
        GTEST_SKIP() << "no General MIDI sound font on this machine";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Write(dir.filePath(QStringLiteral("chord.mid")), ChordOf1500());
    const CliResult quiet =
        RunZembra({QStringLiteral("wav"), QStringLiteral("-q"), QStringLiteral("chord.mid"), QStringLiteral("-o"),
                   QStringLiteral("quiet.wav")},
                  dir.path());
    ASSERT_TRUE(quiet.finished);
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.err, QString()) << quiet.err.left(500).toStdString();

    const CliResult told = RunZembra(
        {QStringLiteral("wav"), QStringLiteral("chord.mid"), QStringLiteral("-o"), QStringLiteral("told.wav")}, dir.path());
    ASSERT_TRUE(told.finished);
    EXPECT_EQ(told.exitCode, 0);
    const QStringList lines = told.err.split('\n', Qt::SkipEmptyParts);
    EXPECT_LE(lines.size(), 8) << told.err.left(500).toStdString();
    EXPECT_LE(told.err.count(QStringLiteral("Ringbuffer full")), 1);
    for (const QString& line : lines) {
        EXPECT_TRUE(line.startsWith(QStringLiteral("zembra wav: ")) || line.startsWith(QStringLiteral("[1/1]")))
            << line.toStdString();
    }
}

// The window's export and `zembra wav` render alike: the loudest sample 1 dB below full scale, as
// sox reads the file.
TEST(CliInputs, TheRenderedSoundPeaksOneDecibelBelowFullScale)
{
    if (findSoundFont({}).empty()) {
        GTEST_SKIP() << "no General MIDI sound font on this machine";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Write(dir.filePath(QStringLiteral("tune.mid")), SongFile({}, {0x00, 0x90, 72, 100, 0x60, 0x80, 72, 0}));
    const CliResult wav = RunZembra(
        {QStringLiteral("wav"), QStringLiteral("-q"), QStringLiteral("tune.mid"), QStringLiteral("-o"), QStringLiteral("tune.wav")},
        dir.path());
    ASSERT_TRUE(wav.finished);
    ASSERT_EQ(wav.exitCode, 0) << wav.err.toStdString();
    QProcess sox;
    sox.start(QStringLiteral("sox"), {dir.filePath(QStringLiteral("tune.wav")), QStringLiteral("-n"), QStringLiteral("stats")});
    if (!sox.waitForStarted()) {
        GTEST_SKIP() << "sox is not installed";
    }
    ASSERT_TRUE(sox.waitForFinished(60000));
    const QString stats = QString::fromUtf8(sox.readAllStandardError());
    const QRegularExpressionMatch peak = QRegularExpression(QStringLiteral("Pk lev dB\\s+(-?[0-9.]+)")).match(stats);
    ASSERT_TRUE(peak.hasMatch()) << stats.toStdString();
    EXPECT_NEAR(peak.captured(1).toDouble(), -1.0, 0.1) << stats.toStdString();
}

TEST(CliInputs, ASoundFontThatCannotServeIsNamedWithTheReason)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Write(dir.filePath(QStringLiteral("tune.mid")), SongFile({}, {0x00, 0x90, 72, 100, 0x60, 0x80, 72, 0}));
    Write(dir.filePath(QStringLiteral("text.sf2")), "This is not a sound font.\n");
    Write(dir.filePath(QStringLiteral("hollow.sf2")), QByteArray("RIFF\x04\0\0\0sfbk", 12));
    struct Case {
        const char* font;
        const char* reason; // the start of the line under the message
    };
    const Case cases[] = {
        {"text.sf2", "It is neither a SoundFont 2 nor a DLS file."},
        {"missing.sf2", "There is no such file."},
        {".", "It is not a regular file (a folder, a FIFO, a device), so it is not read."},
        {"hollow.sf2", "The synthesizer could not load it: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.font);
        CliSetting font;
        font.extra.insert(QStringLiteral("ZEMBRA_SOUNDFONT"), QString::fromLatin1(c.font));
        const CliResult result =
            RunZembra({QStringLiteral("wav"), QStringLiteral("-q"), QStringLiteral("tune.mid"), QStringLiteral("-o"),
                       QStringLiteral("out.wav")},
                      dir.path(), QStringLiteral("en"), font);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 1);
        const QString told = QStringLiteral("zembra wav: tune.mid: The built-in synthesizer is not available: %1 is not a "
                                            "usable sound font.\n%2")
                                 .arg(QString::fromLatin1(c.font), QString::fromLatin1(c.reason));
        EXPECT_TRUE(result.err.contains(told)) << result.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("out.wav"))));
    }
}

} // namespace
} // namespace zembra
