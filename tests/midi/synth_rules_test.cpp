// The plain rules around the built-in synthesizer: which of its messages reach the log, and what
// is wrong with a file named as its sound font.
#include "midi/repeat_filter.h"
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

TEST(RepeatFilter, OnlyTheFirstOfEachKindPasses)
{
    struct Step {
        int level;
        const char* text;
        bool passes;
    };
    const Step steps[] = {
        {1, "Ringbuffer full, try increasing synth.polyphony!", true},
        {1, "Ringbuffer full, try increasing synth.polyphony!", false},
        {1, "Failed to allocate a synthesis process. (chan=0,key=66)", true},
        {1, "Failed to allocate a synthesis process. (chan=3,key=101)", false},
        {2, "Ringbuffer full, try increasing synth.polyphony!", true},  // another level, another kind
        {1, "Failed to allocate a synthesis process. (chan=,key=66)", true},
        {1, "", true},
        {1, "", false},
    };
    RepeatFilter filter;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.text);
        EXPECT_EQ(filter.FirstOfKind(s.level, s.text), s.passes);
    }
    EXPECT_EQ(RepeatFilter::KindOf("voice 12 of 256 at 0x7f3a"), "voice # of # at #x#f#a");

    RepeatFilter flooded;
    for (std::size_t i = 0; i < RepeatFilter::kMaxKinds; ++i) {
        EXPECT_TRUE(flooded.FirstOfKind(1, std::string(i + 1, 'x')));
    }
    EXPECT_FALSE(flooded.FirstOfKind(1, "one kind too many")) << "the filter stays bounded";
}

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
