// The file's tracks as the import lists them, and the numbers --tracks takes.
#include "import/track_list.h"

#include "import_tracks.h"

#include <gtest/gtest.h>

#include <optional>

namespace zembra {
namespace {

TEST(TrackList, ASummaryCountsStrikesAndTheirChannels)
{
    // A strike on channel 1, one on channel 10, a release and a Note On without velocity (also a
    // release), and a controller on channel 3: two notes on channels 1 and 10.
    const auto track = import_test::trackOf(
        {{0, 60, 64, 0x90}, {0, 36, 90, 0x99}, {10, 60, 0, 0x80}, {10, 36, 0, 0x99}, {20, 7, 100, 0xB2}});
    const TrackSummary summary = SummarizeTrack(*track, "Piano");
    EXPECT_EQ(summary, (TrackSummary{"Piano", 0b10'0000'0001, 2}));
    EXPECT_EQ(ChannelListText(summary.channels), "1, 10");
    EXPECT_EQ(ChannelListText(0), "");
    EXPECT_EQ(ChannelListText(0x8000), "16");
}

TEST(TrackList, NumbersAreReadAsInfoListsThem)
{
    struct Case {
        const char* list;
        std::optional<std::uint32_t> chosen;
    };
    const Case cases[] = {
        {"1", 0b1},          {"1,3,5", 0b10101}, {" 2 , 4", 0b1010}, {"3,3", 0b100}, {"16", 0x8000},
        {"", std::nullopt},  {"0", std::nullopt}, {"17", std::nullopt}, {"-1", std::nullopt},
        {"1,", std::nullopt}, {",1", std::nullopt}, {"1,,2", std::nullopt}, {"1-3", std::nullopt},
        {"one", std::nullopt}, {"2.5", std::nullopt}, {"1 2", std::nullopt}, {"99999999999", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseTrackNumbers(c.list, 16), c.chosen) << '"' << c.list << '"';
    }
}

TEST(TrackList, AChoiceLeavesOutTheOthers)
{
    EXPECT_EQ(TracksLeftOutBesides(0b101) & 0xFFFF, 0xFFFAU);
    EXPECT_EQ(HighestTrackNumber(0b101), 3);
    EXPECT_EQ(HighestTrackNumber(0x8000), 16);
    EXPECT_EQ(HighestTrackNumber(0), 0);
}

} // namespace
} // namespace zembra
