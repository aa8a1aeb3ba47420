#include "canvas/note_clip.h"

#include "song_fixtures.h"

#include <gtest/gtest.h>

#include <memory>

namespace zembra {
namespace {

TEST(NoteClip, BlockLayoutIsCountEntriesAndTrailingZero)
{
    auto song = NewSong();
    song->notes[0] = {100, 62, 108, 74, 1, 0, 0, {}};
    song->notes[1] = {40, 50, 48, 62, 0, 0, 0, {}};
    song->notes[2] = {300, 434, 308, 446, 1, 0, 0, {}};
    song->selectedCount = 2;
    const auto clip = CollectSelection(*song);
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->smallestLeft, 100);
    const std::vector<std::uint8_t> bytes = EncodeClip(*clip);
    const std::vector<std::uint8_t> expected = {
        2,    0,    0, 0,    // count
        62,   0,    100, 0,  // 100 * 65536 + 62, little-endian
        0xB2, 0x01, 0x2C, 0x01, // 300 * 65536 + 434
        0,    0,    0, 0,    // closing word
    };
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(DecodeClip(bytes.data(), bytes.size()), clip->entries);
}

TEST(NoteClip, NothingSelectedNothingToCopy)
{
    auto song = NewSong();
    EXPECT_FALSE(CollectSelection(*song));
}

TEST(NoteClip, BadBlocksReadNoFurtherThanTheData)
{
    struct Case {
        std::vector<std::uint8_t> bytes;
        std::size_t entries;
    };
    const Case cases[] = {
        {{}, 0},
        {{1, 0}, 0},
        {{0xFF, 0xFF, 0xFF, 0xFF, 10, 0, 100, 0}, 1}, // the count claims four billion
        {{3, 0, 0, 0, 10, 0, 100, 0, 0}, 1},          // a stray byte
        {{1, 0, 0, 0}, 0},                            // count without entries or closing word
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeClip(c.bytes.data(), c.bytes.size()).size(), c.entries);
    }
}

TEST(Paste, TwoPastesWithoutAClickStepByEight)
{
    auto song = NewSong();
    // As after copying one note at x = 100: the anchor one note width on, step 8.
    PastePlacement placement{108};
    song->pasteStep = 8;
    song->pasteOriginX = 100;
    const std::vector<std::uint32_t> entries = {100u * 65536u + 62u};
    EXPECT_EQ(PasteNotes(*song, entries, placement).placed, 1);
    EXPECT_EQ(song->notes[0].left, 108);
    EXPECT_EQ(song->notes[0].selected, 1);
    EXPECT_EQ(placement.anchorX, 116);
    PasteNotes(*song, entries, placement);
    EXPECT_EQ(song->notes[1].left, 116);
    EXPECT_EQ(song->notes[0].selected, 0) << "the last paste is the selection";
    EXPECT_EQ(song->selectedCount, 1);
}

TEST(Paste, PlacementKeepsShapeAndWraps)
{
    struct Case {
        int anchor, step, expectedLeftmost, expectedAnchorAfter;
    };
    // Block of notes at 0 and 200 (largest x 200) on a 2304-pixel canvas.
    const Case cases[] = {
        {96, 96, 96, 192},     // one bar on
        {2000, 96, 2000, 2096}, // 2000 + 96 + 200 = 2296 still fits
        {2050, 96, 2050, 20},  // 2050 + 96 + 200 > 2304: wrap to the start
        {50, -96, 50, 2084},   // 50 - 96 < 0: wrap to the end, 2304 - 200 - 20
        {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        auto song = NewSong();
        song->pasteStep = c.step;
        PastePlacement placement{c.anchor};
        PasteNotes(*song, {0u * 65536u + 50u, 200u * 65536u + 98u}, placement);
        EXPECT_EQ(song->notes[0].left, c.expectedLeftmost) << c.anchor;
        EXPECT_EQ(placement.anchorX, c.expectedAnchorAfter) << c.anchor;
    }
}

TEST(Paste, NotesLandingOutsideTheCanvasAreDropped)
{
    auto song = NewSong();
    song->pasteStep = 8;
    PastePlacement placement{2250};
    // A block 100 pixels wide: its right part falls past the canvas end.
    const PasteResult result = PasteNotes(*song, {0u * 65536u + 50u, 100u * 65536u + 50u}, placement);
    EXPECT_EQ(result.placed, 2);
    EXPECT_TRUE(song->IsLive(0));
    EXPECT_EQ(song->notes[0].left, 2250);
    EXPECT_FALSE(song->IsLive(1));
    EXPECT_EQ(song->selectedCount, 1);
    EXPECT_EQ(placement.anchorX, 20);
}

TEST(Paste, EntriesOutsideTheBandPlaceNothing)
{
    auto song = NewSong();
    PastePlacement placement{10};
    PasteNotes(*song, {10u * 65536u + 0u, 10u * 65536u + 60000u, 0xFFFFFFFFu}, placement);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(song->IsLive(i)) << i;
    }
    EXPECT_EQ(song->selectedCount, 0);
}

TEST(Paste, StopsWhenTheStoreIsFull)
{
    auto song = NewSong();
    for (int i = 0; i < kMaxNotes - 1; ++i) {
        song->AllocateNote((i % 200) * 10, 50 + (i / 200) * 12);
        song->NormaliseNote(i);
        ++song->noteCount;
    }
    PastePlacement placement{0};
    const PasteResult result = PasteNotes(*song, {5u * 65536u + 434u, 6u * 65536u + 434u}, placement);
    EXPECT_EQ(result.placed, 1);
    EXPECT_TRUE(result.storeFull);
}

} // namespace
} // namespace zembra
