// The song rendered to a WAV file: each pluck where its tick and the tempo put it.
#include "app/audio_export.h"
#include "canvas/kelp_view.h"
#include "midi/synth_engine.h"

#include "scoped_scripted_prompts.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace zembra {
namespace {

struct Wav {
    int sampleRate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples;
};

// Reads the plain PCM files we write: "RIFF", "fmt " at 12, "data" at 36.
Wav readWav(const QString& path)
{
    Wav wav;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return wav;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 44 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE" || bytes.mid(36, 4) != "data") {
        return wav;
    }
    auto word = [&](int at, int size) {
        std::uint32_t v = 0;
        for (int i = 0; i < size; ++i) {
            v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + i])) << (8 * i);
        }
        return v;
    };
    wav.channels = static_cast<int>(word(22, 2));
    wav.sampleRate = static_cast<int>(word(24, 4));
    const std::uint32_t dataBytes = word(40, 4);
    wav.samples.resize(dataBytes / 2);
    std::memcpy(wav.samples.data(), bytes.constData() + 44, std::min<std::size_t>(dataBytes, bytes.size() - 44));
    return wav;
}

// Onsets: windows of about a millisecond whose peak jumps above four times the loudest of the 30
// windows before it (and above a floor), at least 100 ms apart. Seconds.
std::vector<double> onsets(const Wav& wav)
{
    const int window = wav.sampleRate / 1000;
    std::vector<int> peaks;
    for (std::size_t start = 0; start + window * wav.channels <= wav.samples.size(); start += window * wav.channels) {
        int peak = 0;
        for (int i = 0; i < window * wav.channels; ++i) {
            peak = std::max(peak, std::abs(static_cast<int>(wav.samples[start + i])));
        }
        peaks.push_back(peak);
    }
    std::vector<double> found;
    for (std::size_t i = 1; i < peaks.size(); ++i) {
        int before = 0;
        for (std::size_t j = i >= 30 ? i - 30 : 0; j < i; ++j) {
            before = std::max(before, peaks[j]);
        }
        const double at = static_cast<double>(i) * window / wav.sampleRate;
        if (peaks[i] > 50 && peaks[i] > 4 * before && (found.empty() || at - found.back() > 0.1)) {
            found.push_back(at);
        }
    }
    return found;
}

class Export : public testing::Test {
protected:
    void SetUp() override
    {
        if (findSoundFont({}).empty()) {
            GTEST_SKIP() << "no General MIDI sound font on this machine";
        }
        ASSERT_TRUE(dir.isValid());
    }

    void note(int left, int row)
    {
        SongState& song = view.song();
        song.NormaliseNote(song.AllocateNote(left, song.bandTopOfRow(row)));
        view.PaintOffscreen();
    }

    ScopedScriptedPrompts scripted;
    QTemporaryDir dir;
    CKelpView view;
};

TEST_F(Export, EachPluckSoundsWhereItsTickPutsIt)
{
    // At 24 pixels a quarter: ticks 96, 480 and 864, that is 0.5, 2.5 and 4.5 s at 120 beats a
    // minute, on rows far apart.
    note(24, 0);
    note(120, 16);
    note(216, 32);
    const QString path = dir.filePath(QStringLiteral("song.wav"));
    ASSERT_TRUE(AudioExport::ExportTo(view, path, nullptr));
    const Wav wav = readWav(path);
    ASSERT_EQ(wav.sampleRate, 44100);
    ASSERT_EQ(wav.channels, 2);
    const std::vector<double> found = onsets(wav);
    const std::vector<double> expected = {0.5, 2.5, 4.5};
    int peak = 0;
    for (std::int16_t sample : wav.samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    ASSERT_EQ(found.size(), expected.size()) << "loudest sample " << peak << " of " << wav.samples.size();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(found[i], expected[i], 0.005) << "pluck " << i;
    }
    // Silence before the first pluck (dither aside).
    int loudest = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(0.49 * 44100) * 2; ++i) {
        loudest = std::max(loudest, std::abs(static_cast<int>(wav.samples[i])));
    }
    EXPECT_LE(loudest, 4);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("song.wav")})
        << "nothing is left beside the file";
}

