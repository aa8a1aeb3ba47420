#include "import/arranger.h"
#include "import/melody.h"
#include "model/music_box.h"
#include "model/too_close.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

namespace zembra {
namespace {

// Ticks at 480 a quarter; on the default grid a quarter is 24 pixels.
constexpr std::uint32_t kQ = 480;

std::vector<SourceNote> Sorted(std::vector<SourceNote> notes)
{
    SortSourceNotes(notes);
    return notes;
}

ArrangeRequest RequestFor(const char* box, int minDistance = 1, int maxChord = kDefaultChordLimit)
{
    ArrangeRequest request;
    request.rowPitches = FindBuiltInBox(box)->notes;
    request.minDistance = minDistance;
    request.maxChord = maxChord;
    request.canvasWidth = 24 * 4 * 64;
    return request;
}

struct MelodyRow {
    const char* name;
    std::vector<SourceNote> notes;
    int expected;
};

class MelodyTrack : public testing::TestWithParam<MelodyRow> {};

TEST_P(MelodyTrack, IsTheTrackWithTheMostTopVoiceOnsets)
{
    EXPECT_EQ(DefaultMelodyTrack(Sorted(GetParam().notes)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Arranger, MelodyTrack,
    testing::Values(
        // Track 1 has more notes, but in chords: track 0 has more onsets.
        MelodyRow{"OnsetsNotNotes",
                  {{0, 72, 0}, {kQ, 74, 0}, {2 * kQ, 76, 0}, {0, 48, 1}, {0, 52, 1}, {0, 55, 1}, {kQ, 50, 1}, {kQ, 53, 1}},
                  0},
        MelodyRow{"DrumsNeverLead", {{0, 72, 0}, {0, 36, 1, true}, {kQ, 36, 1, true}, {2 * kQ, 38, 1, true}}, 0},
        MelodyRow{"TieTakesTheHigher", {{0, 60, 0}, {kQ, 62, 0}, {0, 72, 1}, {kQ, 74, 1}}, 1},
        MelodyRow{"NothingButDrums", {{0, 36, 2, true}}, -1}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

// The melody at its own pitch where it can, else the nearest octave that sounds; never dropped
// while any octave of the box sounds.
TEST(Arranger, ARepeatTooFastMovesTheMelodyByAnOctave)
{
    // E5 four times an eighth apart (12 pixels) on a box whose row needs 20 pixels.
    std::vector<SourceNote> notes;
    for (std::uint32_t i = 0; i < 4; ++i) {
        notes.push_back({i * kQ / 2, 76, 0});
    }
    ArrangeRequest request = RequestFor("33", 20);
    request.transposition = 0;
    const ArrangeResult result = Arrange(Sorted(notes), request);
    ASSERT_EQ(result.notes.size(), 4u);
    EXPECT_EQ(result.notes[0].pitch, 76);
    EXPECT_EQ(result.notes[1].pitch, 88); // up first: the melody stays on top
    EXPECT_EQ(result.notes[2].pitch, 76);
    EXPECT_EQ(result.notes[3].pitch, 88);
    EXPECT_EQ(result.melodyKept, 4);
    ASSERT_EQ(result.edits.size(), 2u);
    EXPECT_EQ(result.edits[0].change, ArrangeChange::MovedOctave);
    EXPECT_EQ(result.edits[0].reason, ArrangeReason::TooClose);
}

struct AccompanimentRow {
    const char* name;
    std::vector<SourceNote> notes; // the melody is track 0
    int maxChord;
    std::vector<int> pitchesAtZero;
    ArrangeReason reason; // of the first edit
};

class Accompaniment : public testing::TestWithParam<AccompanimentRow> {};

TEST_P(Accompaniment, KeepsItsPitchClassBelowTheMelody)
{
    const AccompanimentRow& row = GetParam();
    ArrangeRequest request = RequestFor("33", 1, row.maxChord);
    request.transposition = 0;
    request.melodyTrack = 0;
    const ArrangeResult result = Arrange(Sorted(row.notes), request);
    std::vector<int> atZero;
    for (const ArrangedNote& note : result.notes) {
        if (note.x == 0) {
            atZero.push_back(note.pitch);
        }
    }
    EXPECT_EQ(atZero, row.pitchesAtZero);
    ASSERT_FALSE(result.edits.empty());
    EXPECT_EQ(result.edits.front().reason, row.reason);
}

INSTANTIATE_TEST_SUITE_P(
    Arranger, Accompaniment,
    testing::Values(
        // D#5 under E5: a semitone; the D# goes down an octave.
        AccompanimentRow{"SemitoneClash", {{0, 76, 0}, {0, 75, 1}}, 4, {63, 76}, ArrangeReason::Semitone},
        AccompanimentRow{"AboveTheMelody", {{0, 67, 0}, {0, 76, 1}}, 4, {64, 67}, ArrangeReason::AboveMelody},
        AccompanimentRow{"ChordLimit", {{0, 84, 0}, {0, 60, 1}, {0, 64, 1}, {0, 67, 1}}, 3, {60, 64, 84},
                         ArrangeReason::ChordFull},
        AccompanimentRow{"Doubled", {{0, 79, 0}, {0, 64, 1}, {0, 64, 2}}, 4, {64, 79}, ArrangeReason::Doubled}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Whatever the file, the card keeps every rule of the box.
TEST(Arranger, EveryPlacedNoteIsPlayable)
{
    std::mt19937 random(20261209);
    for (const char* box : {"33", "30F", "30", "20", "15"}) {
        std::vector<SourceNote> notes;
        for (int i = 0; i < 3000; ++i) {
            notes.push_back({static_cast<std::uint32_t>(random() % 200) * kQ / 4, static_cast<int>(36 + random() % 60),
                             static_cast<int>(random() % 4)});
        }
        notes = Sorted(notes);
        const int minDistance = 16;
        const int maxChord = 3;
        const ArrangeResult result = Arrange(notes, RequestFor(box, minDistance, maxChord));
        const std::vector<int>& rows = FindBuiltInBox(box)->notes;
        std::map<int, std::vector<int>> byX;
        std::map<int, std::vector<int>> byPitch;
        for (const ArrangedNote& note : result.notes) {
            ASSERT_TRUE(std::binary_search(rows.begin(), rows.end(), note.pitch)) << box << " " << note.pitch;
            byX[note.x].push_back(note.pitch);
            byPitch[note.pitch].push_back(note.x);
        }
        for (auto& [pitch, xs] : byPitch) {
            std::sort(xs.begin(), xs.end());
            for (std::size_t i = 1; i < xs.size(); ++i) {
                EXPECT_GE(xs[i] - xs[i - 1], minDistance) << box << " pitch " << pitch;
            }
        }
        for (const auto& [x, pitches] : byX) {
            EXPECT_LE(pitches.size(), static_cast<std::size_t>(maxChord)) << box << " x " << x;
            const std::set<int> set(pitches.begin(), pitches.end());
            for (const int p : set) {
                EXPECT_FALSE(set.count(p + 1)) << box << " semitone at x " << x;
            }
        }
        EXPECT_EQ(result.melodyOnTop, result.melodyKept) << box;
        EXPECT_GT(result.melodyKept, 0) << box;
    }
}

// A chord rolled over a few ticks falls on one canvas column: its highest note is the melody there,
// the others are its accompaniment, and none is lost without a line in the change list. A bass a
// tick after the bar line still counts as the bar's bass.
TEST(Arranger, ARolledChordIsOneTimeOnTheCard)
{
    // C4 E4 G4 of the melody track 7 ticks apart (all at x 0), then A4 a quarter later; the bass
    // C3 of track 1 a tick after the second bar line.
    const std::vector<SourceNote> notes = {{1, 60, 0}, {8, 64, 0}, {15, 67, 0}, {kQ + 1, 69, 0},
                                           {4 * kQ + 1, 48, 1}, {4 * kQ + 1, 72, 0}};
    ArrangeRequest request = RequestFor("33");
    request.transposition = 0;
    request.melodyTrack = 0;
    const ArrangeResult result = Arrange(Sorted(notes), request);
    EXPECT_EQ(result.melodyNotes, 3);
    EXPECT_EQ(result.melodyKept, 3);
    EXPECT_EQ(result.melodyOnTop, 3);
    std::vector<std::pair<int, int>> placed;
    for (const ArrangedNote& note : result.notes) {
        placed.emplace_back(note.x, note.pitch);
    }
    const std::vector<std::pair<int, int>> expected = {{0, 60}, {0, 64}, {0, 67}, {24, 69}, {96, 60}, {96, 72}};
    EXPECT_EQ(placed, expected);
    ASSERT_EQ(result.edits.size(), 1u); // C3 is below the box: up to C4
    EXPECT_EQ(result.edits[0].change, ArrangeChange::Replaced);
    EXPECT_EQ(result.bassBeats, 2);
    EXPECT_EQ(result.bassKept, 2);
}

TEST(Arranger, NamesTheShortestBarLengthAtWhichTheMelodyKeepsItsNotes)
{
    // One pitch repeated every sixteenth: 6 pixels on a 96-pixel bar. With an 8 mm repeat the
    // bar must be at least 8 * 96 / 6 = 128 mm long.
    std::vector<SourceNote> notes;
    for (std::uint32_t i = 0; i < 16; ++i) {
        notes.push_back({i * kQ / 4, 72, 0});
    }
    ArrangeRequest request = RequestFor("33");
    const std::vector<int> lengths = {30, 50, 100, 128, 150};
    EXPECT_EQ(ShortestMelodyBarLength(Sorted(notes), request, 8.0, lengths), 128);
    EXPECT_EQ(ShortestMelodyBarLength(Sorted(notes), request, 8.0, std::vector<int>{30, 50}), -1);
    EXPECT_EQ(RepeatDistance(96, 8.0, 50), 16);
}

TEST(Arranger, TheTranspositionServesTheMelodyFirst)
{
    // A melody in F# major on the white-key box: a semitone up or down puts it on white keys; the
    // accompaniment that would rather stay cannot outvote it.
    const std::vector<SourceNote> melody = {{0, 66, 0}, {kQ, 68, 0}, {2 * kQ, 70, 0}, {3 * kQ, 71, 0}};
    std::vector<SourceNote> notes = melody;
    for (int i = 0; i < 20; ++i) {
        notes.push_back({static_cast<std::uint32_t>(i) * kQ, 60, 1});
    }
    const int t = ChooseArrangeTransposition(Sorted(notes), melody, FindBuiltInBox("15")->notes);
    EXPECT_EQ(t, 1);
    for (const SourceNote& note : melody) {
        EXPECT_TRUE(std::binary_search(FindBuiltInBox("15")->notes.begin(), FindBuiltInBox("15")->notes.end(),
                                       note.key + t))
            << note.key + t;
    }
}

} // namespace
} // namespace zembra
