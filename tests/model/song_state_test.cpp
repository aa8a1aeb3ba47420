#include "model/key_names.h"
#include "model/occupancy_grid.h"
#include "model/song_state.h"
#include "model/song_tidy.h"

#include "song_fixtures.h"

#include <gtest/gtest.h>

#include <memory>

namespace zembra {
namespace {

TEST(SongState, NewSongIsEmpty)
{
    auto song = NewSong();
    EXPECT_EQ(song->noteCount, 0);
    EXPECT_EQ(song->canvasWidth, 2304);
    EXPECT_EQ(song->musicLength, 2304);
    EXPECT_EQ(song->UsedEnd(), 0);
    EXPECT_EQ(song->tempo, 500000.0);
    EXPECT_EQ(song->title, "My Music");
    EXPECT_EQ(song->author, "<non>");
    EXPECT_EQ(song->printOptions.repeatImage, 1);
    EXPECT_EQ(song->printOptions.fitSongToCard, 1);
    EXPECT_EQ(song->printOptions.mirrorCard, 0);
}

TEST(SongState, ResetKeepsImportTransposition)
{
    auto song = NewSong();
    song->importTransposition = -3;
    song->temporaryTransposition = 5;
    song->ResetSong();
    EXPECT_EQ(song->importTransposition, -3);
    EXPECT_EQ(song->temporaryTransposition, 0);
}

TEST(SongState, RowTableIsTheCombsScale)
{
    auto song = NewSong();
    struct Case {
        int row, pitch;
        const char* name;
        int isC;
    };
    const Case cases[] = {{0, 60, "C", 1},   {1, 62, "D", 0},   {2, 63, "Eb", 0},  {11, 72, "C", 1},
                          {12, 73, "C#", 0}, {21, 82, "Bb", 0}, {23, 84, "C", 1},  {32, 93, "A", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(song->rows[c.row].pitch, c.pitch);
        EXPECT_EQ(song->rows[c.row].name.view(), c.name);
        EXPECT_EQ(song->rows[c.row].isC, c.isC);
        EXPECT_EQ(song->rows[c.row].velocity, 64);
        EXPECT_EQ(song->RowForPitch(c.pitch), c.row);
    }
    EXPECT_EQ(song->RowForPitch(61), -1);
    EXPECT_EQ(song->RowForPitch(94), -1);
}

TEST(SongState, NormaliseSnapsOntoRowsOrKills)
{
    struct Case {
        int left, top;
        bool live;
        int topAfter, pitch;
    };
    // Band 50..446; rows are 12 high; the remainder takes the sign of top - 50.
    const Case cases[] = {
        {0, 45, true, 50, 93},     // just above the band: onto the top row
        {0, 39, true, 50, 93},     //
        {0, 38, false, 0, 0},      // a whole row above: gone
        {0, 55, true, 50, 93},     // inside the top row
        {0, 434, true, 434, 60},   // bottom row
        {0, 440, true, 434, 60},   //
        {0, 446, false, 0, 0},     // below the band
        {-1, 100, false, 0, 0},    // before the start
        {2300, 100, false, 0, 0},  // its right edge passes the canvas end
        {2296, 290, true, 290, 73} // right edge exactly at the end; row 12
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top);
        auto song = NewSong();
        song->notes[0].left = c.left;
        song->notes[0].top = c.top;
        song->notes[0].right = c.left + song->noteWidth;
        song->notes[0].selected = 1;
        EXPECT_EQ(song->NormaliseNote(0), c.live);
        EXPECT_EQ(song->notes[0].top, c.topAfter);
        EXPECT_EQ(song->notes[0].pitch, c.pitch);
        if (!c.live) {
            EXPECT_EQ(song->notes[0].left, 0);
            EXPECT_EQ(song->notes[0].right, song->noteWidth);
            EXPECT_EQ(song->notes[0].bottom, song->rowHeight);
            EXPECT_EQ(song->notes[0].selected, 0);
            EXPECT_TRUE(song->notes[0].name.empty());
            EXPECT_FALSE(song->IsFree(0)) << "a dead slot keeps its place";
        }
    }
}

TEST(SongState, LiveTestAloneAcceptsANoteThatNormalisationKills)
{
    auto song = NewSong();
    song->notes[0] = {song->canvasWidth - 4, 50, song->canvasWidth + 4, 62, 0, 0, 0, {}};
    EXPECT_TRUE(song->IsLive(0));
    EXPECT_FALSE(song->NormaliseNote(0));
}

TEST(SongState, AllocationReusesDeadSlotsAndScansPastThem)
{
    auto song = NewSong();
    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(song->AllocateNote(i * 20, 50), i);
        song->NormaliseNote(i);
        ++song->noteCount;
    }
    song->notes[3].selected = 1;
    song->selectedCount = 1;
    song->DeleteSelected();
    EXPECT_EQ(song->selectedCount, 0);
    EXPECT_EQ(song->AllocateNote(500, 62), 3);
    EXPECT_EQ(song->UsedEnd(), 10);
    // A note in slot 9 is still found behind the reused slot.
    EXPECT_EQ(song->HitTest(9 * 20 + 2, 55), 9);
}

TEST(SongState, HitTestPrefersTheHigherSlotAndIncludesEdges)
{
    auto song = NewSong();
    for (int i = 0; i < 2; ++i) {
        song->AllocateNote(100, 50);
        song->NormaliseNote(i);
    }
    EXPECT_EQ(song->HitTest(104, 55), 1);
    EXPECT_EQ(song->HitTest(100, 50), 1);
    EXPECT_EQ(song->HitTest(108, 62), 1);
    EXPECT_EQ(song->HitTest(109, 55), -1);
    EXPECT_EQ(song->HitTest(99, 55), -1);
}

TEST(SongState, TheStoreRefusesThe1501stNote)
{
    auto song = NewSong();
    for (int i = 0; i < kMaxNotes; ++i) {
        const int slot = song->AllocateNote(i % 2000, 50 + (i % 33) * 12);
        ASSERT_EQ(slot, i);
        song->NormaliseNote(slot);
        ++song->noteCount;
    }
    const auto before = song->notes;
    EXPECT_EQ(song->AllocateNote(10, 60), kNoFreeSlot);
    EXPECT_EQ(song->notes[0].left, before[0].left);
    // Even with a stale count, a store whose every slot is live has nothing to give.
    song->noteCount = 0;
    EXPECT_EQ(song->AllocateNote(10, 60), kNoFreeSlot);
}

TEST(SongState, SelectionCounts)
{
    auto song = NewSong();
    for (int i = 0; i < 4; ++i) {
        song->AllocateNote(i * 10, 50);
        song->NormaliseNote(i);
    }
    song->KillSlot(2);
    song->SelectAll();
    EXPECT_EQ(song->selectedCount, 3);
    EXPECT_EQ(song->notes[2].selected, 0);
    song->DeselectAll();
    EXPECT_EQ(song->selectedCount, 0);
    EXPECT_EQ(song->notes[0].selected, 0);
}

TEST(SongTidy, MusicLengthRoundsUpToABar)
{
    auto song = NewSong(); // a bar is 96 pixels
    struct Case {
        int right;
        int expected;
    };
    for (const Case c : {Case{100, 192}, Case{192, 192}, Case{8, 96}, Case{97, 192}}) {
        EXPECT_EQ(MusicLengthFor(*song, c.right, true), c.expected) << c.right;
    }
    EXPECT_EQ(MusicLengthFor(*song, 0, false), song->canvasWidth);
}

TEST(SongTidy, CountsNormalisesAndFillsTheGrid)
{
    auto song = NewSong();
    OccupancyGrid grid;
    song->notes[0] = {92, 55, 100, 67, 0, 0, 0, {}};   // onto the top row
    song->notes[1] = {10, 30, 18, 42, 1, 0, 0, {}};    // above the band: dies
    song->notes[2] = {200, 434, 208, 446, 1, 0, 0, {}}; // bottom row, selected
    TidySong(*song, grid);
    EXPECT_EQ(song->noteCount, 2);
    EXPECT_EQ(song->selectedCount, 1);
    EXPECT_EQ(song->musicLength, 288);
    EXPECT_EQ(song->notes[0].top, 50);
    EXPECT_EQ(song->notes[0].pitch, 93);
    EXPECT_EQ(grid.SlotAt(92, 32), 0);
    EXPECT_EQ(grid.SlotAt(200, 0), 2);
    EXPECT_TRUE(grid.ColumnMarked(200));
    EXPECT_FALSE(grid.ColumnMarked(10));
    EXPECT_EQ(grid.SlotAt(8192, 0), -1);
    EXPECT_EQ(grid.SlotAt(-1, 0), -1);
}

TEST(SongTidy, ColumnsBeyondTheGridAreNotEntered)
{
    auto song = NewSong();
    song->barCount = 100; // 9600 pixels
    song->canvasWidth = 9600;
    OccupancyGrid grid;
    song->notes[0] = {9000, 50, 9008, 62, 0, 0, 0, {}};
    TidySong(*song, grid);
    EXPECT_EQ(song->noteCount, 1);
    EXPECT_FALSE(grid.ColumnMarked(8191));
}

TEST(SongTidy, ZeroBeatsPerBarDoesNotDivideByZero)
{
    auto song = NewSong();
    song->beatsPerBar = 0;
    OccupancyGrid grid;
    song->notes[0] = {100, 50, 108, 62, 0, 0, 0, {}};
    TidySong(*song, grid);
    EXPECT_EQ(song->musicLength, 108);
}

TEST(KeyNames, PairsAndWrap)
{
    KeyNames names;
    names.LoadKeyNames();
    EXPECT_EQ(names.pairs[0], "C Am");
    EXPECT_EQ(names.pairs[1], "C# Bbm");
    EXPECT_EQ(names.pairs[11], "B G#m");
    struct Case {
        int semitones, key;
    };
    for (const Case c : {Case{0, 0}, Case{-1, 11}, Case{-12, 0}, Case{13, 1}, Case{-25, 11}}) {
        EXPECT_EQ(KeyNames::KeyIndex(c.semitones), c.key) << c.semitones;
    }
}

} // namespace
} // namespace zembra
