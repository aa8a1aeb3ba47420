// The plain rules around the built-in synthesizer: what is wrong with a file named as its sound
// font.
#include "midi/sound_font_check.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace zembra {
namespace {

TEST(SoundFontCheck, HeaderAndFile)
{
    struct Header {
        std::string head;
        bool soundFont;
    };
    const Header headers[] = {
        {std::string("RIFF\x10\0\0\0sfbk", 12), true},
        {std::string("RIFF\x10\0\0\0DLS ", 12), true},
        {std::string("RIFF\x10\0\0\0WAVE", 12), false},
        {std::string("RIFX\x10\0\0\0sfbk", 12), false},
        {"RIFF\x10\0\0", false},
        {"", false},
        {"hello, not a font", false},
    };
    for (const Header& h : headers) {
        EXPECT_EQ(IsSoundFontHeader(h.head), h.soundFont) << h.head;
    }

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName().toStdString();
    };
    struct Case {
        std::string path;
        SoundFontProblem problem;
    };
    std::vector<Case> cases = {
        {"", SoundFontProblem::NoneFound},
        {dir.filePath(QStringLiteral("missing.sf2")).toStdString(), SoundFontProblem::Missing},
        {dir.path().toStdString(), SoundFontProblem::NotAFile},
        {write("text.sf2", "hello"), SoundFontProblem::NotSoundFont},
        {write("empty.sf2", ""), SoundFontProblem::NotSoundFont},
        {write("font.sf2", QByteArray("RIFF\x10\0\0\0sfbkLIST", 16)), SoundFontProblem::None},
    };
#ifndef _WIN32
    // Opening a FIFO would wait for a writer: it is refused by its kind alone.
    const std::string fifo = dir.filePath(QStringLiteral("fifo.sf2")).toStdString();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    cases.push_back({fifo, SoundFontProblem::NotAFile});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(CheckSoundFont(c.path), c.problem);
    }
}

} // namespace
} // namespace zembra
