#include "model/card_constants.h"
#include "model/music_box.h"
#include "model/song_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zembra {
namespace {

struct BoxRow {
    std::string id;
    int count;
    std::vector<int> someNotes; // first, second, last
    double stripWidthMm;
};

class BuiltIn : public testing::TestWithParam<BoxRow> {};

TEST_P(BuiltIn, HasItsNotesAndFitsItsStrip)
{
    const BoxRow& row = GetParam();
    const MusicBox* box = FindBuiltInBox(row.id);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(static_cast<int>(box->notes.size()), row.count);
    EXPECT_EQ(box->notes[0], row.someNotes[0]);
    EXPECT_EQ(box->notes[1], row.someNotes[1]);
    EXPECT_EQ(box->notes.back(), row.someNotes[2]);
    EXPECT_DOUBLE_EQ(box->sizes.stripWidthMm, row.stripWidthMm);
    const BoxCheck check = CheckBox(*box);
    EXPECT_TRUE(check.ok()) << check.field;
}

INSTANTIATE_TEST_SUITE_P(Boxes, BuiltIn,
                         testing::Values(BoxRow{"33", 33, {60, 62, 93}, 69.6}, BoxRow{"30F", 30, {53, 55, 93}, 70.0},
                                         BoxRow{"30", 30, {48, 50, 88}, 70.0}, BoxRow{"20", 20, {60, 62, 93}, 70.0},
                                         BoxRow{"15", 15, {60, 62, 84}, 41.0}),
                         [](const auto& testInfo) { return "Box" + testInfo.param.id; });

TEST(BuiltIn, TheDefaultIsTheCombOfTheCanvasAsItAlwaysWas)
{
    const MusicBox& box = DefaultBox();
    EXPECT_EQ(box.id, "33");
    SongState song;
    song.BuildRows();
    ASSERT_EQ(static_cast<int>(box.notes.size()), kDefaultRowCount);
    for (int r = 0; r < kDefaultRowCount; ++r) {
        EXPECT_EQ(box.notes[r], song.rows[r].pitch) << "row " << r;
    }
    EXPECT_NEAR(box.sizes.firstRowMm + 32 * box.sizes.rowPitchMm + box.sizes.firstRowMm, card::kCardWidthMm, 1e-9);
    EXPECT_DOUBLE_EQ(box.sizes.rowPitchMm, card::kRowPitchMm);
    EXPECT_EQ(FindBuiltInBox("34"), nullptr);
}

struct FaultRow {
    const char* name;
    void (*spoil)(MusicBox&);
    BoxProblem problem;
    std::string field;
};

class Refused : public testing::TestWithParam<FaultRow> {};

TEST_P(Refused, NamesTheField)
{
    MusicBox box = *FindBuiltInBox("20");
    GetParam().spoil(box);
    const BoxCheck check = CheckBox(box);
    EXPECT_EQ(check.problem, GetParam().problem);
    EXPECT_EQ(check.field, GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, Refused,
    testing::Values(
        FaultRow{"SevenNotes", [](MusicBox& b) { b.notes.resize(7); }, BoxProblem::TooFewNotes, "notes"},
        FaultRow{"FortyNineNotes",
                 [](MusicBox& b) {
                     b.notes.clear();
                     for (int n = 30; n < 79; ++n) b.notes.push_back(n);
                     b.sizes.rowPitchMm = 1.2;
                     b.sizes.holeMm = 1.0;
                 },
                 BoxProblem::TooManyNotes, "notes"},
        FaultRow{"NotesOutOfOrder", [](MusicBox& b) { std::swap(b.notes[3], b.notes[4]); }, BoxProblem::NotesOutOfOrder,
                 "notes"},
        FaultRow{"ANoteTwice", [](MusicBox& b) { b.notes[4] = b.notes[3]; }, BoxProblem::NotesOutOfOrder, "notes"},
        FaultRow{"NotAMidiNote", [](MusicBox& b) { b.notes.back() = 128; }, BoxProblem::NoteOutOfRange, "notes"},
        FaultRow{"NoRepeat", [](MusicBox& b) { b.sizes.shortestRepeatMm = 0; }, BoxProblem::SizeNotPositive,
                 "shortestRepeatMm"},
        FaultRow{"HoleAsWideAsThePitch", [](MusicBox& b) { b.sizes.holeMm = 3.0; }, BoxProblem::HoleTooWide, "holeMm"},
        FaultRow{"HoleLeavingJustEnough", [](MusicBox& b) { b.sizes.holeMm = 2.9; }, BoxProblem::None, ""},
        FaultRow{"LastRowOverTheEdge", [](MusicBox& b) { b.sizes.stripWidthMm = 64.0; }, BoxProblem::RowsOutsideStrip,
                 "stripWidthMm"},
        FaultRow{"FirstRowOverTheEdge", [](MusicBox& b) { b.sizes.firstRowMm = 1.0; }, BoxProblem::RowsOutsideStrip,
                 "firstRowMm"},
        FaultRow{"CentsNotOnePerTooth", [](MusicBox& b) { b.centsPerTooth = {0, 1, 2}; }, BoxProblem::TuningMismatch,
                 "cents"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(NoteNames, ReadAsMidiNumbers)
{
    const std::pair<const char*, int> cases[] = {
        {"C4", 60}, {"c4", 60}, {"F#4", 66}, {"Gb4", 66}, {"A#4", 70}, {"A6", 93}, {"C-1", 0},
        {"G9", 127}, {"Cb-1", -1}, {"G#9", -1}, {"H4", -1}, {"C", -1}, {"C10", -1}, {"", -1}, {"C#", -1},
    };
    for (const auto& [name, note] : cases) {
        EXPECT_EQ(NoteFromName(name), note) << name;
    }
    for (int note = 0; note < 128; ++note) {
        EXPECT_EQ(NoteFromName(NameOfNote(note)), note) << NameOfNote(note);
    }
}

} // namespace
} // namespace zembra
