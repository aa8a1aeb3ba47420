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
#include <random>
#include <set>
#include <string>
#include <utility>
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

// The counts note by note in the order the tracks are read, as the import settings take them.
std::pair<int, int> ReadOneByOne(const Tracks& tracks, const MusicBox& box, int transposition, const ImportOptions& options)
{
    const CombKeys keys(*SongOn(box), options.foldOctaves);
    const auto isNote = [&options](const MidiEvent& e) {
        return (e.status & 0xF0) == 0x90 && e.data2 != 0 && !(options.leaveOutDrums && (e.status & 0x0F) == 9);
    };
    std::set<std::pair<std::uint64_t, int>> struck;
    for (const MidiTrack* track : tracks.view) {
        std::uint64_t tick = 0;
        for (std::uint32_t i = 0; i < track->Remaining(); ++i) {
            tick += track->Event(i)->time;
            if (isNote(*track->Event(i))) {
                struck.insert({tick, track->Event(i)->data1});
            }
        }
    }
    std::pair<int, int> counts;
    std::set<std::pair<std::uint64_t, int>> folded;
    for (const MidiTrack* track : tracks.view) {
        std::uint64_t tick = 0;
        for (std::uint32_t i = 0; i < track->Remaining(); ++i) {
            const MidiEvent& e = *track->Event(i);
            tick += e.time;
            if (!isNote(e)) {
                continue;
            }
            const CombLanding landing = keys.Land(e.data1 + transposition);
            bool sounds = landing.onComb();
            if (landing.folded) {
                sounds = !struck.contains({tick, landing.pitch - transposition}) && folded.insert({tick, landing.pitch}).second;
            }
            ++(sounds ? counts.first : counts.second);
        }
    }
    return counts;
}

TEST(BoxImport, TheFitCountsEveryNoteOfALongFileAsReadingItNoteByNote)
{
    // Four voices of 1000 strikes on a coarse grid of ticks, so that notes of different tracks
    // meet and folds collide; some on the drum channel.
    std::mt19937 random(7);
    import_test::Strikes strikes(4);
    for (auto& voice : strikes) {
        std::uint32_t tick = 0;
        for (int n = 0; n < 1000; ++n) {
            tick += 24 * (random() % 3);
            const auto key = static_cast<std::uint8_t>(30 + random() % 80);
            voice.push_back({tick, key, 64, static_cast<std::uint8_t>(random() % 10 == 0 ? 0x99 : 0x90)});
        }
    }
    const Tracks tracks = import_test::tracksOf(strikes);
    std::uint64_t allTicks = 0;
    std::uint64_t longest = 0;
    for (const auto& voice : strikes) {
        allTicks += voice.back().tick;
        longest = std::max<std::uint64_t>(longest, voice.back().tick);
    }
    for (const MusicBox& box : BuiltInBoxes()) {
        for (const ImportOptions options : {ImportOptions{false, false}, ImportOptions{true, false}, ImportOptions{true, true}}) {
            SCOPED_TRACE(box.id + (options.foldOctaves ? " folding" : "") + (options.leaveOutDrums ? " without drums" : ""));
            const ImportCounter counter(tracks.view, *SongOn(box), false, options);
            for (int t = -12; t <= 12; ++t) {
                const ImportCounts counts = counter.CountEvery(t);
                const auto [importable, notImportable] = ReadOneByOne(tracks, box, t, options);
                EXPECT_EQ(counts.importable, importable) << t;
                EXPECT_EQ(counts.notImportable, notImportable) << t;
                EXPECT_EQ(counts.longestTrackTicks, longest);
                EXPECT_EQ(counts.totalTicks, allTicks) << "every track walked to its end";
            }
        }
    }
}

} // namespace
} // namespace zembra
