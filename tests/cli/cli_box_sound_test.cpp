// `zembra wav` heard as the box plays: a note its tooth cannot sound is the damper's click, and
// the comb's tuning reaches the synthesizer. Measured in the rendered sound.
#include "app/document_view_link.h"
#include "canvas/kelp_view.h"
#include "cli_process.h"
#include "document/kelp_doc.h"
#include "model/song_state.h"
#include "wav_spectrum.h"

#include "scoped_scripted_prompts.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace zembra {
namespace {

using test::Decibels;
using test::PeakNear;
using test::ReadWav;

// 60 beats a minute at 24 pixels a quarter: a pixel is 1/24 of a second. A 32 mm bar of 96 pixels
// puts 3 pixels on a millimetre, so the 33-note box's 8 mm repeat is 24 pixels.
constexpr int kPixelsPerMm = 3;
constexpr double kSecondsPerPixel = 1.0 / 24;
constexpr double kMicrosPerQuarter = 1'000'000;

double Hz(int key)
{
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

// A song of the 33-note box saved by the window, with the notes (canvas x, MIDI key) given.
QString SaveSong(const std::vector<std::pair<int, int>>& notes, const QString& path, Tuning tuning = Tuning::Equal)
{
    CKelpView view;
    CKelpDoc doc;
    LinkDocumentAndView(doc, view);
    SongState& song = view.song();
    song.barLengthMm = 32;
    song.tempo = kMicrosPerQuarter;
    song.tuning = tuning;
    doc.setTempo(kMicrosPerQuarter);
    view.UpdateScrollSizes();
    for (const auto& [left, key] : notes) {
        const int slot = song.AllocateNote(left, song.bandTopOfRow(song.RowForPitch(key)));
        EXPECT_TRUE(song.NormaliseNote(slot));
        ++song.noteCount;
    }
    EXPECT_TRUE(doc.WriteSong(path));
    return path;
}

test::Wav Render(const QString& song, const QString& wav, const QStringList& options)
{
    const CliResult result = RunZembra(QStringList{QStringLiteral("wav"), song, QStringLiteral("-o"), wav} + options);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return ReadWav(wav);
}

TEST(CliBoxSound, ANoteTheToothCannotSoundIsTheDampersClick)
{
    ScopedScriptedPrompts scripted;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    constexpr int kKey = 69;
    constexpr int kFirst = 48;
    constexpr double kWindow = 0.25;
    struct Case {
        double apartMm;
        const char* option;
        bool secondSounds;
    };
    for (const Case& c : {Case{6, "--as-box", false}, Case{6, "", false}, Case{9, "--as-box", true},
                          Case{6, "--plain", true}}) {
        SCOPED_TRACE(std::to_string(c.apartMm) + " mm " + c.option);
        const int second = kFirst + static_cast<int>(c.apartMm * kPixelsPerMm);
        const QString song = SaveSong({{kFirst, kKey}, {second, kKey}}, dir.filePath(QStringLiteral("two.mid")));
        const QStringList options = *c.option ? QStringList{QLatin1String(c.option)} : QStringList{};
        const test::Wav wav = Render(song, dir.filePath(QStringLiteral("two.wav")), options);
        ASSERT_EQ(wav.rate, 44100);
        const double t1 = kFirst * kSecondsPerPixel;
        const double t2 = second * kSecondsPerPixel;
        const double first = PeakNear(wav, t1, kWindow, Hz(kKey)).magnitude;
        const double again = PeakNear(wav, t2, kWindow, Hz(kKey)).magnitude;
        ASSERT_GT(first, 0.0);
        const double level = Decibels(again / first);
        // The figures, for a run with --gtest_output=xml.
        RecordProperty(std::to_string(static_cast<int>(c.apartMm)) + "mm" + c.option + "_dB", std::to_string(level));
        if (c.secondSounds) {
            EXPECT_NEAR(level, 0.0, 1.0) << "both notes sound alike";
        } else {
            EXPECT_LT(level, -30.0) << "no note at the second hole";
            // The click: the first 30 ms after the hole hold more sound than the 30 ms before it,
            // where the first note still rings undamped, and ten times the sound above a few
            // kilohertz (20 dB more as rendered).
            const double onset = test::Power(wav, t2, 0.03) / test::Power(wav, t2 - 0.03, 0.03);
            const double edge = test::EdgePower(wav, t2, 0.03) / test::EdgePower(wav, t2 - 0.03, 0.03);
            RecordProperty(std::to_string(static_cast<int>(c.apartMm)) + "mm" + c.option + "_onset_dB",
                           std::to_string(10 * std::log10(onset)));
            RecordProperty(std::to_string(static_cast<int>(c.apartMm)) + "mm" + c.option + "_edge_dB",
                           std::to_string(10 * std::log10(edge)));
            EXPECT_GT(onset, 1.5);
            EXPECT_GT(edge, 10.0);
        }
    }
}

TEST(CliBoxSound, TheTuningMovesEachKeyByItsCents)
{
    ScopedScriptedPrompts scripted;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // C4, E4 and G4, two seconds apart, each measured over a second of its ringing.
    const std::vector<std::pair<int, int>> notes = {{24, 60}, {72, 64}, {120, 67}};
    const QString song = SaveSong(notes, dir.filePath(QStringLiteral("chord.mid")));
    auto pitches = [&](const QString& tuning) {
        const test::Wav wav = Render(song, dir.filePath(tuning + QStringLiteral(".wav")),
                                     {QStringLiteral("--tuning"), tuning});
        std::vector<double> hz;
        for (const auto& [left, key] : notes) {
            hz.push_back(PeakNear(wav, left * kSecondsPerPixel + 0.05, 1.0, Hz(key)).hz);
        }
        return hz;
    };
    const std::vector<double> equal = pitches(QStringLiteral("equal"));
    for (std::size_t i = 0; i < notes.size(); ++i) {
        EXPECT_NEAR(1200 * std::log2(equal[i] / Hz(notes[i].second)), 0.0, 15.0) << "the equal pitch is found";
    }
    struct Case {
        const char* tuning;
        double cents[3]; // C4, E4, G4 from equal temperament
    };
    for (const Case& c : {Case{"meantone", {0.0, -13.7, -3.4}}, Case{"just", {0.0, -13.7, 2.0}}}) {
        SCOPED_TRACE(c.tuning);
        const std::vector<double> tuned = pitches(QLatin1String(c.tuning));
        for (std::size_t i = 0; i < notes.size(); ++i) {
            RecordProperty(std::string(c.tuning) + "_" + std::to_string(notes[i].second) + "_cents",
                           std::to_string(1200 * std::log2(tuned[i] / equal[i])));
            EXPECT_NEAR(1200 * std::log2(tuned[i] / equal[i]), c.cents[i], 1.0) << "key " << notes[i].second;
        }
    }
}

TEST(CliBoxSound, TheSongsTuningTravelsInItsFileAndTheOptionsAreChecked)
{
    ScopedScriptedPrompts scripted;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::vector<std::pair<int, int>> notes = {{24, 64}};
    const QString equal = SaveSong(notes, dir.filePath(QStringLiteral("equal.mid")));
    const QString just = SaveSong(notes, dir.filePath(QStringLiteral("just.mid")), Tuning::Just);
    EXPECT_FALSE(Contents(equal).contains("<TN>")) << "equal temperament writes nothing new";
    EXPECT_TRUE(Contents(just).contains("<TN>just</TN>"));

    // The song's own tuning is rendered unless --tuning says otherwise.
    const double fromFile = PeakNear(Render(just, dir.filePath(QStringLiteral("a.wav")), {}), 1.05, 1.0, Hz(64)).hz;
    const double asked =
        PeakNear(Render(equal, dir.filePath(QStringLiteral("b.wav")), {QStringLiteral("--tuning"), QStringLiteral("just")}),
                 1.05, 1.0, Hz(64))
            .hz;
    const double overridden =
        PeakNear(Render(just, dir.filePath(QStringLiteral("c.wav")), {QStringLiteral("--tuning"), QStringLiteral("equal")}),
                 1.05, 1.0, Hz(64))
            .hz;
    EXPECT_NEAR(1200 * std::log2(fromFile / asked), 0.0, 0.5);
    EXPECT_NEAR(1200 * std::log2(fromFile / overridden), -13.7, 1.0);

    for (const QStringList& wrong : {QStringList{QStringLiteral("--tuning"), QStringLiteral("pythagorean")},
                                     QStringList{QStringLiteral("--tuning"), QStringLiteral("box")},
                                     QStringList{QStringLiteral("--plain"), QStringLiteral("--as-box")}}) {
        const CliResult result =
            RunZembra(QStringList{QStringLiteral("wav"), equal, QStringLiteral("-o"), dir.filePath(QStringLiteral("x.wav"))} +
                      wrong);
        EXPECT_EQ(result.exitCode, 2) << wrong.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.wav"))));
    }
}

} // namespace
} // namespace zembra
