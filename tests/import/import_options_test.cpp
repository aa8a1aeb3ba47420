// Counting and placing a file's notes under the import options: folding by octaves and leaving
// out the drum channel.
#include "import/import_placement.h"

#include "import/import_options.h"

#include "import_tracks.h"
#include "song_fixtures.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace zembra {
namespace {

using namespace import_test;

ImportOptions optionsOf(bool fold, bool drums)
{
    ImportOptions options;
    options.foldOctaves = fold;
    options.leaveOutDrums = drums;
    return options;
}

ImportOptions tracksLeftOut(std::uint32_t leftOut, bool fold = false)
{
    ImportOptions options = optionsOf(fold, false);
    options.leftOutTracks = leftOut;
    return options;
}

constexpr std::uint8_t kDrums = 0x99;

struct LeftOutCase {
    std::uint8_t status;
    bool leaveOutDrums;
    bool leftOut;
};

TEST(LeftOut, OnlyNoteOnsOfChannelTenAndOnlyWhenAsked)
{
    const LeftOutCase cases[] = {
        {0x99, true, true},  {0x99, false, false}, {0x98, true, false},
        {0x9A, true, false}, {0x89, true, false},  {0xB9, true, false},
    };
    for (const LeftOutCase& c : cases) {
        SCOPED_TRACE(c.status);
        ImportOptions options;
        options.leaveOutDrums = c.leaveOutDrums;
        EXPECT_EQ(IsLeftOut(c.status, options), c.leftOut);
    }
}

struct TrackLeftOutCase {
    std::size_t index;
    std::uint32_t leftOutTracks;
    bool leftOut;
};

TEST(LeftOut, OnlyTheTracksMarkedAndNoneBeyondTheMask)
{
    const TrackLeftOutCase cases[] = {
        {0, 0, false}, {0, 1, true}, {1, 1, false}, {2, 0b100, true}, {15, 0x8000, true}, {31, 0x80000000U, true},
        {32, 0xFFFFFFFFU, false}, {1000, 0xFFFFFFFFU, false},
    };
    for (const TrackLeftOutCase& c : cases) {
        SCOPED_TRACE(c.index);
        ImportOptions options;
        options.leftOutTracks = c.leftOutTracks;
        EXPECT_EQ(IsTrackLeftOut(c.index, options), c.leftOut);
    }
}

struct OptionCountCase {
    const char* name;
    Strikes tracks;
    int transposition;
    bool cutMarkers;
    ImportOptions options;
    int importable;
    int notImportable;
};

class OptionCounting : public testing::TestWithParam<OptionCountCase> {};

TEST_P(OptionCounting, CountsWhatThePlacingWillMakeOfTheNotes)
{
    const OptionCountCase& c = GetParam();
    auto song = NewSong();
    const Tracks tracks = tracksOf(c.tracks);
    const ImportCounts got = CountImportable(tracks.view, *song, c.transposition, c.cutMarkers, c.options);
    EXPECT_EQ(got.importable, c.importable);
    EXPECT_EQ(got.notImportable, c.notImportable);
}

INSTANTIATE_TEST_SUITE_P(Cases, OptionCounting, testing::Values(
    OptionCountCase{"DrumsCountAsNotesByDefault", {{{0, 62, 64, kDrums}, {10, 61, 64, kDrums}}}, 0, false, {}, 1, 1},
    OptionCountCase{"DrumsLeftOut", {{{0, 62, 64, kDrums}, {10, 61, 64, kDrums}, {20, 64}}}, 0, false,
                    optionsOf(false, true), 1, 0},
    OptionCountCase{"OtherChannelsStay", {{{0, 62, 64, 0x98}, {10, 62, 64, 0x9A}}}, 0, false, optionsOf(false, true), 2,
                    0},
    OptionCountCase{"MiddleCSharpFolds", {{{0, 61}, {10, 100}}}, 0, false, optionsOf(true, false), 2, 0},
    // A folded note that lands on a note of the file at the same key and tick doubles it.
    OptionCountCase{"FoldOntoANoteAtTheSameTickIsLeftOut", {{{0, 61}, {0, 73}}}, 0, false, optionsOf(true, false), 1,
                    1},
    OptionCountCase{"TheNoteOnTheRowWinsWhicheverTrackComesFirst", {{{0, 49}}, {{0, 73}}}, 0, false,
                    optionsOf(true, false), 1, 1},
    OptionCountCase{"TwoFoldsOntoOnePlace", {{{0, 49}, {0, 61}}}, 0, false, optionsOf(true, false), 1, 1},
    OptionCountCase{"FoldsAtOtherTicksAllCount", {{{0, 61}, {1, 61}, {1, 72}}}, 0, false, optionsOf(true, false), 3, 0},
    // With the transposition: 48 + 1 = 49 folds onto 73, where 72 + 1 already is.
    OptionCountCase{"FoldAfterTransposition", {{{0, 48}, {0, 72}}}, 1, false, optionsOf(true, false), 1, 1},
    // The editor's marks are no notes and never fold onto the comb.
    OptionCountCase{"MarksNeverFold", {{{0, 1}, {0, 2}, {10, 62}}}, 0, true, optionsOf(true, true), 1, 0},
    OptionCountCase{"BothOptions", {{{0, 61}, {0, 61, 64, kDrums}, {5, 94}}}, 0, false, optionsOf(true, true), 2, 0},
    OptionCountCase{"ATrackLeftOutCountsAsNeither", {{{0, 62}}, {{0, 64}, {10, 61}}}, 0, false, tracksLeftOut(0b10), 1, 0},
    OptionCountCase{"TheFirstTrackLeftOut", {{{0, 62}, {10, 61}}, {{0, 64}, {10, 65}}}, 0, false, tracksLeftOut(0b01), 2,
                    0},
    OptionCountCase{"MarksOfTracksBeyondTheFileChangeNothing", {{{0, 62}}}, 0, false, tracksLeftOut(0b1110), 1, 0},
    // The note a fold would double is in a track left out: the fold lands.
    OptionCountCase{"AFoldLandsWhereALeftOutTrackWas", {{{0, 61}}, {{0, 73}}}, 0, false, tracksLeftOut(0b10, true), 1,
                    0}),
    [](const auto& test) { return std::string(test.param.name); });

struct OptionPlacementCase {
    const char* name;
    Strikes tracks;
    int resolution;
    bool cutMarkers;
    ImportOptions options;
    std::vector<Placed> expected;
};

class OptionPlacement : public testing::TestWithParam<OptionPlacementCase> {};

TEST_P(OptionPlacement, PlacesWhatTheOptionsLetThrough)
{
    const OptionPlacementCase& c = GetParam();
    auto song = NewSong();
    const Tracks tracks = tracksOf(c.tracks);
    PlaceImportedNotes(*song, tracks.view, c.resolution, c.cutMarkers, c.options);
    EXPECT_EQ(placedNotes(*song), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, OptionPlacement, testing::Values(
    OptionPlacementCase{"WithoutOptionsNothingChanges", {{{0, 61}, {96, 62, 64, kDrums}}}, 96, false, {}, {{24, 62}}},
    OptionPlacementCase{"DrumsLeftOut", {{{0, 61}, {96, 62, 64, kDrums}, {192, 64}}}, 96, false, optionsOf(false, true),
                        {{48, 64}}},
    OptionPlacementCase{"FoldedOntoTheNearestRow", {{{0, 61}, {96, 100}, {192, 50}}}, 96, false,
                        optionsOf(true, false), {{0, 73}, {24, 88}, {48, 62}}},
    OptionPlacementCase{"NoDoubleHoleFromTheSameTick", {{{0, 61}}, {{0, 73}}}, 96, false, optionsOf(true, false),
                        {{0, 73}}},
    // At 480 ticks a quarter and 24 pixels a quarter ticks 0 and 10 are both pixel 0: the same hole.
    OptionPlacementCase{"NoDoubleHoleFromANearTick", {{{0, 73}, {10, 61}, {15, 49}, {40, 61}}}, 480, false,
                        optionsOf(true, false), {{0, 73}, {2, 73}}},
    OptionPlacementCase{"MarksNeverLand", {{{0, 62}, {100, 1}, {400, 2}, {1200, 64}}}, 96, true,
                        optionsOf(true, false), {{0, 62}, {96 + 12, 64}}},
    OptionPlacementCase{"ATrackLeftOutIsNotPlaced", {{{0, 62}}, {{96, 64}}, {{192, 65}}}, 96, false, tracksLeftOut(0b010),
                        {{0, 62}, {48, 65}}},
    OptionPlacementCase{"AFoldLandsWhereALeftOutTrackWas", {{{0, 61}}, {{0, 73}}}, 96, false, tracksLeftOut(0b10, true),
                        {{0, 73}}}),
    [](const auto& test) { return std::string(test.param.name); });

// The places (x, row top) of the live notes, with how many notes each holds.
std::map<std::pair<int, int>, int> places(const SongState& song)
{
    std::map<std::pair<int, int>, int> found;
    for (int i = 0; i < song.UsedEnd(); ++i) {
        if (song.IsLive(i)) {
            ++found[{song.notes[i].left, song.notes[i].top}];
        }
    }
    return found;
}

TEST(Folding, NeverDoublesAHoleAndNeverMovesANoteThatHadARow)
{
    const char* kFiles[] = {"comb-fit-voices.mid", "abc2midi-tune.mid", "csvmidi-format1.mid", "roll-edit.mid"};
    for (const char* file : kFiles) {
        const Tracks tracks = readFixture(file);
        const int resolution = tracks.resolution;
        for (int transposition = -12; transposition <= 12; ++transposition) {
            SCOPED_TRACE(std::string(file) + " at " + std::to_string(transposition));
            auto plain = NewSong();
            plain->importTransposition = transposition;
            PlaceImportedNotes(*plain, tracks.view, resolution, false);
            auto folded = NewSong();
            folded->importTransposition = transposition;
            PlaceImportedNotes(*folded, tracks.view, resolution, false, optionsOf(true, false));

            const auto before = places(*plain);
            const auto after = places(*folded);
            for (const auto& [place, count] : before) {
                ASSERT_TRUE(after.count(place)) << "a note that had a row stays where it was";
                EXPECT_EQ(after.at(place), count) << "and nothing was folded onto it";
            }
            for (const auto& [place, count] : after) {
                if (!before.count(place)) {
                    EXPECT_EQ(count, 1) << "a folded note has its hole to itself";
                }
            }
            const std::vector<Placed> kept = placedNotes(*plain);
            std::vector<Placed> all = placedNotes(*folded);
            std::multiset<Placed> remaining(all.begin(), all.end());
            for (const Placed& p : kept) {
                ASSERT_TRUE(remaining.count(p)) << "the note at " << p.left << " keeps its pitch " << p.pitch;
                remaining.erase(remaining.find(p));
            }
        }
    }
}

TEST(Folding, TheFixtureFoldsItsBassOntoTheComb)
{
    const Tracks tracks = readFixture("comb-fit-voices.mid");
    auto song = NewSong();
    const ImportCounts plain = CountImportable(tracks.view, *song, 0);
    const ImportCounts folded = CountImportable(tracks.view, *song, 0, false, optionsOf(true, false));
    const ImportCounts noDrums = CountImportable(tracks.view, *song, 0, false, optionsOf(false, true));
    // 82 notes (as midicsv counts them): 31 of the melody (two above the comb and a middle C
    // sharp), 22 of the bass (mostly below the comb) and 29 drums on the comb.
    EXPECT_EQ(plain.importable + plain.notImportable, 82);
    EXPECT_EQ(noDrums.importable + noDrums.notImportable, 82 - 29);
    EXPECT_EQ(noDrums.importable, plain.importable - 29);
    EXPECT_GT(folded.importable, plain.importable);
    EXPECT_GT(folded.notImportable, 0) << "the bass's low G lands on the melody's G: left out";
}

} // namespace
} // namespace zembra
