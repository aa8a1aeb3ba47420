#include "card/print_dialog_rules.h"

#include <gtest/gtest.h>

namespace zembra {
namespace {

TEST(PrintDialogRules, BarLengthItemByPrefixThenByValue)
{
    struct Case {
        int value;
        std::string_view item;
    };
    const Case cases[] = {
        {50, "50"}, {0, "0"}, {33, "35"}, // no item begins with "33": the first value ≥ 33
        {10, "100"},                       // the prefix search finds "100" first
        {1, "15"},  {3, "30"}, {101, "100"}, {200, "100"}, {150, "100"}, {-5, "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kBarLengthItems[static_cast<std::size_t>(SelectBarLengthItem(c.value))], c.item) << c.value;
    }
}

TEST(PrintDialogRules, ItemValues)
{
    EXPECT_EQ(BarLengthOfItem(0), 0);
    EXPECT_EQ(BarLengthOfItem(5), 32);
    EXPECT_EQ(BarLengthOfItem(15), 100);
    EXPECT_EQ(BarLengthOfItem(16), 0);
}

TEST(PrintDialogRules, SilentCountLabel)
{
    EXPECT_EQ(SilentCountText(0, 5, "n: "), "");
    EXPECT_EQ(SilentCountText(50, 3, "n: "), "n: 3");
    EXPECT_EQ(SilentCountText(50, -1, "n: "), "n: 0");
}

TEST(PrintDialogRules, CardStartBar)
{
    EXPECT_EQ(CardStartBar(0, 96), 1);
    EXPECT_EQ(CardStartBar(95, 96), 1);
    EXPECT_EQ(CardStartBar(96, 96), 2);
    EXPECT_EQ(CardStartBar(300, 96), 4);
    EXPECT_EQ(CardStartBar(300, 0), 1);
}

TEST(PrintDialogRules, SketchMarks)
{
    struct Case {
        const char* what;
        PrintNote note;
        bool flipped;
        SketchMark mark;
    };
    // 96 canvas pixels a bar, 150 sketch pixels a bar; 33 rows on 34 lines, line 0 at the top.
    const Case cases[] = {
        {"the first moment, top row", {0, 0, 0}, false, {0, 1}},
        {"the first moment, top row, turned", {0, 0, 0}, true, {0, 32}},
        {"half a bar on, bottom row", {48, 32, 0}, false, {75, 33}},
        {"half a bar on, bottom row, turned", {48, 32, 0}, true, {75, 0}},
        {"the third bar's last pixel, row 10", {95, 10, 2}, false, {2 * 150 + 148, 11}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SketchMarkOf(c.note, 96, 150, 33, c.flipped), c.mark) << c.what;
    }
}

} // namespace
} // namespace zembra
