// Mending the notes the hole-spacing check flags: by octaves where there is room, else away.
#include "canvas/hole_mend.h"
#include "model/too_close.h"

#include "song_fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>
#include <vector>

namespace zembra {
namespace {

// A note by its x and its row (0 = middle C at the bottom).
struct At {
    int left;
    int row;
    bool operator<(const At& o) const { return left != o.left ? left < o.left : row < o.row; }
    bool operator==(const At&) const = default;
};

std::unique_ptr<SongState> songOf(const std::vector<At>& notes)
{
    auto song = NewSong();
    song->barCount = 80;
    song->canvasWidth = song->pixelsPerQuarter * song->beatsPerBar * song->barCount;
    for (const At& at : notes) {
        PlaceNote(*song, at.left, song->bandTopOfRow(at.row));
    }
    return song;
}

std::multiset<At> notesOf(const SongState& song)
{
    std::multiset<At> found;
    for (int i = 0; i < song.UsedEnd(); ++i) {
        if (song.IsLive(i)) {
            found.insert({song.notes[i].left, song.RowOf(i)});
        }
    }
    return found;
}

int closeHoles(const SongState& song, int minDistance)
{
    const std::vector<HolePair> list = CheckList(song);
    int count = 0;
    for (std::size_t i = 1; i < list.size(); ++i) {
        count += list[i].top == list[i - 1].top && list[i].left - list[i - 1].left < minDistance ? 1 : 0;
    }
    return count;
}

struct MendCase {
    const char* name;
    std::vector<At> before;
    int minDistance;
    std::vector<At> after;
    int moved;
    int removed;
};

class Mending : public testing::TestWithParam<MendCase> {};

TEST_P(Mending, MovesByOctavesInTheOrderUpDownTwoUpTwoDownElseDeletes)
{
    const MendCase& c = GetParam();
    auto song = songOf(c.before);
    const MendResult result = MendCloseHoles(*song, c.minDistance);
    EXPECT_EQ(notesOf(*song), std::multiset<At>(c.after.begin(), c.after.end()));
    EXPECT_EQ(result.moved, c.moved);
    EXPECT_EQ(result.removed, c.removed);
    EXPECT_EQ(static_cast<int>(result.movedSlots.size()), c.moved);
    EXPECT_EQ(closeHoles(*song, c.minDistance), 0);
    EXPECT_EQ(song->noteCount, static_cast<int>(c.after.size()));
    EXPECT_EQ(song->selectedCount, c.moved);
    for (const int slot : result.movedSlots) {
        EXPECT_TRUE(song->notes[slot].selected) << "moved notes are selected";
        EXPECT_EQ(song->notes[slot].pitch, song->rows[song->RowOf(slot)].pitch) << "a note sounds its row";
    }
}

// Rows: row r sounds pitch r + 61 (row 0 is 60), so an octave is 12 rows from row 1 on; row 0
// (60) and row 11 (72) are an octave apart too.
INSTANTIATE_TEST_SUITE_P(Cases, Mending, testing::Values(
    MendCase{"NothingTooClose", {{0, 5}, {16, 5}, {0, 6}}, 16, {{0, 5}, {16, 5}, {0, 6}}, 0, 0},
    MendCase{"UpAnOctave", {{0, 5}, {10, 5}}, 16, {{0, 5}, {10, 17}}, 1, 0},
    MendCase{"MiddleCGoesUpTwelvePitchesNotTwelveRows", {{0, 0}, {10, 0}}, 16, {{0, 0}, {10, 11}}, 1, 0},
    MendCase{"UpTakenSoDown", {{0, 20}, {10, 20}, {5, 32}}, 16, {{0, 20}, {10, 8}, {5, 32}}, 1, 0},
    // Row 25 is 86: 98 is off the comb, 74 is row 13.
    MendCase{"NoRowAboveSoDown", {{0, 25}, {10, 25}}, 16, {{0, 25}, {10, 13}}, 1, 0},
    // Row 2 is 63: 75 (row 14) is taken, 51 is off the comb, 87 (row 26) is free.
    MendCase{"TwoOctavesUp", {{0, 2}, {10, 2}, {20, 14}}, 16, {{0, 2}, {10, 26}, {20, 14}}, 1, 0},
    // Row 13 is 74: 86 (row 25) taken, 62 (row 1) taken, 98 off, 50 off: deleted.
    MendCase{"NoRoomAnywhere", {{0, 13}, {10, 13}, {0, 25}, {20, 1}}, 16, {{0, 13}, {0, 25}, {20, 1}}, 0, 1},
    // A neighbour exactly the distance away leaves room.
    MendCase{"RoomAtExactlyTheDistance", {{0, 5}, {10, 5}, {26, 17}}, 16, {{0, 5}, {10, 17}, {26, 17}}, 1, 0},
    // 0, 10, 20: the note at 10 moves, and the one at 20 is then 20 from its neighbour.
    MendCase{"AMoveCanMendTheNextNote", {{0, 5}, {10, 5}, {20, 5}}, 16, {{0, 5}, {10, 17}, {20, 5}}, 1, 0},
    MendCase{"TwoNotesInOnePlace", {{40, 9}, {40, 9}}, 16, {{40, 9}, {40, 21}}, 1, 0},
    // The earlier note moves up to row 17 (78); the later one (row 29, 90) has no row above and
    // finds row 17 taken now, and row 5 (66) too near the note that stayed there.
    MendCase{"FirstComeFirstServed", {{0, 5}, {10, 5}, {12, 29}, {15, 29}}, 16, {{0, 5}, {10, 17}, {12, 29}}, 1, 1},
    MendCase{"NoDistanceNothingToDo", {{0, 5}, {0, 5}}, 0, {{0, 5}, {0, 5}}, 0, 0}),
    [](const auto& test) { return std::string(test.param.name); });

// The rows an octave or two from a row, where the comb has them.
std::vector<int> octaveRows(const SongState& song, int row)
{
    std::vector<int> rows;
    for (const int shift : {12, -12, 24, -24}) {
        const int target = song.RowForPitch(song.rows[row].pitch + shift);
        if (target >= 0) {
            rows.push_back(target);
        }
    }
    return rows;
}

TEST(Mending, RandomSongsEndWithNothingTooCloseAndNoNoteRemovedThatHadRoom)
{
    std::mt19937 random(20240611);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        const int minDistance = 4 + static_cast<int>(random() % 40);
        std::vector<At> notes;
        const int count = 2 + static_cast<int>(random() % 120);
        const int width = 50 + static_cast<int>(random() % 600);
        for (int i = 0; i < count; ++i) {
            notes.push_back({static_cast<int>(random() % width), static_cast<int>(random() % kDefaultRowCount)});
        }
        auto song = songOf(notes);
        const auto before = std::make_unique<SongState>(*song);
        const MendResult result = MendCloseHoles(*song, minDistance);

        EXPECT_EQ(closeHoles(*song, minDistance), 0);
        EXPECT_EQ(result.removed, static_cast<int>(notes.size()) - song->noteCount);
        const std::set<int> moved(result.movedSlots.begin(), result.movedSlots.end());
        for (int i = 0; i < before->UsedEnd(); ++i) {
            const NoteRecord& was = before->notes[i];
            const NoteRecord& now = song->notes[i];
            if (!song->IsLive(i)) {
                // Removed: every octave row still has a note too near its place.
                for (const int row : octaveRows(*before, before->RowOf(i))) {
                    bool blocked = false;
                    for (int j = 0; j < song->UsedEnd(); ++j) {
                        blocked |= song->IsLive(j) && song->RowOf(j) == row &&
                                   std::abs(song->notes[j].left - was.left) < minDistance;
                    }
                    EXPECT_TRUE(blocked) << "note " << i << " had room on row " << row;
                }
                continue;
            }
            EXPECT_EQ(now.left, was.left) << "notes move only up and down";
            if (moved.count(i)) {
                const int shift = now.pitch - was.pitch;
                EXPECT_TRUE(shift == 12 || shift == -12 || shift == 24 || shift == -24) << shift;
                EXPECT_TRUE(now.selected);
            } else {
                EXPECT_EQ(now.top, was.top) << "a note nobody flagged stays";
                EXPECT_FALSE(now.selected);
            }
        }
    }
}

} // namespace
} // namespace zembra
