// The import on every box: the editor's roll, the fit, the reach and the choice of boxes follow
// the box the file is placed on, and the line that tells what moving notes to a box does to them.
#include "import/box_choices.h"
#include "import/canvas_reach.h"
#include "import/canvas_settings_rules.h"
#include "import/comb_fit.h"
#include "import/import_placement.h"
#include "import/import_roll_state.h"
#include "text/strings.h"

#include "import_tracks.h"
#include "song_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace zembra {
namespace {

using import_test::readFixture;
using import_test::Strike;
using import_test::Tracks;

std::unique_ptr<SongState> SongOn(const MusicBox& box)
{
    auto song = NewSong();
    song->UseBox(box);
    return song;
}

bool HasNote(const MusicBox& box, int key)
{
    return std::find(box.notes.begin(), box.notes.end(), key) != box.notes.end();
}

// Every key from 36 to 100, one a tick apart, and again an octave up at the same ticks, so that
// folds meet notes already there.
std::vector<std::vector<Strike>> EveryKey()
{
    std::vector<Strike> low;
    std::vector<Strike> high;
    for (int key = 36; key <= 100; ++key) {
        const auto tick = static_cast<std::uint32_t>((key - 36) * 48);
        low.push_back({tick, static_cast<std::uint8_t>(key)});
        high.push_back({tick, static_cast<std::uint8_t>(key + 12)});
    }
    return {low, high};
}

TEST(BoxImport, TheRollShowsTheBoxsNotesAsTheCanvasCountsThem)
{
    const auto strikes = EveryKey();
    std::vector<std::unique_ptr<MidiTrack>> owned;
    std::vector<MidiTrack*> tracks;
    std::vector<const MidiTrack*> reading;
    for (const auto& list : strikes) {
        owned.push_back(import_test::trackOf(list));
        tracks.push_back(owned.back().get());
        reading.push_back(owned.back().get());
    }
    for (const MusicBox& box : BuiltInBoxes()) {
        for (const bool fold : {false, true}) {
            for (const int transposition : {-5, 0, 7}) {
                SCOPED_TRACE(box.id + (fold ? " folding" : "") + " at " + std::to_string(transposition));
                auto roll = std::make_unique<ImportRollState>();
                roll->resolution = 96;
                roll->transposition = transposition;
                roll->options.foldOctaves = fold;
                roll->box = box;
                roll->Build(tracks);
                const ImportCounts counts = CountImportable(reading, *SongOn(box), transposition, false, {fold, false});
                EXPECT_EQ(roll->importable, counts.importable);
                EXPECT_EQ(roll->notImportable, counts.notImportable);
                EXPECT_GT(roll->importable, 0);
                for (int i = 0; i < roll->end(); ++i) {
                    const ImportRollNote& note = roll->notes[static_cast<std::size_t>(i)];
                    // Where a note shows is a key of the box whenever it counts.
                    EXPECT_EQ(note.onScale != 0, HasNote(box, note.key)) << note.sourceKey;
                    if (!fold) {
                        EXPECT_EQ(note.key, note.sourceKey + transposition);
                    }
                }
            }
        }
    }
}

TEST(BoxImport, TheFitAndTheReachOnTheGridsBoxAreThoseOfASongOnThatBox)
{
    const Tracks tracks = readFixture("comb-fit-voices.mid");
    // The song placed into is on the 33-note box and holds notes: the grid's box decides.
    test::SongBuilder built;
    built.add(0, 60);
    built.add(96, 93);
    const SongState& song = built.song();
    for (const MusicBox& box : BuiltInBoxes()) {
        for (const bool fold : {false, true}) {
            SCOPED_TRACE(box.id + (fold ? " folding" : ""));
            FitRequest onGrid;
            onGrid.resolution = tracks.resolution;
            onGrid.options = {fold, true};
            onGrid.grid = {4, 16, 50, 24};
            FitRequest onSong = onGrid;
            onGrid.grid.box = box;
            const std::unique_ptr<SongState> scratch = SongOnGrid(song, onGrid.grid);
            EXPECT_EQ(scratch->rowCount, static_cast<int>(box.notes.size()));
            EXPECT_EQ(scratch->box, box);
            const auto boxed = SongOn(box);
            EXPECT_EQ(RankTranspositions(tracks.view, song, onGrid), RankTranspositions(tracks.view, *boxed, onSong));
            for (const int t : {-12, -3, 0, 5}) {
                const CanvasReach a = ReachOnCanvas(tracks.view, song, onGrid, t);
                const CanvasReach b = ReachOnCanvas(tracks.view, *boxed, onSong, t);
                EXPECT_EQ(a.playable, b.playable) << t;
                EXPECT_EQ(a.placed, b.placed) << t;
            }
        }
    }
}

TEST(BoxImport, TheChoiceOffersTheSongsBoxFirstAndNoBoxTwice)
{
    MusicBox own = *FindBuiltInBox("20");
    own.id = "own";
    own.name = "My box";
    own.notes.back() = 94;
    const auto ids = [](const std::vector<MusicBox>& boxes) {
        std::vector<std::string> list;
        for (const MusicBox& box : boxes) {
            list.push_back(box.id);
        }
        return list;
    };
    using Ids = std::vector<std::string>;
    EXPECT_EQ(ids(BoxChoices(DefaultBox())), (Ids{"33", "30F", "30", "20", "15"}));
    EXPECT_EQ(ids(BoxChoices(*FindBuiltInBox("15"))), (Ids{"15", "33", "30F", "30", "20"}));
    EXPECT_EQ(ids(BoxChoices(*FindBuiltInBox("30"), own)), (Ids{"30", "33", "30F", "20", "15", "own"}));
    EXPECT_EQ(ids(BoxChoices(own, own)), (Ids{"own", "33", "30F", "30", "20", "15"}));
}

TEST(BoxImport, TheSwitchLineCountsWhatStaysMovesAndGoes)
{
    const Language before = language();
    setLanguage(Language::English);
    EXPECT_EQ(BoxSwitchLine({5, 2, 1}, true), "On this box 5 notes stay, 2 move by octaves and 1 are removed.");
    EXPECT_EQ(BoxSwitchLine({5, 0, 3}, false), "On this box 5 notes stay and 3 are removed.");
    setLanguage(Language::Japanese);
    EXPECT_EQ(BoxSwitchLine({5, 0, 3}, false), "このオルゴールでは音符 5 個がそのまま、3 個が消えます。");
    setLanguage(before);
}

} // namespace
} // namespace zembra
