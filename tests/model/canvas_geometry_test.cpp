#include "model/canvas_geometry.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace zembra {
namespace {

TEST(ScrollSizes, FollowTheGrid)
{
    struct Case {
        int pixelsPerQuarter, beats, bars, clientWidth;
        int canvasWidth, totalWidth, page, line;
    };
    const Case cases[] = {
        {16, 3, 24, 800, 1152, 1192, 720, 48},     // 800 / 48 = 16 bars, less one
        {24, 4, 24, 800, 2304, 2344, 672, 96},     //
        {24, 4, 2, 2000, 192, 232, 232, 96},       // the whole song fits: one page
        {96, 4, 24, 300, 9216, 9256, -384, 384},   // a client narrower than a bar
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pixelsPerQuarter * 1000 + c.bars);
        auto song = std::make_unique<SongState>();
        song->pixelsPerQuarter = c.pixelsPerQuarter;
        song->beatsPerBar = c.beats;
        song->barCount = c.bars;
        const ScrollSizes sizes = ComputeScrollSizes(*song, c.clientWidth);
        ASSERT_TRUE(sizes.valid);
        EXPECT_EQ(sizes.canvasWidth, c.canvasWidth);
        EXPECT_EQ(sizes.totalWidth, c.totalWidth);
        EXPECT_EQ(sizes.page, c.page);
        EXPECT_EQ(sizes.line, c.line);
    }
}

TEST(ScrollSizes, NoBeatsMeansNoChange)
{
    auto song = std::make_unique<SongState>();
    song->beatsPerBar = 0;
    EXPECT_FALSE(ComputeScrollSizes(*song, 800).valid);
    song->beatsPerBar = -3;
    EXPECT_FALSE(ComputeScrollSizes(*song, 800).valid);
}

TEST(AdjustColour, ScalesEachChannelAndCaps)
{
    struct Case {
        Rgb in;
        int percent;
        Rgb out;
    };
    const Case cases[] = {
        {{200, 100, 50}, -50, {100, 50, 25}},
        {{240, 240, 240}, 20, {255, 255, 255}},
        {{100, 10, 0}, 17, {117, 11, 0}},
        {{100, 100, 100}, -100, {0, 0, 0}},
        {{100, 100, 100}, 101, {100, 100, 100}}, // out of range: unchanged
        {{100, 100, 100}, -101, {100, 100, 100}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AdjustColour(c.in, c.percent), c.out) << c.percent;
    }
}

TEST(NoteValueAt, FinestGridTheNoteLiesOn)
{
    struct Case {
        int x, scale, value;
    };
    const Case cases[] = {
        {48, 24, 4},  {12, 24, 8}, {6, 24, 16}, {3, 24, 0},  // no 32nds below 48 pixels a quarter
        {6, 48, 32},  {3, 48, 0},  {6, 96, 64}, {0, 16, 4},
        {1, 96, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NoteValueAt(c.x, c.scale), c.value) << c.x << " at " << c.scale;
    }
}

// The canvas scrolls down only when its client cannot hold every row; then far enough to show
// what lies under the band too.
TEST(VerticalScroll, OnlyWhenTheRowsDoNotFit)
{
    struct Case {
        const char* box;
        int clientHeight;
        int range;
    };
    const Case cases[] = {
        {"33", 600, 0},  {"33", 447, 0},       // the band ends with its line at y = 446
        {"33", 446, 40}, {"33", 300, 186},     // too short: down to 40 pixels under the band
        {"15", 231, 0},  {"15", 230, 40},      //
        {"48", 700, 0},  {"48", 626, 40}, {"48", 490, 176},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " in " + std::to_string(c.clientHeight));
        auto song = std::make_unique<SongState>();
        MusicBox box = *FindBuiltInBox(c.box == std::string("48") ? "33" : c.box);
        if (c.box == std::string("48")) {
            box.notes.clear();
            for (int note = 36; note < 36 + 48; ++note) {
                box.notes.push_back(note);
            }
        }
        song->UseBox(box);
        EXPECT_EQ(VerticalScrollRange(*song, c.clientHeight), c.range);
    }
}

TEST(ClientCanvas, RoundTrip)
{
    EXPECT_EQ(CanvasToClientX(0, 0), 20);
    EXPECT_EQ(CanvasToClientX(100, 96), 24);
    EXPECT_EQ(ClientToCanvasX(24, 96), 100);
}

} // namespace
} // namespace zembra