// The peak level as sox measures it, in dB of full scale; NaN without sox.
double soxPeakDecibels(const QString& path)
{
    QProcess sox;
    sox.start(QStringLiteral("sox"), {path, QStringLiteral("-n"), QStringLiteral("stats")});
    if (!sox.waitForFinished(60000) || sox.exitCode() != 0) {
        return std::nan("");
    }
    const QRegularExpression line(QStringLiteral("Pk lev dB\\s+(-?[0-9.]+)"));
    const QRegularExpressionMatch match = line.match(QString::fromUtf8(sox.readAllStandardError()));
    return match.hasMatch() ? match.captured(1).toDouble() : std::nan("");
}

TEST_F(Export, TheLoudestSampleSitsOneDecibelBelowFullScale)
{
    note(24, 0);
    note(120, 16);
    note(216, 32);
    const QString path = dir.filePath(QStringLiteral("level.wav"));
    ASSERT_TRUE(AudioExport::ExportTo(view, path, nullptr));
    const Wav wav = readWav(path);
    int peak = 0;
    for (std::int16_t sample : wav.samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    EXPECT_NEAR(20.0 * std::log10(peak / 32768.0), -1.0, 0.1) << "loudest sample " << peak;
    const double measured = soxPeakDecibels(path);
    if (std::isnan(measured)) {
        GTEST_SKIP() << "sox is not installed";
    }
    EXPECT_NEAR(measured, -1.0, 0.1);
}

TEST_F(Export, TheTempoMovesThePlucks)
{
    note(0, 5);
    note(96, 5); // one bar: 384 ticks
    view.song().tempo = 250000.0; // 240 beats a minute: the bar lasts one second
    const QString path = dir.filePath(QStringLiteral("fast.wav"));
    ASSERT_TRUE(AudioExport::ExportTo(view, path, nullptr));
    const std::vector<double> found = onsets(readWav(path));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_NEAR(found[1] - found[0], 1.0, 0.005);
}

TEST_F(Export, AFailedWriteSaysSoAndLeavesNoFile)
{
    note(0, 5);
    QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = dir.filePath(QStringLiteral("not-a-folder/song.wav"));
    EXPECT_FALSE(AudioExport::ExportTo(view, path, nullptr));
    ASSERT_EQ(scripted->messages().size(), 1);
    EXPECT_TRUE(scripted->messages()[0].contains(path));
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(Export, ACancelledNameWritesNothing)
{
    note(0, 5);
    EXPECT_FALSE(AudioExport::Run(view, nullptr));
    ASSERT_EQ(scripted->asked().size(), 1u);
    EXPECT_EQ(scripted->asked()[0].kind, ScriptedPrompts::Asked::Kind::SaveFile);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(ExportSoundFont, ANamedFontThatIsNoneIsToldWithTheReason)
{
    ScopedScriptedPrompts scripted;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString font = dir.filePath(QStringLiteral("font.sf2"));
    QFile text(font);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("This is not a sound font.\n");
    text.close();
    CKelpView view;
    view.song().NormaliseNote(view.song().AllocateNote(0, view.song().bandTopOfRow(5)));
    view.PaintOffscreen();
    qputenv("ZEMBRA_SOUNDFONT", QFile::encodeName(font));
    const QString path = dir.filePath(QStringLiteral("song.wav"));
    const bool written = AudioExport::ExportTo(view, path, nullptr);
    qunsetenv("ZEMBRA_SOUNDFONT");
    EXPECT_FALSE(written);
    EXPECT_EQ(scripted->messages(),
              QStringList{QStringLiteral("The built-in synthesizer is not available: %1 is not a usable sound font.\n"
                                         "It is neither a SoundFont 2 nor a DLS file.")
                              .arg(font)});
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
} // namespace zembra
