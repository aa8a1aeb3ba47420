#include "import/arrange_offer.h"
#include "import/arranger.h"
#include "model/music_box.h"
#include "model/too_close.h"
#include "text/strings.h"

#include <gtest/gtest.h>

namespace zembra {
namespace {

constexpr std::uint32_t kQ = 480;
constexpr double kRepeatMm = 8.0;
constexpr int kPixelsPerBar = 96; // 24 pixels a quarter, 4/4

std::vector<SourceNote> Repeated(std::uint32_t every)
{
    std::vector<SourceNote> notes;
    for (std::uint32_t i = 0; i < 16; ++i) {
        notes.push_back({i * every, 72, 0});
    }
    return notes;
}

struct AdviceRow {
    const char* name;
    std::uint32_t every;  // ticks between the repeats of the melody's one pitch
    int barLengthMm;      // the song's; 0 fitted to the paper
    int minDistance;      // the repeat distance the arrangement was made with
    bool show;
    int advisedMm;
};

class BarAdvice : public testing::TestWithParam<AdviceRow> {};

// Eighths are 12 pixels apart: at 8 mm a repeat they sound from a bar of 64 mm, and the list's
// next length is 70. Sixteenths (6 pixels) need 128 mm, longer than any of the list.
TEST_P(BarAdvice, NamesTheListsShortestBarAtWhichTheMelodyKeepsItsNotes)
{
    const AdviceRow& row = GetParam();
    setLanguage(Language::English);
    ArrangeRequest request;
    request.rowPitches = FindBuiltInBox("33")->notes;
    request.canvasWidth = 24 * 4 * 64;
    request.minDistance = row.minDistance;
    const std::vector<SourceNote> notes = Repeated(row.every);
    const ArrangeResult result = Arrange(notes, request);
    const BarLengthAdvice advice = AdviseBarLength(notes, request, result, kRepeatMm, row.barLengthMm);
    EXPECT_EQ(advice.show, row.show);
    EXPECT_EQ(advice.barLengthMm, row.show ? row.advisedMm : -1);
    EXPECT_EQ(advice.text.empty(), !row.show);
    if (row.advisedMm > 0) {
        EXPECT_NE(advice.text.find(std::to_string(row.advisedMm) + " mm"), std::string::npos) << advice.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    ArrangeOffer, BarAdvice,
    testing::Values(AdviceRow{"TooShort", kQ / 2, 50, RepeatDistance(kPixelsPerBar, kRepeatMm, 50), true, 70},
                    AdviceRow{"LongEnough", kQ / 2, 80, RepeatDistance(kPixelsPerBar, kRepeatMm, 80), false, -1},
                    AdviceRow{"FittedToThePaper", kQ / 2, 0, 16, true, 70},
                    AdviceRow{"NoneLongEnough", kQ / 4, 50, RepeatDistance(kPixelsPerBar, kRepeatMm, 50), true, -1}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(ArrangeOffer, MelodyTracksAreTheTracksWithNotesButTheDrumsNamedAndCounted)
{
    setLanguage(Language::English);
    const std::vector<SourceNote> notes = {{0, 36, 1, true}, {0, 60, 2}, {0, 64, 2}, {kQ, 62, 2}, {0, 72, 3}, {kQ, 74, 3}};
    const std::vector<TrackSummary> tracks = {{"", 0, 0}, {"Drums", 1 << 9, 1}, {"Piano", 1, 3}, {"", 2, 2}};
    const std::vector<MelodyTrackChoice> choices = MelodyTrackChoices(notes, tracks);
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].track, 2);
    EXPECT_EQ(choices[0].label, "3: Piano (3 notes)");
    EXPECT_EQ(choices[1].track, 3);
    EXPECT_EQ(choices[1].label, "4: Track 4 (2 notes)");
}

} // namespace
} // namespace zembra
