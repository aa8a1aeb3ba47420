#include "import/import_placement.h"
#include "import/import_settings.h"

#include "import_tracks.h"
#include "song_fixtures.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace zembra {
namespace {

using namespace import_test;

struct PlacementCase {
    const char* name;
    Strikes tracks;
    int resolution;
    int pixelsPerQuarter;
    int barCount;
    int transposition;
    bool cutMarkers;
    std::vector<Placed> expected;
};

class Placement : public testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, PutsThePlayableNotesInTimeOrder)
{
    const PlacementCase& c = GetParam();
    auto song = NewSong();
    song->pixelsPerQuarter = c.pixelsPerQuarter;
    song->barCount = c.barCount;
    song->importTransposition = c.transposition;
    song->canvasWidth = song->pixelsPerQuarter * song->beatsPerBar * song->barCount;
    PlaceNote(*song, 500, song->bandTopOfRow(5)); // the previous song goes
    const Tracks tracks = tracksOf(c.tracks);
    PlaceImportedNotes(*song, tracks.view, c.resolution, c.cutMarkers);
    const std::vector<Placed> got = placedNotes(*song);
    ASSERT_EQ(got.size(), c.expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].left, c.expected[i].left) << "note " << i;
        EXPECT_EQ(got[i].pitch, c.expected[i].pitch) << "note " << i;
    }
    EXPECT_EQ(song->noteCount, static_cast<int>(c.expected.size()));
    EXPECT_EQ(song->selectedCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, Placement, testing::Values(
    // 480 ticks a quarter, 24 pixels a quarter: tick 1000 is pixel 50.
    PlacementCase{"TicksToPixels", {{{1000, 60}}}, 480, 24, 24, 0, false, {{50, 60}}},
    PlacementCase{"NoRowNoNote", {{{0, 61}, {96, 61}}}, 96, 24, 24, 0, false, {}},
    PlacementCase{"TranspositionFindsTheRow", {{{0, 72}}}, 96, 24, 24, -12, false, {{0, 60}}},
    // Velocity 0 and note-offs are no strikes; any channel counts.
    PlacementCase{"OnlyStrikes", {{{0, 62, 0}, {10, 64, 64, 0x80}, {20, 65, 64, 0x93}}}, 96, 24, 24, 0, false, {{5, 65}}},
    // Two tracks from the same time zero merge in time order; at the same tick reading order.
    PlacementCase{"TracksMergeByTime", {{{96, 67}, {192, 69}}, {{0, 62}, {96, 64}}}, 96, 24, 24, 0, false,
                  {{0, 62}, {24, 67}, {24, 64}, {48, 69}}},
    // Two bars of 4/4 at 96 ticks (192 pixels): a note in bar 3 ends the track; a note whose tile
    // would reach past the canvas's end does not stay either.
    PlacementCase{"BarLimitStopsTheTrack", {{{0, 62}, {735, 66}, {767, 64}, {768, 65}, {800, 67}}, {{10, 69}}}, 96, 24,
                  2, 0, false, {{0, 62}, {2, 69}, {183, 66}}},
    // A cut marker in bar 2 (tick 400) and the next note in bar 4 (tick 1200): bars 2 and 3 go,
    // so the note lands at the start of bar 2 plus its place in its own bar.
    PlacementCase{"CutMarkersRemoveWholeBars", {{{0, 62}, {400, 2}, {1200, 64}}}, 96, 24, 24, 0, true,
                  {{0, 62}, {96 + 12, 64}}},
    PlacementCase{"CutMarkerIgnoredWithoutTheFlag", {{{0, 62}, {400, 2}, {1200, 64}}}, 96, 24, 24, 0, false,
                  {{0, 62}, {300, 64}}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(PlacementLimits, TheEarliest1500OfAtMost4000Candidates)
{
    auto song = NewSong();
    song->barCount = 80;
    song->canvasWidth = 24 * 4 * 80;
    // Track 1: 2000 notes late in the song, then track 2 with 2000 earlier ones.
    std::vector<Strike> late, early;
    for (std::uint32_t i = 0; i < 2000; ++i) {
        late.push_back({3000 + i, 62});
        early.push_back({i, 64});
    }
    auto first = trackOf(late);
    auto second = trackOf(early);
    const std::vector<const MidiTrack*> tracks{first.get(), second.get()};
    const PlacementResult result = PlaceImportedNotes(*song, tracks, 96, false);
    EXPECT_EQ(result.candidates, 4000);
    EXPECT_EQ(song->noteCount, kMaxNotes);
    const std::vector<Placed> got = placedNotes(*song);
    ASSERT_EQ(got.size(), 1500u);
    EXPECT_EQ(got.front().pitch, 64) << "the earlier track's notes come first";
    EXPECT_EQ(got.back().pitch, 64);
    EXPECT_EQ(got.back().left, 1499 * 24 / 96);
}

TEST(PlacementLimits, CandidatesStopAt4000AcrossTracks)
{
    auto song = NewSong();
    song->barCount = 80;
    song->canvasWidth = 24 * 4 * 80;
    std::vector<Strike> many;
    for (std::uint32_t i = 0; i < 4500; ++i) {
        many.push_back({i, 62});
    }
    auto first = trackOf(many);
    auto second = trackOf({{0, 93}});
    const std::vector<const MidiTrack*> tracks{first.get(), second.get()};
    EXPECT_EQ(PlaceImportedNotes(*song, tracks, 96, false).candidates, 4000);
    for (int i = 0; i < song->UsedEnd(); ++i) {
        EXPECT_NE(song->notes[i].pitch, 93) << "the second track is never read";
    }
}

struct CountCase {
    const char* name;
    Strikes tracks;
    int transposition;
    ImportCounts expected;
};

class Counting : public testing::TestWithParam<CountCase> {};

TEST_P(Counting, ImportableAndNot)
{
    const CountCase& c = GetParam();
    auto song = NewSong();
    const Tracks tracks = tracksOf(c.tracks);
    const ImportCounts got = CountImportable(tracks.view, *song, c.transposition);
    EXPECT_EQ(got.importable, c.expected.importable);
    EXPECT_EQ(got.notImportable, c.expected.notImportable);
    EXPECT_EQ(got.totalTicks, c.expected.totalTicks);
    EXPECT_EQ(got.longestTrackTicks, c.expected.longestTrackTicks);
}

INSTANTIATE_TEST_SUITE_P(Cases, Counting, testing::Values(
    CountCase{"NoTracks", {}, 0, {0, 0, 0, 0}},
    CountCase{"RowsAndGaps", {{{0, 60}, {10, 61}, {20, 62}, {30, 93}, {40, 94}}}, 0, {3, 2, 40, 40}},
    CountCase{"OctaveUp", {{{0, 48}}}, 12, {1, 0, 0, 0}},
    // Two tracks of 960 ticks: the total is their sum, the piece is as long as the longer.
    CountCase{"TotalIsTheSumOfTracks", {{{960, 62, 0}}, {{480, 62}, {960, 62, 0}}}, 0, {1, 0, 1920, 960}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(Counting, StopsATrackAt1500ImportableButWalksTheNext)
{
    auto song = NewSong();
    std::vector<Strike> many;
    for (std::uint32_t i = 0; i < 1600; ++i) {
        many.push_back({i, 62});
    }
    auto first = trackOf(many);
    auto second = trackOf({{5, 61}});
    const std::vector<const MidiTrack*> tracks{first.get(), second.get()};
    const ImportCounts got = CountImportable(tracks, *song, 0);
    EXPECT_EQ(got.importable, 1500);
    EXPECT_EQ(got.notImportable, 1);
    EXPECT_EQ(got.totalTicks, 1499u + 5u);
    EXPECT_EQ(got.longestTrackTicks, 1599u) << "the piece's length counts every event";
}

struct BarsCase {
    const char* name;
    std::uint64_t ticks;
    int resolution;
    int beats;
    int expected;
    bool clipped;
};

class DefaultBars : public testing::TestWithParam<BarsCase> {};

TEST_P(DefaultBars, LengthOfThePieceInBars)
{
    bool clipped = true;
    EXPECT_EQ(DefaultBarCount(GetParam().ticks, GetParam().resolution, GetParam().beats, &clipped), GetParam().expected);
    EXPECT_EQ(clipped, GetParam().clipped);
}

INSTANTIATE_TEST_SUITE_P(Cases, DefaultBars, testing::Values(
    BarsCase{"Exact", 30 * 4 * 480, 480, 4, 30, false},
    BarsCase{"RoundedUp", 30 * 4 * 480 + 1, 480, 4, 31, false},
    BarsCase{"ThreeFour", 16 * 3 * 96, 96, 3, 16, false},
    BarsCase{"Empty", 0, 96, 4, 0, false},
    BarsCase{"NoResolutionNeverDivides", 1000, 0, 4, 0, false},
    BarsCase{"LongerThanTheList", 81 * 4 * 96, 96, 4, 80, true}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(ImportSettingsOf, ForeignFileTakesItsNameAndItsLength)
{
    FileFacts facts;
    facts.fileTitle = "tune";
    facts.beatsPerBar = 2; // the dialog offers 3 and 4 only: 4 is selected
    facts.resolution = 480;
    ImportCounts counts;
    counts.totalTicks = 4 * 30 * 4 * 480; // four tracks of 30 bars
    counts.longestTrackTicks = 30 * 4 * 480;
    const ImportSettings s = MakeImportSettings(facts, counts);
    EXPECT_FALSE(s.ownFile);
    EXPECT_EQ(s.title, "tune(imported)");
    EXPECT_EQ(s.author, "<non>");
    EXPECT_EQ(s.barLengthMm, 50);
    EXPECT_EQ(s.pixelsPerQuarter, 24);
    EXPECT_EQ(s.beatsPerBar, 4);
    EXPECT_EQ(s.barCount, 30) << "the piece's length, not the sum of its tracks";
}

TEST(ImportSettingsOf, OwnFileTakesItsTags)
{
    FileFacts facts;
    facts.fileTitle = "tune";
    facts.beatsPerBar = 3;
    facts.resolution = 96;
    facts.text = "<LP>40</LP><HP>32</HP><P>16</P><TL>Waltz</TL><AU>Me</AU>";
    const ImportSettings s = MakeImportSettings(facts, ImportCounts{});
    EXPECT_TRUE(s.ownFile);
    EXPECT_EQ(s.title, "Waltz");
    EXPECT_EQ(s.author, "Me");
    EXPECT_EQ(s.barLengthMm, 40);
    EXPECT_EQ(s.pixelsPerQuarter, 32);
    EXPECT_EQ(s.barCount, 16);
    EXPECT_EQ(s.beatsPerBar, 3);
}

TEST(ImportSettingsOf, InformationLine)
{
    ImportCounts counts;
    counts.importable = 52;
    counts.notImportable = 3;
    EXPECT_EQ(ImportInfoLine(counts), " importable note : 52 pieces  non importation note :  3 pieces");
}

struct PlacedAsSavedCase {
    const char* name;
    bool ownFile;
    PlacedSong confirmed;
    bool asSaved;
};

TEST(ImportSettingsOf, OnlyASongFileConfirmedAsItOpenedIsAsSaved)
{
    const PlacedSong opened{{3, 16, 35, 32, 0}, "Waltz", "Me", 500000.0, {false, true, 0}, false};
    const auto with = [&opened](auto change) {
        PlacedSong song = opened;
        change(song);
        return song;
    };
    const PlacedAsSavedCase cases[] = {
        {"own file, nothing changed", true, opened, true},
        {"foreign file, nothing changed", false, opened, false},
        {"transposed", true, with([](PlacedSong& s) { s.values.transposition = 12; }), false},
        {"other bars", true, with([](PlacedSong& s) { s.values.barCount = 24; }), false},
        {"other beats", true, with([](PlacedSong& s) { s.values.beatsPerBar = 4; }), false},
        {"other bar length", true, with([](PlacedSong& s) { s.values.barLengthMm = 40; }), false},
        {"other scale", true, with([](PlacedSong& s) { s.values.pixelsPerQuarter = 24; }), false},
        {"retitled", true, with([](PlacedSong& s) { s.title = "Polka"; }), false},
        {"other author", true, with([](PlacedSong& s) { s.author = "You"; }), false},
        {"other tempo", true, with([](PlacedSong& s) { s.tempo = 400000.0; }), false},
        {"folded", true, with([](PlacedSong& s) { s.options.foldOctaves = true; }), false},
        {"a track left out", true, with([](PlacedSong& s) { s.options.leftOutTracks = 1; }), false},
        {"edited", true, with([](PlacedSong& s) { s.edited = true; }), false},
    };
    for (const PlacedAsSavedCase& c : cases) {
        EXPECT_EQ(PlacedAsSaved(c.ownFile, opened, c.confirmed), c.asSaved) << c.name;
    }
}

} // namespace
} // namespace zembra
