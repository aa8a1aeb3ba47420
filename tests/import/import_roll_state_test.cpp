// The piano roll of the import editor: geometry, building from tracks, selection and edits.
#include "import_roll_fixture.h"

#include "import/marked_track_walk.h"
#include "import/import_roll_state.h"

#include <gtest/gtest.h>

#include <string>

namespace zembra {
namespace {

using test::NewRoll;
using test::RollTracks;

TEST(RollGeometry, PlacesTicksAndKeysAtBothScales)
{
    struct Case {
        int scale;
        std::int64_t tick;
        int resolution;
        int left;
    } cases[] = {
        {1, 0, 480, 10}, {2, 0, 480, 20}, {1, 480, 480, 26}, {2, 480, 480, 52},
        {1, 1000, 480, 43}, {2, 1000, 480, 86}, {1, 95, 96, 25}, {1, 1, 96, 10},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ImportRollState::LeftAt(c.scale, c.tick, c.resolution), c.left) << c.scale << " " << c.tick;
    }
    struct KeyCase {
        int scale;
        int key;
        int top;
    } keys[] = {{1, 127, 13}, {1, 0, 394}, {2, 60, 428}, {1, 200, 13}, {1, -5, 394}};
    for (const KeyCase& c : keys) {
        EXPECT_EQ(ImportRollState::TopAt(c.scale, c.key), c.top) << c.key;
    }
    EXPECT_EQ(ImportRollState::BitmapHeight(1), 394);
    EXPECT_EQ(ImportRollState::BitmapHeight(2), 788);

