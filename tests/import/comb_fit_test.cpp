// The ranking of transpositions against a brute-force search over real files, the order it
// ranks by, and the keys it names.
#include "import/comb_fit.h"
#include "import/import_placement.h"
#include "model/too_close.h"
#include "model/occupancy_grid.h"
#include "model/song_tidy.h"

#include "import_tracks.h"
#include "song_fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace zembra {
namespace {

using import_test::readFixture;
using import_test::Tracks;

// What choosing a transposition by hand and placing the file shows: the counts of the import
// settings, and the check's count on the canvas after its repaint.
FitRow byHand(const Tracks& tracks, const FitRequest& request, int transposition)
{
    auto song = NewSong();
    const ImportCounts counts = CountImportable(tracks.view, *song, transposition, false, request.options);
    song->beatsPerBar = request.grid.beatsPerBar;
    song->barCount = request.grid.barCount;
    song->barLengthMm = request.grid.barLengthMm;
    song->pixelsPerQuarter = request.grid.pixelsPerQuarter;
    song->canvasWidth = song->pixelsPerQuarter * song->beatsPerBar * song->barCount;
    song->importTransposition = transposition;
    PlaceImportedNotes(*song, tracks.view, tracks.resolution, false, request.options);
    OccupancyGrid grid;
    TidySong(*song, grid);
    std::vector<HolePair> list;
    FitRow row;
    row.transposition = transposition;
    row.importable = counts.importable;
    row.notImportable = counts.notImportable;
    row.tooClose = std::max(0, CountCloseHoles(*song, request.metrics, list));
    return row;
}

struct Grid {
    const char* name;
    FitGrid grid;
};

TEST(Ranking, TheFirstRowIsTheBestThatABruteForceSearchFinds)
{
    const char* kFiles[] = {"comb-fit-voices.mid", "abc2midi-tune.mid", "csvmidi-format1.mid", "roll-edit.mid"};
    const Grid kGrids[] = {
        {"4/4 at 50 mm", {4, 24, 50, 24}},
        {"3/4 at 15 mm, wide", {3, 16, 15, 48}},
        {"fitted onto one strip", {4, 8, 0, 24}},
    };
    const PrintMetrics kA4Landscape{2970, 2100, 7016, 4961};
    int transposed = 0;
    for (const char* file : kFiles) {
        const Tracks tracks = readFixture(file);
        for (const Grid& grid : kGrids) {
            for (int option = 0; option < 4; ++option) {
                FitRequest request;
                request.resolution = tracks.resolution;
                request.options.foldOctaves = option & 1;
                request.options.leaveOutDrums = option & 2;
                request.grid = grid.grid;
                request.metrics = kA4Landscape;
                SCOPED_TRACE(std::string(file) + ", " + grid.name + ", options " + std::to_string(option));
                auto song = NewSong();
                const std::vector<FitRow> rows = RankTranspositions(tracks.view, *song, request);
                ASSERT_EQ(rows.size(), 25u);

                std::map<int, FitRow> chosen;
                for (int t = -12; t <= 12; ++t) {
                    chosen[t] = byHand(tracks, request, t);
                }
                FitRow best = chosen[0];
                std::set<int> seen;
                for (const FitRow& row : rows) {
                    seen.insert(row.transposition);
                    const FitRow& expected = chosen[row.transposition];
                    EXPECT_EQ(row.importable, expected.importable) << row.transposition;
                    EXPECT_EQ(row.notImportable, expected.notImportable) << row.transposition;
                    EXPECT_EQ(row.tooClose, expected.tooClose) << row.transposition;
                }
                EXPECT_EQ(seen.size(), 25u) << "every transposition once";
                for (int t = -12; t <= 12; ++t) {
                    const FitRow& candidate = chosen[t];
                    const bool more = candidate.importable > best.importable;
                    const bool asMany = candidate.importable == best.importable;
                    const bool fewerClose = candidate.tooClose < best.tooClose;
                    const bool asClose = candidate.tooClose == best.tooClose;
                    const bool smaller = std::abs(t) < std::abs(best.transposition) ||
                                         (std::abs(t) == std::abs(best.transposition) && t < best.transposition);
                    if (more || (asMany && fewerClose) || (asMany && asClose && smaller)) {
                        best = candidate;
                    }
                }
                EXPECT_EQ(rows.front().transposition, best.transposition);
                transposed += best.transposition != 0 ? 1 : 0;
            }
        }
    }
    EXPECT_GT(transposed, 0) << "some file is best moved: the search is not a formality";
}

TEST(Ranking, TheFitGoesByPlayableThenTooCloseThenTheSmallestMove)
{
    struct Case {
        FitRow a;
        FitRow b;
        bool aFirst;
    };
    const Case cases[] = {
        {{5, 20, 0, 9}, {0, 19, 0, 0}, true},
        {{0, 20, 3, 2}, {5, 20, 3, 1}, false},
        {{-7, 20, 3, 1}, {2, 20, 3, 1}, false},
        {{-2, 20, 3, 1}, {2, 20, 3, 1}, true},
        {{-2, 20, 9, 1}, {2, 20, 3, 1}, true}, // the notes the comb cannot play do not count
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitsBetter(c.a, c.b), c.aFirst) << c.a.transposition << " against " << c.b.transposition;
        EXPECT_FALSE(FitsBetter(c.a, c.a));
    }
}

TEST(Ranking, NamesTheKeyEachTranspositionLeadsTo)
{
    struct Case {
        std::vector<std::uint8_t> signature;
        int transposition;
        const char* name;
    };
    const Case cases[] = {
        {{0xFD, 1}, 2, "Dm"},   // C minor up a tone
        {{2, 0}, -2, "C"},      // D major down a tone
        {{1, 0}, 5, "C"},       // G major up a fourth
        {{0xFD, 0}, 1, "E"},    // E flat major up a semitone
        {{3, 1}, -12, "F#m"},   // F sharp minor an octave down
        {{}, 2, "D Bm"},        // no key signature: the pair moved from C and A minor
        {{}, -1, "B G#m"},
        {{9, 0}, 0, "C Am"},    // out of range: as if there were none
    };
    for (const Case& c : cases) {
        const FileKey key = FileKeyFromKeySignature(c.signature);
        EXPECT_EQ(TransposedKeyName(key, c.transposition), c.name) << c.name;
    }
}

TEST(Ranking, TheTooCloseCountIsThatOfTheNotesPlaced)
{
    // One row, a note every eighth: at 50 mm a bar of 96 pixels needs 16 between notes, an eighth
    // is 12. Two octaves up the notes leave the comb, and nothing is too close.
    auto track = std::make_unique<MidiTrack>();
    for (int i = 0; i < 8; ++i) {
        track->Append(MidiEvent{i == 0 ? 0u : 48u, 0x90, 72, 64, 0});
    }
    const std::vector<const MidiTrack*> tracks{track.get()};
    FitRequest request;
    request.resolution = 96;
    auto song = NewSong();
    EXPECT_EQ(TooCloseAfterPlacing(tracks, *song, request, 0), 7);
    EXPECT_EQ(TooCloseAfterPlacing(tracks, *song, request, 24), 0);
    request.grid.barLengthMm = 100; // 8 pixels: an eighth is far enough
    EXPECT_EQ(TooCloseAfterPlacing(tracks, *song, request, 0), 0);
    const std::vector<FitRow> rows = RankTranspositions(tracks, *song, request);
    EXPECT_EQ(rows.front().transposition, 0);
    EXPECT_EQ(rows.front().importable, 8);
}

} // namespace
} // namespace zembra
