// What the built program does with inputs a user cannot see: escape sequences in a file's title.
#include "cli_process.h"

#include "../midi/smf_bytes.h"

#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
}

} // namespace
} // namespace zembra
