#include "import/canvas_settings_rules.h"

#include <gtest/gtest.h>

namespace zembra {
namespace {

std::string entryAt(std::span<const std::string_view> entries, int index)
{
    return index < 0 ? std::string("(none)") : std::string(entries[static_cast<std::size_t>(index)]);
}

TEST(CanvasSettingsRules, ListsOpenOnThePrefixThenTheFirstNotBelow)
{
    struct Case {
        const char* list;
        std::span<const std::string_view> entries;
        int value;
        const char* selected;
    };
    const Case cases[] = {
        {"bars", BarCountEntries(), 16, "16"},
        {"bars", BarCountEntries(), 20, "24"},
        {"bars", BarCountEntries(), 100, "(none)"},
        {"bars", BarCountEntries(), 1, "12"}, // "1" is a prefix of "12"
        {"bars", BarCountEntries(), 0, "8"},
        {"bars", BarCountEntries(), 80, "80"},
        {"bar length", BarLengthEntries(), 33, "35"},
        {"bar length", BarLengthEntries(), 3, "30"},
        {"bar length", BarLengthEntries(), 0, "0"},
        {"bar length", BarLengthEntries(), 101, "(none)"},
        {"bar length", BarLengthEntries(), 40, "40"},
        {"scale", ScaleEntries(), 24, "24"},
        {"scale", ScaleEntries(), 12, "16"},
        {"scale", ScaleEntries(), 9, "96"},
        {"scale", ScaleEntries(), 100, "(none)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(entryAt(c.entries, SelectByValue(c.entries, c.value)), c.selected) << c.list << " " << c.value;
    }
}

TEST(CanvasSettingsRules, TranspositionSearchStartsAfterTheFourthEntry)
{
    struct Case {
        int value;
        const char* selected;
    };
    const Case cases[] = {{-1, "-1"}, {-12, "-12"}, {-10, "-10"}, {-9, "-9"}, {1, "+1"},   {0, "0"},
                          {12, "+12"}, {10, "+10"}, {-13, "0"},  {13, "0"},  {99, "0"}};
    for (const Case& c : cases) {
        EXPECT_EQ(entryAt(TranspositionEntries(), TranspositionIndex(c.value)), c.selected) << c.value;
    }
}

TEST(CanvasSettingsRules, BeatsOpenOnTheirEntryOrFour)
{
    EXPECT_EQ(entryAt(BeatsEntries(), BeatsIndex(3)), "3");
    EXPECT_EQ(entryAt(BeatsEntries(), BeatsIndex(4)), "4");
    EXPECT_EQ(entryAt(BeatsEntries(), BeatsIndex(6)), "4");
    EXPECT_EQ(entryAt(BeatsEntries(), BeatsIndex(-1)), "4");
}

TEST(CanvasSettingsRules, EntriesReadBackAsNumbers)
{
    EXPECT_EQ(ParseEntry("+5"), 5);
    EXPECT_EQ(ParseEntry("-12"), -12);
    EXPECT_EQ(ParseEntry("0"), 0);
    EXPECT_EQ(ParseEntry("12.9"), 12);
    EXPECT_EQ(ParseEntry(""), std::nullopt);
    EXPECT_EQ(ParseEntry("+"), std::nullopt);
    EXPECT_EQ(ParseEntry("+-3"), std::nullopt);
    EXPECT_EQ(ParseEntry("x"), std::nullopt);
    EXPECT_EQ(ParseEntry("3x"), std::nullopt);
}

TEST(CanvasSettingsRules, ClockTempoIsScaledToNinetySixTicks)
{
    EXPECT_EQ(ClockTempoFor(500000, 480), 100000u);
    EXPECT_EQ(ClockTempoFor(500000, 96), 500000u);
    EXPECT_EQ(ClockTempoFor(400000, 120), 320000u);
    EXPECT_EQ(ClockTempoFor(500001, 480), 100000u) << "truncated";
    EXPECT_EQ(ClockTempoFor(500000, 0), 500000u) << "before any file nothing is divided by 0";
    EXPECT_EQ(ClockTempoFor(0, 480), 0u);
}

TEST(CanvasSettingsRules, OkReadsOnlyTheEnabledListsAndNeedsASelectionInEach)
{
    const SettingsValues before{4, 24, 50, 24, 0};
    SettingsEnabled all;
    // "3", "16", "40", "32", "-1"
    const SettingsChoice choice{1, 2, 7, 2, 11};
    const std::optional<SettingsValues> read = ReadChoice(choice, all, before);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->beatsPerBar, 3);
    EXPECT_EQ(read->barCount, 16);
    EXPECT_EQ(read->barLengthMm, 40);
    EXPECT_EQ(read->pixelsPerQuarter, 32);
    EXPECT_EQ(read->transposition, -1);

    SettingsChoice noBars = choice;
    noBars.bars = -1;
    EXPECT_FALSE(ReadChoice(noBars, all, before)) << "an enabled list without a selection";
    SettingsEnabled barsOff = all;
    barsOff.bars = false;
    const std::optional<SettingsValues> kept = ReadChoice(noBars, barsOff, before);
    ASSERT_TRUE(kept) << "a disabled list is not validated";
    EXPECT_EQ(kept->barCount, 24) << "nor written";
    EXPECT_EQ(kept->beatsPerBar, 3);
}

TEST(CanvasSettingsRules, CountsLineAfterATranspositionChange)
{
    EXPECT_EQ(TranspositionCountsLine(52, 3),
              " importable note : 52\xE3\x80\x80 pieces  non importation note : 3\xE3\x80\x80 pieces");
}

} // namespace
} // namespace zembra