    auto roll = NewRoll(480);
    roll->largestTick = 4800;
    EXPECT_EQ(roll->BitmapWidth(1, 700), 700);
    EXPECT_EQ(roll->BitmapWidth(1, 100), 180);
    EXPECT_EQ(roll->BitmapWidth(2, 100), 360);
    roll->largestTick = 2000000;
    EXPECT_EQ(roll->BitmapWidth(2, 700), kRollMaxWidth);
}

TEST(RollGeometry, KnowsTheCanvasScale)
{
    for (int key = 0; key < 128; ++key) {
        const bool row = key == 60 || (key >= 62 && key <= 93);
        EXPECT_EQ(ImportRollState::OnCanvasScale(key), row) << key;
    }
}

TEST(RollBuild, ShowsEveryStrikeOfEveryTrackAndCountsThePlayableOnes)
{
    RollTracks tracks;
    tracks.add({{480, 64}, {960, 61}});
    tracks.add({{480, 64}});
    auto roll = NewRoll(480, 4, 0);
    EXPECT_EQ(roll->Build(tracks.span()), 3);
    EXPECT_EQ(roll->end(), 3);
    EXPECT_EQ(roll->importable, 2);
    EXPECT_EQ(roll->notImportable, 1);
    EXPECT_EQ(roll->CountsText(), "importable note :  2 \nnon : 1");
    const ImportRollNote& second = roll->notes[1];
    EXPECT_EQ(second.left, 42);
    EXPECT_EQ(second.top, (128 - 61) * 3 + 10);
    EXPECT_EQ(second.eventIndex, 2);
    EXPECT_EQ(second.trackIndex, 0);
    EXPECT_EQ(second.tick, 960);
    EXPECT_EQ(roll->zoomNotes[1].left, 84);
    EXPECT_EQ(roll->notes[2].trackIndex, 1);

    // A transposition of -1 moves 61 onto the scale and 64 to 63, still on it.
    roll->transposition = -1;
    roll->Refresh();
    EXPECT_EQ(roll->importable, 3);
    EXPECT_EQ(roll->notImportable, 0);
    EXPECT_EQ(roll->notes[1].key, 60);
}

TEST(RollBuild, CountsTextAddsTheCanvasLimitAbove500)
{
    RollTracks tracks;
    std::vector<test::Strike> strikes;
    for (int i = 0; i < 501; ++i) {
        strikes.push_back({static_cast<std::uint32_t>(i) * 20, 64, 5});
    }
    tracks.add(strikes);
    auto roll = NewRoll(480);
    roll->Build(tracks.span());
    EXPECT_EQ(roll->CountsText(), "importable note :  501   but importable only. 1500  note on music.\nnon : 0");
}

TEST(RollBuild, StopsAt1999NotesAnd110Bars)
{
    RollTracks many;
    std::vector<test::Strike> strikes;
    for (int i = 0; i < 2100; ++i) {
        strikes.push_back({static_cast<std::uint32_t>(i) * 10, 64, 5});
    }
    many.add(strikes);
    many.add({{0, 70}});
    auto roll = NewRoll(480);
    EXPECT_EQ(roll->Build(many.span()), kRollNoteLimit);

    RollTracks longSong;
    strikes.clear();
    for (int bar = 0; bar < 120; ++bar) {
        strikes.push_back({static_cast<std::uint32_t>(bar) * 4 * 96 + 5, 64, 5});
    }
    longSong.add(strikes);
    longSong.add({{0, 70}});
    auto bars = NewRoll(96);
    // The first track stops at bar 110; the second is still read.
    EXPECT_EQ(bars->Build(longSong.span()), 111);
    EXPECT_EQ(bars->notes[110].trackIndex, 1);
}

TEST(RollBuild, ReadsTheMarksOfAnEarlierOk)
{
    // Bar 1 (of 4/4 at 96) is cut: a cut mark in bar 1, the next other strike in bar 2.
    RollTracks tracks;
    tracks.add({{10, 64}, {400, 2}, {500, 2}, {800, 1}, {1200, 66}});
    auto roll = NewRoll(96);
    roll->marksWritten = true;
    EXPECT_EQ(roll->Build(tracks.span()), 5);
    EXPECT_TRUE(roll->marksCut);
    EXPECT_TRUE(roll->timeSignatureLocked());
    EXPECT_EQ(roll->notes[1].left, kRollCut);
    EXPECT_EQ(roll->notes[2].left, kRollCut);
    EXPECT_EQ(roll->notes[3].left, kRollDeleted);
    const ImportRollNote& last = roll->notes[4];
    // 1200 is 48 ticks into bar 3, which now follows bar 2 in bar 1's place.
    EXPECT_EQ(last.tick, 1200 - 384);
    EXPECT_EQ(last.left, 816 * 16 / 96 + 10);
    EXPECT_EQ(last.barsRemoved, -1);
    EXPECT_EQ(last.baseLeft, 1200 * 16 / 96 + 10);
    EXPECT_EQ(roll->importable, 2);

    // Without the flag the same keys are plain (unplayable) notes.
    auto plain = NewRoll(96);
    plain->Build(tracks.span());
    EXPECT_EQ(plain->importable, 2);
    EXPECT_EQ(plain->notImportable, 3);
    EXPECT_FALSE(plain->marksCut);
}

TEST(RollSelection, ClickShiftClickAndBand)
{
    RollTracks tracks;
    tracks.add({{0, 64}, {96, 64}, {192, 70}});
    auto roll = NewRoll(96);
    roll->Build(tracks.span());
    const ImportRollNote a = roll->notes[0];
    const ImportRollNote b = roll->notes[1];
    const ImportRollNote c = roll->notes[2];

    roll->Click(a.left + 1, a.top + 1, false);
    EXPECT_EQ(roll->notes[0].selected, 1);
    roll->Click(b.left, b.bottom, true);
    EXPECT_EQ(roll->selectedCount, 2);
    EXPECT_EQ(roll->zoomNotes[1].selected, 1);
    roll->Click(b.left, b.bottom, true);
    EXPECT_EQ(roll->notes[1].selected, 0);
    roll->Click(c.left, c.top, false);
    EXPECT_EQ(roll->selectedCount, 1);
    EXPECT_EQ(roll->notes[2].selected, 1);
    roll->Click(c.left + 20, c.top, false);
    EXPECT_EQ(roll->selectedCount, 0);

    // A band takes only the notes wholly inside it, edges included.
    roll->Band({a.left, 0, b.right, 400}, false);
    EXPECT_EQ(roll->selectedCount, 2);
    roll->Band({b.left, 0, c.right - 1, 400}, true);
    EXPECT_EQ(roll->notes[1].selected, 0);
    EXPECT_EQ(roll->notes[2].selected, 0);
    EXPECT_EQ(roll->notes[0].selected, 1);
    roll->Band({b.left, 0, c.right, 400}, false);
    EXPECT_EQ(roll->notes[0].selected, 0);
    EXPECT_EQ(roll->selectedCount, 2);
    roll->SelectAll();
    EXPECT_EQ(roll->selectedCount, 3);
}

TEST(RollEdits, OctavesMoveOnlySelectedNotesAndStayWithinTheKeys)
{
    RollTracks tracks;
    tracks.add({{0, 120}, {96, 50}});
    auto roll = NewRoll(96);
    roll->Build(tracks.span());
    EXPECT_FALSE(roll->HasSelection());
    roll->notes[1].selected = 1;
    roll->ShiftOctaves(12);
    EXPECT_EQ(roll->notes[1].key, 62);
    EXPECT_EQ(roll->zoomNotes[1].key, 62);
    EXPECT_EQ(roll->notes[1].onScale, 1);
    EXPECT_EQ(roll->notes[0].key, 120);
    roll->SelectAll();
    roll->ShiftOctaves(12);
    roll->ShiftOctaves(12);
    EXPECT_EQ(roll->notes[0].key, 127);
    EXPECT_EQ(roll->notes[0].octaveShift, 24);
    EXPECT_EQ(roll->notes[0].top, 13);
}

TEST(RollEdits, CutClosesUpWholeBars)
{
    // At 16 ticks per quarter a tick is a pixel: left = tick + 10, a bar of 4/4 is 64.
    RollTracks tracks;
    tracks.add({{30, 64}, {90, 64}, {127, 66}, {128, 67}, {200, 69}});
    auto roll = NewRoll(16);
    roll->Build(tracks.span());
    ASSERT_EQ(roll->notes[0].left, 40);
    ASSERT_EQ(roll->notes[1].left, 100);
    roll->notes[0].selected = roll->notes[1].selected = 1;
    ImportRollCut cut;
    ASSERT_TRUE(roll->CutSpan(0, false, cut));
    EXPECT_EQ(cut.leftEnd, 10);
    EXPECT_EQ(cut.rightEnd, 138);
    EXPECT_EQ(cut.bars, 2);
    roll->Cut(cut);
    EXPECT_EQ(roll->notes[0].left, kRollCut);
    EXPECT_EQ(roll->notes[1].left, kRollCut);
    EXPECT_EQ(roll->notes[2].left, kRollCut);
    EXPECT_EQ(roll->zoomNotes[2].left, kRollCut);
    EXPECT_EQ(roll->notes[3].left, 10);
    EXPECT_EQ(roll->zoomNotes[3].left, 20);
    EXPECT_EQ(roll->notes[4].left, 82);
    EXPECT_EQ(roll->notes[4].barsRemoved, -2);
    EXPECT_EQ(roll->ShownTick(4), 72);
    EXPECT_TRUE(roll->barsShifted);
    EXPECT_TRUE(roll->timeSignatureLocked());
    EXPECT_EQ(roll->removedBars[0] + roll->removedBars[1], 2);
    EXPECT_EQ(roll->removedBars[2], 0);
}

TEST(RollEdits, CutSpanWithoutSelectionTakesTheBarUnderTheBand)
{
    RollTracks tracks;
    tracks.add({{30, 64}});
    auto roll = NewRoll(16, 3);
    roll->Build(tracks.span());
    ImportRollCut cut;
    EXPECT_FALSE(roll->CutSpan(0, false, cut));
    struct Case {
        int bandLeft;
        int leftEnd;
    } cases[] = {{0, 10}, {57, 10}, {58, 58}, {150, 106}};
    for (const Case& c : cases) {
        ASSERT_TRUE(roll->CutSpan(c.bandLeft, true, cut));
        EXPECT_EQ(cut.leftEnd, c.leftEnd) << c.bandLeft;
        EXPECT_EQ(cut.rightEnd, c.leftEnd + 48);
        EXPECT_EQ(cut.bars, 1);
    }
}

TEST(RollEdits, ASecondCutCountsBarsOfTheRollAsShown)
{
    RollTracks tracks;
    tracks.add({{10, 64}, {74, 64}, {138, 64}, {202, 64}, {266, 64}});
    auto roll = NewRoll(16);
    roll->Build(tracks.span());
    roll->notes[1].selected = 1;
    ImportRollCut cut;
    roll->CutSpan(0, false, cut);
    roll->Cut(cut);
    // Bar 1 is gone; the note of bar 3 now shows in bar 2.
    ASSERT_EQ(roll->notes[3].left, 202 - 64 + 10);
    roll->DeselectAll();
    roll->notes[3].selected = 1;
    roll->CutSpan(0, false, cut);
    roll->Cut(cut);
    EXPECT_EQ(roll->removedBars[1], 1);
    EXPECT_EQ(roll->removedBars[2], 0);
    EXPECT_EQ(roll->removedBars[3], 1);
    EXPECT_EQ(roll->notes[4].left, 266 - 128 + 10);
    EXPECT_EQ(roll->ShownTick(4), 266 - 128);
}

TEST(RollEdits, DeleteDuplicatesKeepsTheNoteReadFirst)
{
    RollTracks tracks;
    tracks.add({{480, 64}});
    tracks.add({{480, 64}});
    auto roll = NewRoll(480);
    roll->Build(tracks.span());
    std::vector<int> doomed;
    const DuplicateResult found = roll->ScanDuplicates(&doomed);
    EXPECT_EQ(found.outcome, DuplicateResult::Outcome::Deleted);
    EXPECT_EQ(found.deleted, 1);
    ASSERT_EQ(doomed.size(), 1u);
    EXPECT_EQ(roll->notes[static_cast<std::size_t>(doomed[0])].trackIndex, 1);
    roll->Delete(doomed);
    EXPECT_EQ(roll->notes[1].left, kRollDeleted);
    EXPECT_EQ(roll->zoomNotes[1].top, kRollDeleted);
    EXPECT_EQ(roll->importable, 1);
}

TEST(RollEdits, DeleteDuplicatesTellsTheCases)
{
    struct Case {
        const char* what;
        std::vector<std::vector<test::Strike>> tracks;
        DuplicateResult::Outcome outcome;
        int deleted;
    } cases[] = {
        {"one note", {{{0, 64}}}, DuplicateResult::Outcome::TooFewNotes, 0},
        {"different keys", {{{0, 64}, {0, 65}}}, DuplicateResult::Outcome::NoneFound, 0},
        // 1 tick apart at 480 is the same pixel but not the same time.
        {"same pixel, other tick", {{{0, 64}, {1, 64}}}, DuplicateResult::Outcome::NoneFound, 0},
        {"three of a kind", {{{0, 64}}, {{0, 64}}, {{0, 64}}}, DuplicateResult::Outcome::Deleted, 2},
        // x 256 of key 60 packs like x 0 of key 61: the runs mix, the doubles are still found.
        {"packing overlap", {{{1536, 60}}, {{0, 61}}, {{1536, 60}}}, DuplicateResult::Outcome::Deleted, 1},
    };
    for (const Case& c : cases) {
        RollTracks tracks;
        for (const auto& t : c.tracks) {
            tracks.add(t);
        }
        auto roll = NewRoll(96);
        roll->Build(tracks.span());
        const DuplicateResult result = roll->ScanDuplicates(nullptr);
        EXPECT_EQ(result.outcome, c.outcome) << c.what;
        EXPECT_EQ(result.deleted, c.deleted) << c.what;
    }
}

TEST(RollPlay, PlaysAllNotesOrOnlyTheCanvasOnes)
{
    RollTracks tracks;
    tracks.add({{96, 64}, {192, 61}, {288, 62}});
    auto roll = NewRoll(96, 3);
    roll->Build(tracks.span());
    const std::vector<MidiEvent> all = roll->PlayList(false, 0, 0);
    ASSERT_EQ(all.size(), 1u + 3 * 2 + 1);
    EXPECT_EQ(all[0], (MidiEvent{0, kProgramChange, 10, 0, 0}));
    // x 26: 26 * 96 / 16 ticks after the start, a release and then the strike.
    EXPECT_EQ(all[1], (MidiEvent{156, kNoteOn, 64, 0, 0}));
    EXPECT_EQ(all[2], (MidiEvent{0, kNoteOn, 64, 64, 0}));
    EXPECT_EQ(all[3], (MidiEvent{96, kNoteOn, 61, 0, 0}));
    EXPECT_EQ(all.back(), (MidiEvent{144, kNoteOn, 62, 0, 0}));

    const std::vector<MidiEvent> canvas = roll->PlayList(true, 0, 0);
    ASSERT_EQ(canvas.size(), 1u + 2 * 2 + 1);
    for (const MidiEvent& e : canvas) {
        EXPECT_NE(e.data1, 61);
    }
    // A range from x 40 to 50 holds only the note at 42.
    const std::vector<MidiEvent> range = roll->PlayList(false, 40, 50);
    ASSERT_EQ(range.size(), 4u);
    EXPECT_EQ(range[1].time, 2u * 96 / 16);
    EXPECT_EQ(range[2].data1, 61);
}

TEST(RollCutLines, MarkTheBarAfterTheLastLiveNoteBeforeACut)
{
    RollTracks tracks;
    tracks.add({{10, 64}, {100, 64}, {200, 64}});
    auto roll = NewRoll(16);
    roll->Build(tracks.span());
    EXPECT_TRUE(roll->CutLines().empty());
    roll->notes[1].selected = 1;
    ImportRollCut cut;
    roll->CutSpan(0, false, cut);
    roll->Cut(cut);
    EXPECT_EQ(roll->CutLines(), std::vector<int>{74});
}

TEST(MarkedTrackWalk, ReadsCutsAndDeletions)
{
    RollTracks tracks;
    // 4/4 at 96: bar 384. A cut mark at 400 (bar 1), notes inside, the next other strike at 1000.
    MidiTrack& track = tracks.add({{10, 64}, {400, 2}, {450, 2}, {1000, 1}, {1100, 64}});
    const std::span<const MidiEvent> events(track.EventArray().data(), track.Count());
    struct Expect {
        std::uint32_t abs;
        std::uint32_t ticks;
        MarkedStrike::Kind kind;
    } expected[] = {
        {10, 10, MarkedStrike::Kind::Note},
        {400, 384, MarkedStrike::Kind::CutMark},
        {450, 384, MarkedStrike::Kind::CutMark},
        {1000, 384 + 1000 % 384, MarkedStrike::Kind::DeletionMark},
        {1100, 384 + 1000 % 384 + 100, MarkedStrike::Kind::Note},
    };
    MarkedTrackWalk walk(events, true, 384);
    MarkedStrike strike;
    for (const Expect& e : expected) {
        ASSERT_TRUE(walk.Next(strike));
        EXPECT_EQ(strike.absTicks, e.abs);
        EXPECT_EQ(strike.ticks, e.ticks) << e.abs;
        EXPECT_EQ(strike.kind, e.kind) << e.abs;
    }
    EXPECT_FALSE(walk.Next(strike));

    MarkedTrackWalk plain(events, false, 384);
    while (plain.Next(strike)) {
        EXPECT_EQ(strike.ticks, strike.absTicks);
        EXPECT_EQ(strike.kind, MarkedStrike::Kind::Note);
    }
}

} // namespace
} // namespace zembra
