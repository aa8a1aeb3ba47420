#include "canvas/note_clip.h"

#include "song_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

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

// Copy on one box, paste on another: each note lands on the row of its pitch, the notes the box
// cannot play are left out and counted, and the rest keep their places in time.
TEST(Paste, LandsByPitchOnTheBoxOfTheCanvas)
{
    struct Case {
        const char* from;
        const char* onto;
        std::vector<int> copied;  // pitches at left 0, 10, 20, ...
        std::vector<int> landed;  // the pitches pasted, in the order copied
        int notPlayable;
    };
    const Case cases[] = {
        {"33", "15", {60, 62, 64, 66, 84, 93}, {60, 62, 64, 84}, 2},
        {"15", "33", {60, 67, 72, 84}, {60, 67, 72, 84}, 0},
        {"30F", "20", {53, 55, 60, 70, 93}, {60, 93}, 3},
        {"30", "30F", {48, 50, 55, 66, 76}, {55, 76}, 3},
        {"20", "30", {60, 65, 71, 88}, {60, 65, 71, 88}, 0},
        {"33", "33", {60, 61, 62, 93}, {60, 62, 93}, 0}, // 61 is no row of the 33-note box: never copied
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " onto " + c.onto);
        auto source = NewSong();
        source->UseBox(*FindBuiltInBox(c.from));
        std::vector<int> copiedLefts;
        for (std::size_t k = 0; k < c.copied.size(); ++k) {
            const int row = source->RowForPitch(c.copied[k]);
            if (row >= 0) {
                PlaceNote(*source, 10 * static_cast<int>(k), source->bandTopOfRow(row), true);
                copiedLefts.push_back(10 * static_cast<int>(k));
            }
        }
        const std::optional<NoteClip> clip = CollectSelection(*source);
        ASSERT_TRUE(clip);
        const std::vector<std::uint8_t> pitchBlock = EncodeClipPitches(*clip);
        const std::vector<int> pitches = DecodeClipPitches(pitchBlock.data(), pitchBlock.size(), clip->entries.size());
        ASSERT_EQ(pitches, clip->pitches);

        auto target = NewSong();
        target->UseBox(*FindBuiltInBox(c.onto));
        PastePlacement placement{100};
        const PasteResult result = PasteNotes(*target, clip->entries, placement, pitches);
        EXPECT_EQ(result.notPlayable, c.notPlayable);
        EXPECT_EQ(result.placed, static_cast<int>(c.landed.size()));
        EXPECT_EQ(result.leftOut, 0);
        std::vector<int> landed;
        for (int i = 0; i < target->UsedEnd(); ++i) {
            if (!target->IsLive(i)) {
                continue;
            }
            const NoteRecord& n = target->notes[i];
            landed.push_back(n.pitch);
            EXPECT_EQ(n.top, target->bandTopOfRow(target->RowForPitch(n.pitch))) << n.pitch;
            EXPECT_EQ(n.selected, 1);
            // The block's first copied note, playable or not, is at the anchor.
            const std::size_t k = static_cast<std::size_t>(
                std::find(c.copied.begin(), c.copied.end(), n.pitch) - c.copied.begin());
            EXPECT_EQ(n.left, 100 + 10 * static_cast<int>(k) - copiedLefts.front()) << n.pitch;
        }
        EXPECT_EQ(landed, c.landed);
        EXPECT_EQ(target->noteCount, static_cast<int>(c.landed.size()));
        EXPECT_EQ(target->selectedCount, static_cast<int>(c.landed.size()));
    }
}

TEST(Paste, WithinOneBoxThePitchesLandWhereThePositionsDo)
{
    auto source = NewSong();
    for (int row : {0, 7, 19, 32}) {
        PlaceNote(*source, 40 + 8 * row, source->bandTopOfRow(row), true);
    }
    const NoteClip clip = *CollectSelection(*source);
    auto byPlace = NewSong();
    auto byPitch = NewSong();
    PastePlacement first{300};
    PastePlacement second{300};
    PasteNotes(*byPlace, clip.entries, first);
    PasteNotes(*byPitch, clip.entries, second, clip.pitches);
    EXPECT_EQ(first.anchorX, second.anchorX);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(byPitch->notes[i].left, byPlace->notes[i].left) << i;
        EXPECT_EQ(byPitch->notes[i].top, byPlace->notes[i].top) << i;
        EXPECT_EQ(byPitch->notes[i].pitch, byPlace->notes[i].pitch) << i;
    }
}

TEST(NoteClip, APitchBlockCountsForItsPositionBlockOnly)
{
    NoteClip clip;
    clip.entries = {1u, 2u};
    clip.pitches = {60, 127};
    const std::vector<std::uint8_t> bytes = EncodeClipPitches(clip);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{2, 0, 0, 0, 60, 0, 0, 0, 127, 0, 0, 0}));
    EXPECT_EQ(DecodeClipPitches(bytes.data(), bytes.size(), 2), clip.pitches);
    EXPECT_TRUE(DecodeClipPitches(bytes.data(), bytes.size(), 3).empty()) << "written for another block";
    EXPECT_TRUE(DecodeClipPitches(bytes.data(), bytes.size() - 1, 2).empty()) << "cut short";
    const std::vector<std::uint8_t> noNote = {1, 0, 0, 0, 128, 0, 0, 0};
    EXPECT_TRUE(DecodeClipPitches(noNote.data(), noNote.size(), 1).empty());
    EXPECT_TRUE(DecodeClipPitches(nullptr, 0, 0).empty());
}

} // namespace
} // namespace zembra
