#include "services/music_box_file.h"

#include <gtest/gtest.h>

#include <string>

namespace zembra {
namespace {

// The 30-note box in F, written as a user would: names and numbers mixed.
const std::string kThirtyInF = R"({"name": "My 30 in F",
  "notes": ["F3", "G3", 60, "D4", "E4", "F4", "G4", "A4", "A#4", "B4", "C5", "C#5", "D5", "D#5", "E5", "F5",
            "F#5", "G5", "G#5", "A5", "Bb5", "B5", "C6", "C#6", "D6", "D#6", "E6", "F6", "G6", "A6"],
  "stripWidthMm": 70, "firstRowMm": 6, "rowPitchMm": 2, "holeMm": 1.8, "shortestRepeatMm": 7.25,
  "paperPerTurnMm": 6.593})";

TEST(MusicBoxFile, ReadsNamesAndNumbersIntoTheSameNotesAsTheBuiltInBox)
{
    const BoxFileResult result = ReadMusicBoxFile(QByteArray::fromStdString(kThirtyInF));
    ASSERT_EQ(result.error, BoxFileError::None) << result.field;
    ASSERT_TRUE(result.box);
    EXPECT_EQ(result.box->id, kOwnBoxId);
    EXPECT_EQ(result.box->name, "My 30 in F");
    EXPECT_EQ(result.box->notes, FindBuiltInBox("30F")->notes);
    EXPECT_DOUBLE_EQ(result.box->sizes.shortestRepeatMm, 7.25);
    EXPECT_TRUE(result.box->centsPerTooth.empty());
}

struct BadFile {
    const char* name;
    std::string from; // replaced in kThirtyInF ...
    std::string to;   // ... by this
    BoxFileError error;
    std::string field;
};

class MusicBoxFileRefuses : public testing::TestWithParam<BadFile> {};

TEST_P(MusicBoxFileRefuses, NamingTheField)
{
    std::string text = kThirtyInF;
    const BadFile& bad = GetParam();
    const auto at = text.find(bad.from);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, bad.from.size(), bad.to);
    const BoxFileResult result = ReadMusicBoxFile(QByteArray::fromStdString(text));
    EXPECT_EQ(result.error, bad.error);
    EXPECT_EQ(result.field, bad.field);
    EXPECT_FALSE(result.box);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, MusicBoxFileRefuses,
    testing::Values(BadFile{"NotJson", "{\"name\"", "{name", BoxFileError::NotJson, ""},
                    BadFile{"NoName", "\"name\": \"My 30 in F\",", "", BoxFileError::MissingField, "name"},
                    BadFile{"NotANote", "\"G3\"", "\"H3\"", BoxFileError::WrongType, "notes"},
                    BadFile{"HalfANote", "60,", "60.5,", BoxFileError::WrongType, "notes"},
                    BadFile{"OutOfOrder", "\"F3\", \"G3\"", "\"G3\", \"F3\"", BoxFileError::Refused, "notes"},
                    BadFile{"NoPitch", "\"rowPitchMm\": 2,", "", BoxFileError::MissingField, "rowPitchMm"},
                    BadFile{"PitchAsText", "\"rowPitchMm\": 2", "\"rowPitchMm\": \"2\"", BoxFileError::WrongType,
                            "rowPitchMm"},
                    BadFile{"HoleTooWide", "\"holeMm\": 1.8", "\"holeMm\": 1.95", BoxFileError::Refused, "holeMm"},
                    BadFile{"NoRepeat", "\"shortestRepeatMm\": 7.25", "\"shortestRepeatMm\": 0",
                            BoxFileError::Refused, "shortestRepeatMm"},
                    BadFile{"RowsOffTheStrip", "\"stripWidthMm\": 70", "\"stripWidthMm\": 60", BoxFileError::Refused,
                            "stripWidthMm"},
                    BadFile{"CentsForTwoTeeth", "\"paperPerTurnMm\": 6.593", "\"paperPerTurnMm\": 6.593, \"cents\": [1, 2]",
                            BoxFileError::Refused, "cents"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
} // namespace zembra
