#include "import/file_facts.h"
#include "text/string_ids.h"

#include <gtest/gtest.h>

#include <vector>

namespace zembra {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(FileFacts, BeatsPerBarFromTheTimeSignature)
{
    struct Case {
        Bytes data;
        int beats;
    };
    const Case cases[] = {
        {{4, 2, 24, 8}, 4}, {{3, 2, 24, 8}, 3}, {{6, 3, 24, 8}, 3}, {{2, 2}, 2},  {{2, 1}, 4},
        {{12, 3}, 6},       {{5, 0}, 5},        {{0, 2}, -1},       {{4}, -1},    {{}, -1},
        {{1, 3}, -1},       {{4, 200}, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BeatsPerBarFromTimeSignature(c.data), c.beats) << int(c.data.empty() ? -1 : c.data[0]);
    }
}

TEST(FileFacts, KeyNameOfEveryKeySignature)
{
    struct Case {
        int sharps;
        int minor;
        int id;
    };
    const Case cases[] = {
        {0, 0, str::kKeyNameC},    {1, 0, str::kKeyNameG},        {2, 0, str::kKeyNameD},
        {7, 0, str::kKeyNameCSharp}, {-1, 0, str::kKeyNameF},     {-7, 0, str::kKeyNameCFlat},
        {-3, 1, str::kMinorNameC}, {3, 1, str::kMinorNameFSharp}, {7, 1, str::kMinorNameASharp},
        {-5, 0, str::kKeyNameDFlat}, {-7, 1, str::kMinorNameAFlat}, {8, 0, 0},
        {-8, 0, 0},                {0, 2, 0},
    };
    for (const Case& c : cases) {
        const Bytes data{static_cast<std::uint8_t>(static_cast<std::int8_t>(c.sharps)), static_cast<std::uint8_t>(c.minor)};
        EXPECT_EQ(KeyNameIdFromKeySignature(data), c.id) << c.sharps << " " << c.minor;
    }
    EXPECT_EQ(KeyNameIdFromKeySignature(Bytes{0}), 0);
}

TEST(FileFacts, TextEventsAreDecodedUpToTheirNul)
{
    EXPECT_EQ(TextFromTextEvent(Bytes{'a', 'b', 0, 'c'}), "ab");
    const Bytes utf8{0xE6, 0x9B, 0xB2}; // 曲
    EXPECT_EQ(TextFromTextEvent(utf8), "\xE6\x9B\xB2");
    const Bytes cp932{0x8B, 0xC8}; // 曲 in Shift-JIS
    EXPECT_EQ(TextFromTextEvent(cp932), "\xE6\x9B\xB2");
    EXPECT_EQ(TextFromTextEvent(Bytes{}), "");
}

TEST(FileFacts, SongFileEndingsInAnyCase)
{
    for (const char* name : {"a.mid", "a.MID", "a.Mid", "a.midi", "a.MIDI", "a.smf", "a.SMF", "/x.y/b.mId"}) {
        EXPECT_TRUE(HasSongFileEnding(name)) << name;
    }
    for (const char* name : {"a.mp3", "a.mi", "mid", "a.mid.txt", "", "a.midx", "smf"}) {
        EXPECT_FALSE(HasSongFileEnding(name)) << name;
    }
}

} // namespace
} // namespace zembra
