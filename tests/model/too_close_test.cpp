#include "model/too_close.h"

#include "model/damper_clicks.h"

#include "song_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zembra {
namespace {

constexpr int kRow = 50 + 10 * 12;

TEST(TooClose, WorkedExamples)
{
    struct Case {
        const char* name;
        int barLengthMm;
        std::vector<std::pair<int, int>> notes; // left, top
        int minDistance;
        int count;
    };
    const Case cases[] = {
        {"0 and 40 at 50 mm", 50, {{0, kRow}, {40, kRow}}, 16, 0},
        {"0 and 40 at 15 mm", 15, {{0, kRow}, {40, kRow}}, 52, 1},
        {"neighbouring rows", 15, {{0, kRow}, {40, kRow + 12}}, 52, 0},
        {"three in a row", 50, {{0, kRow}, {10, kRow}, {20, kRow}}, 16, 2},
        {"same place", 50, {{30, kRow}, {30, kRow}}, 16, 1},
        {"slot order does not matter", 50, {{20, kRow}, {0, kRow}, {10, kRow}}, 16, 2},
        {"one note", 50, {{0, kRow}}, 16, -1},
        {"no note", 50, {}, 16, -1},
        {"bar length 0 before any print", 0, {{0, kRow}, {1, kRow}}, 0, 0},
    };
    for (const Case& c : cases) {
        auto song = NewSong(); // 4/4, 24 pixels a quarter: 96 a bar
        song->barLengthMm = c.barLengthMm;
        for (const auto& [left, top] : c.notes) {
            PlaceNote(*song, left, top);
        }
        std::vector<HolePair> list;
        EXPECT_EQ(MinHoleDistance(*song, {}), c.minDistance) << c.name;
        EXPECT_EQ(CountCloseHoles(*song, {}, list), c.count) << c.name;
        // Playback hears as damped exactly the notes the check counts.
        const std::vector<bool> damped = DampedNotes(*song, MinHoleDistance(*song, {}));
        EXPECT_EQ(std::count(damped.begin(), damped.end(), true), std::max(0, c.count)) << c.name;
    }
}

TEST(TooClose, TheDampedNoteIsTheLaterOfEachPair)
{
    auto song = NewSong();
    const int early = PlaceNote(*song, 40, kRow);
    const int late = PlaceNote(*song, 50, kRow);
    const int far = PlaceNote(*song, 90, kRow);
    const int other = PlaceNote(*song, 45, kRow + 12);
    const std::vector<bool> damped = DampedNotes(*song, 16);
    EXPECT_FALSE(damped[early]);
    EXPECT_TRUE(damped[late]);
    EXPECT_FALSE(damped[far]);
    EXPECT_FALSE(damped[other]);
    EXPECT_EQ(std::count(damped.begin(), damped.end(), true), 1);
    const std::vector<bool> none = DampedNotes(*song, 0);
    EXPECT_EQ(std::count(none.begin(), none.end(), true), 0) << "no distance, no damper";
}

TEST(TooClose, BarLengthZeroFitsTheSongOnThePrintableWidth)
{
    auto song = NewSong();
    song->barLengthMm = 0;
    song->musicLength = 960;
    const PrintMetrics metrics{2770, 1900, 13087, 8976}; // 277 mm: 257 mm of card after the leader
    EXPECT_EQ(MinHoleDistance(*song, metrics), 30);       // ceil(960 × 8 / 257) = ceil(29.88)
    song->printOptions.fitSongToCard = 0;                  // the whole canvas instead: 2304 pixels
    EXPECT_EQ(MinHoleDistance(*song, metrics), 72);        // ceil(71.72)
    EXPECT_EQ(MinHoleDistance(*song, {150, 1900, 700, 8976}), 0); // no room after the leader
    PlaceNote(*song, 0, kRow);
    PlaceNote(*song, 60, kRow);
    EXPECT_EQ(CountCloseHoles(*song, metrics, 0), 1);
    EXPECT_EQ(CountCloseHoles(*song, metrics, 50), 0); // asked at another bar length
    EXPECT_EQ(song->barLengthMm, 0);
}

TEST(TooClose, CountsLiveNotesNotAStaleNoteCount)
{
    auto song = NewSong();
    PlaceNote(*song, 0, kRow);
    const int gone = PlaceNote(*song, 5, kRow);
    song->KillSlot(gone); // a deletion leaves noteCount at 2 until the next tidy
    std::vector<HolePair> list;
    EXPECT_EQ(CountCloseHoles(*song, {}, list), -1);
}

TEST(TooClose, ShadesFromBeforeTheEarlierNoteAcrossTheForbiddenDistance)
{
    const std::vector<HolePair> list = {{kRow, 100}, {kRow, 110}, {kRow, 200}, {kRow + 12, 205}};
    const std::vector<TooCloseShade> shades = TooCloseShades(list, 16, 12);
    ASSERT_EQ(shades.size(), 1u);
    EXPECT_EQ(shades[0].left, 98);
    EXPECT_EQ(shades[0].top, kRow - 2);
    EXPECT_EQ(shades[0].width, 16);
    EXPECT_EQ(shades[0].height, 12 + 4);
}

} // namespace
} // namespace zembra
