// The recording rules without a window: the key table, keys by their place, and where notes land.
#include "canvas/key_map.h"
#include "canvas/key_position.h"
#include "canvas/keyboard_recorder.h"

#include "song_fixtures.h"

#include <gtest/gtest.h>

namespace zembra {
namespace {

TEST(KeyMap, TwoKeyboardRowsCoverTheTwentyLowestRows)
{
    const KeyMap map;
    const struct {
        int vk;
        int row;
    } cases[] = {
        {0x5A, 0}, {0x58, 1},  {0x43, 2},  {0x56, 3},  {0x42, 4},  {0x4E, 5},  {0x4D, 6},
        {0xBC, 7}, {0xBE, 8},  {0xBF, 9},  {0xE2, 10}, {0x31, 7},  {0x32, 8},  {0x33, 9},
        {0x34, 10}, {0x35, 11}, {0x36, 12}, {0x37, 13}, {0x38, 14}, {0x39, 15}, {0x30, 16},
        {0xBD, 17}, {0xDE, 18}, {0xDC, 19},
        // Not in the table: A, S, D, the arrows, Enter, and codes outside the table.
        {0x41, -1}, {0x53, -1}, {0x44, -1}, {0x25, -1}, {0x26, -1}, {0x27, -1}, {0x28, -1},
        {0x0D, -1}, {0xBB, -1}, {256, -1}, {-1, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(map.RowOf(c.vk), c.row) << std::hex << c.vk;
    }
}

// What a key of each layout reports on Linux (kernel key code + 8) and what the toolkit calls it;
// the row comes from the place alone.
struct LayoutKey {
    const char* layout;
    std::uint32_t xkbKeycode;
    int toolkitKey;
    int row;
};

class KeysByPlace : public testing::TestWithParam<LayoutKey> {};

TEST_P(KeysByPlace, LandOnTheRowOfTheirPlace)
{
    const LayoutKey& key = GetParam();
    const KeyMap map;
    EXPECT_EQ(map.RowOf(RecordingVirtualKey(ScanCodeSet::XkbKeycode, key.xkbKeycode, key.toolkitKey)), key.row)
        << key.layout;
    // Windows gives the same places as set 1 scan codes.
    const std::uint32_t set1 = Set1ScanCode(ScanCodeSet::XkbKeycode, key.xkbKeycode);
    EXPECT_EQ(map.RowOf(RecordingVirtualKey(ScanCodeSet::PcSet1, set1, key.toolkitKey)), key.row) << key.layout;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, KeysByPlace,
    testing::Values(LayoutKey{"us Z", 52, 'Z', 0}, LayoutKey{"us M", 58, 'M', 6}, LayoutKey{"us comma", 59, ',', 7},
                    LayoutKey{"us slash", 61, '/', 9}, LayoutKey{"us 1", 10, '1', 7}, LayoutKey{"us 0", 19, '0', 16},
                    LayoutKey{"us minus", 20, '-', 17}, LayoutKey{"us equal", 21, '=', 18},
                    LayoutKey{"us A", 38, 'A', -1}, LayoutKey{"us Q", 24, 'Q', -1},
                    LayoutKey{"jp Z", 52, 'Z', 0}, LayoutKey{"jp ro", 97, '\\', 10}, LayoutKey{"jp caret", 21, '^', 18},
                    LayoutKey{"jp yen", 132, 0xA5, 19}, LayoutKey{"jp period", 60, '.', 8},
                    // A French keyboard prints W where the Z is, and Z where the W is.
                    LayoutKey{"fr W", 52, 'W', 0}, LayoutKey{"fr Z", 25, 'Z', -1},
                    LayoutKey{"fr comma on M's place", 58, ',', 6}, LayoutKey{"fr ampersand", 10, '&', 7},
                    // A German keyboard swaps Y and Z.
                    LayoutKey{"de Y", 52, 'Y', 0}, LayoutKey{"de Z", 29, 'Z', -1},
                    LayoutKey{"de sharp s", 20, 0xDF, 17}));

TEST(KeysByMeaning, TakeOverWhereNoPlaceIsGiven)
{
    const KeyMap map;
    const struct {
        int toolkitKey;
        int row;
    } cases[] = {{'Z', 0}, {'/', 9}, {'\\', 10}, {'1', 7}, {'-', 17}, {'^', 18}, {0xA5, 19}, {'A', -1},
                 {0x01000012, -1} /* the left arrow */};
    for (const auto& c : cases) {
        EXPECT_EQ(map.RowOf(RecordingVirtualKey(ScanCodeSet::PcSet1, 0, c.toolkitKey)), c.row) << c.toolkitKey;
        EXPECT_EQ(map.RowOf(RecordingVirtualKey(ScanCodeSet::None, 52, c.toolkitKey)), c.row) << c.toolkitKey;
    }
    // Keys of the extended set (the arrows on Windows) are never a recording key.
    EXPECT_EQ(RecordingVirtualKey(ScanCodeSet::PcSet1, 0x14B, 0x01000012), 0);
}

TEST(KeyboardRecorder, PlacesTheClockPositionAfterTheCountIn)
{
    const struct {
        int ppq;
        std::uint32_t ticks;
        int startX;
        int lead;
        int x;
    } cases[] = {
        {24, 480, 0, 96, 24},   // the second beat of the first bar after the count-in
        {24, 0, 0, 96, -96},    // the count-in's first moment
        {24, 364, 0, 96, -5},   // 91 pixels in: five before the song
        {24, 95, 0, 0, 23},     // pixels are truncated
        {80, 96 * 3, 0, 0, 240},
        {24, 96, 480, 0, 504},  // restarted at 480 by a click: tick 0 is there
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyboardRecorder::PlaceOf(c.ppq, c.ticks, 96, c.startX, c.lead), c.x) << c.ticks;
    }
}

TEST(KeyboardRecorder, CountInKeysMakeNoNoteUnlessTheSnapMovesThemOntoTheSong)
{
    SongState song;
    song.ResetSong();
    const KeyboardRecorder recorder;
    EXPECT_EQ(recorder.RecordKey(song, vk::kZ, -5).outcome, KeyboardRecorder::Outcome::Outside);
    EXPECT_EQ(song.noteCount, 0);
    EXPECT_EQ(song.selectedCount, 0);
    song.snapQuarter = 1;
    const KeyboardRecorder::Result snapped = recorder.RecordKey(song, vk::kZ, -5);
    ASSERT_EQ(snapped.outcome, KeyboardRecorder::Outcome::Placed);
    EXPECT_EQ(song.notes[snapped.slot].left, 0);
    // A whole beat before the song stays before it.
    EXPECT_EQ(recorder.RecordKey(song, vk::kZ, -24).outcome, KeyboardRecorder::Outcome::Outside);
}

TEST(KeyboardRecorder, NotesJoinTheSelectionAndTwoPressesMakeTwoNotes)
{
    SongState song;
    song.ResetSong();
    const int earlier = song.AllocateNote(200, song.bandTopOfRow(5));
    song.NormaliseNote(earlier);
    song.notes[earlier].selected = 1;
    song.noteCount = 1;
    song.selectedCount = 1;
    const KeyboardRecorder recorder;
    const auto a = recorder.RecordKey(song, vk::kYen, 24);
    const auto b = recorder.RecordKey(song, vk::kYen, 24);
    ASSERT_EQ(a.outcome, KeyboardRecorder::Outcome::Placed);
    ASSERT_EQ(b.outcome, KeyboardRecorder::Outcome::Placed);
    EXPECT_NE(a.slot, b.slot);
    for (int slot : {a.slot, b.slot}) {
        EXPECT_EQ(song.notes[slot].left, 24);
        EXPECT_EQ(song.notes[slot].top, song.bandTopOfRow(19));
        EXPECT_EQ(song.notes[slot].pitch, song.rows[19].pitch);
        EXPECT_EQ(song.notes[slot].selected, 1);
    }
    EXPECT_EQ(song.notes[earlier].selected, 1);
    EXPECT_EQ(song.noteCount, 3);
    EXPECT_EQ(song.selectedCount, 3);
    EXPECT_EQ(recorder.RecordKey(song, 0x41, 24).outcome, KeyboardRecorder::Outcome::Ignored);
    EXPECT_EQ(song.noteCount, 3);
}

TEST(KeyboardRecorder, AFullStoreIsReported)
{
    SongState song;
    song.ResetSong();
    song.noteCount = kMaxNotes;
    EXPECT_EQ(KeyboardRecorder::PlaceRow(song, 0, 24).outcome, KeyboardRecorder::Outcome::StoreFull);
}

TEST(KeyboardRecorder, TheTakeChangesWhenTheCountDoes)
{
    SongState song;
    song.ResetSong();
    KeyboardRecorder recorder;
    recorder.Begin(song);
    EXPECT_FALSE(recorder.TakeChanged(song));
    KeyboardRecorder::PlaceRow(song, 3, 48);
    EXPECT_TRUE(recorder.TakeChanged(song));
    EXPECT_EQ(KeyboardRecorder::RowOfPitch(song, 60), 0);
    EXPECT_EQ(KeyboardRecorder::RowOfPitch(song, 61), -1);
}

TEST(KeyboardRecorder, AKeyBeyondTheRowsOfTheBoxMakesNothing)
{
    const struct {
        const char* box;
        int key;
        KeyboardRecorder::Outcome outcome;
        int pitch; // of the note made
    } cases[] = {
        {"15", vk::kZ, KeyboardRecorder::Outcome::Placed, 60},
        {"15", vk::k1 + 7, KeyboardRecorder::Outcome::Placed, 84},  // row 14, the top of the box
        {"15", vk::k9, KeyboardRecorder::Outcome::Ignored, 0},      // row 15
        {"15", vk::kYen, KeyboardRecorder::Outcome::Ignored, 0},    // row 19
        {"33", vk::k9, KeyboardRecorder::Outcome::Placed, 76},
        {"33", vk::kYen, KeyboardRecorder::Outcome::Placed, 80},
        {"20", vk::kYen, KeyboardRecorder::Outcome::Placed, 93},    // the top row of the 20-note box
        {"30F", vk::kZ, KeyboardRecorder::Outcome::Placed, 53},
    };
    const KeyboardRecorder recorder;
    for (const auto& c : cases) {
        auto song = NewSong();
        song->UseBox(*FindBuiltInBox(c.box));
        const KeyboardRecorder::Result result = recorder.RecordKey(*song, c.key, 24);
        EXPECT_EQ(result.outcome, c.outcome) << c.box << " " << c.key;
        EXPECT_EQ(song->noteCount, c.outcome == KeyboardRecorder::Outcome::Placed ? 1 : 0) << c.box << " " << c.key;
        if (result.slot >= 0) {
            EXPECT_EQ(song->notes[result.slot].pitch, c.pitch) << c.box << " " << c.key;
        }
    }
}

} // namespace
} // namespace zembra
