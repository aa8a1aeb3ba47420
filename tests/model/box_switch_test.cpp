#include "model/box_switch.h"
#include "model/song_state.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace zembra {
namespace {

std::unique_ptr<SongState> SongOn(const char* id)
{
    auto song = std::make_unique<SongState>();
    song->UseBox(*FindBuiltInBox(id));
    song->ResetSong();
    return song;
}

void AddNote(SongState& song, int left, int pitch)
{
    const int row = song.RowForPitch(pitch);
    ASSERT_GE(row, 0) << pitch;
    const int i = song.AllocateNote(left, song.bandTopOfRow(row));
    ASSERT_TRUE(song.NormaliseNote(i));
    ++song.noteCount;
}

struct BandRow {
    const char* id;
    int rows;
    int lowest;
    int highest;
    int cRows;
};

class SongOnBox : public testing::TestWithParam<BandRow> {};

// The rows, their names and the band all follow the box; row 0 is the lowest note.
TEST_P(SongOnBox, RowsAndBandFollowTheBox)
{
    const BandRow& row = GetParam();
    const auto song = SongOn(row.id);
    EXPECT_EQ(song->rowCount, row.rows);
    EXPECT_EQ(song->bandBottom(), kBandTop + row.rows * 12);
    EXPECT_EQ(song->rows[0].pitch, row.lowest);
    EXPECT_EQ(song->rows[static_cast<std::size_t>(row.rows - 1)].pitch, row.highest);
    EXPECT_EQ(song->rows[static_cast<std::size_t>(row.rows)].pitch, 0) << "no row beyond the box";
    int cRows = 0;
    for (int r = 0; r < song->rowCount; ++r) {
        cRows += song->rows[static_cast<std::size_t>(r)].isC;
        EXPECT_EQ(song->RowForPitch(song->rows[static_cast<std::size_t>(r)].pitch), r);
    }
    EXPECT_EQ(cRows, row.cRows);
    EXPECT_EQ(song->bandTopOfRow(0), song->bandBottom() - 12);
    EXPECT_EQ(song->bandTopOfRow(row.rows - 1), kBandTop);
}

INSTANTIATE_TEST_SUITE_P(Boxes, SongOnBox,
                         testing::Values(BandRow{"33", 33, 60, 93, 3}, BandRow{"30F", 30, 53, 93, 3},
                                         BandRow{"30", 30, 48, 88, 4}, BandRow{"20", 20, 60, 93, 3},
                                         BandRow{"15", 15, 60, 84, 3}),
                         [](const auto& testInfo) { return "Box" + std::string(testInfo.param.id); });

struct SwitchRow {
    const char* name;
    const char* to;
    bool fold;
    BoxSwitchCount expected;
};

class Switch : public testing::TestWithParam<SwitchRow> {};

// A 33-note song whose notes each meet a different fate on the smaller boxes.
TEST_P(Switch, MovesNotesToTheRowOfTheirPitch)
{
    const SwitchRow& row = GetParam();
    auto song = SongOn("33");
    AddNote(*song, 0, 60);   // C4: on every box
    AddNote(*song, 24, 63);  // D#4: not on white-key boxes; folds nowhere on 15/20 (no D# at all)
    AddNote(*song, 48, 93);  // A6: beyond the 15-note box, folds to A5
    AddNote(*song, 48, 81);  // A5 at the same place: the folded A6 would double it
    AddNote(*song, 72, 66);  // F#4: on 30 in C; folds to F#5 on 30F
    AddNote(*song, 96, 91);  // G6: folds to G5 on the 15-note box
    const BoxSwitchCount before = CountBoxSwitch(*song, *FindBuiltInBox(row.to), row.fold);
    const BoxSwitchCount after = SwitchBox(*song, *FindBuiltInBox(row.to), row.fold);
    EXPECT_EQ(before.kept, row.expected.kept);
    EXPECT_EQ(before.folded, row.expected.folded);
    EXPECT_EQ(before.removed, row.expected.removed);
    EXPECT_EQ(after.kept, before.kept);
    EXPECT_EQ(after.folded, before.folded);
    EXPECT_EQ(after.removed, before.removed);
    EXPECT_EQ(song->box.id, row.to);
    int live = 0;
    for (int i = 0; i < song->UsedEnd(); ++i) {
        if (song->IsLive(i)) {
            ++live;
            const int r = song->RowOf(i);
            EXPECT_EQ(song->notes[i].pitch, song->rows[static_cast<std::size_t>(r)].pitch);
        }
    }
    EXPECT_EQ(live, before.kept + before.folded);
    EXPECT_EQ(song->noteCount, live);
}

INSTANTIATE_TEST_SUITE_P(Boxes, Switch,
                         testing::Values(SwitchRow{"To15Folding", "15", true, {2, 1, 3}},
                                         SwitchRow{"To15Removing", "15", false, {2, 0, 4}},
                                         SwitchRow{"To30InC", "30", false, {3, 0, 3}},
                                         SwitchRow{"To30InFFolding", "30F", true, {4, 2, 0}},
                                         SwitchRow{"Back33", "33", false, {6, 0, 0}}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
} // namespace zembra
