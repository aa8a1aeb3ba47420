#include "import/comb_fit.h"

#include "import/import_placement.h"
#include "model/too_close.h"
#include "model/key_names.h"
#include "model/song_state.h"
#include "model/song_tidy.h"
#include "text/string_ids.h"
#include "text/strings.h"

#include <algorithm>
#include <cstdlib>

namespace zembra {

std::unique_ptr<SongState> SongOnGrid(const SongState& song, const FitGrid& grid)
{
    auto scratch = std::make_unique<SongState>(song);
    if (grid.box && *grid.box != song.box) {
        scratch->SelectAll();
        scratch->DeleteSelected();
        scratch->noteCount = 0;
        scratch->UseBox(*grid.box);
    }
    scratch->beatsPerBar = grid.beatsPerBar;
    scratch->barCount = grid.barCount;
    scratch->barLengthMm = grid.barLengthMm;
    scratch->pixelsPerQuarter = grid.pixelsPerQuarter;
    scratch->canvasWidth = grid.pixelsPerQuarter * grid.beatsPerBar * grid.barCount;
    return scratch;
}

namespace {

int TooCloseOn(SongState& scratch, std::span<const MidiTrack* const> tracks, const FitRequest& request,
               int transposition)
{
    scratch.importTransposition = transposition;
    PlaceImportedNotes(scratch, tracks, request.resolution, request.cutMarkers, request.options);
    // The music's length as the canvas's repaint finds it: the check measures a song fitted onto
    // one strip by it.
    int largestRight = 0;
    const int end = scratch.UsedEnd();
    for (int i = 0; i < end; ++i) {
        if (scratch.IsLive(i)) {
            largestRight = std::max(largestRight, static_cast<int>(scratch.notes[static_cast<std::size_t>(i)].right));
        }
    }
    scratch.musicLength = MusicLengthFor(scratch, largestRight, scratch.noteCount > 0);
    return std::max(0, CountCloseHoles(scratch, request.metrics, scratch.barLengthMm));
}

} // namespace

bool FitsBetter(const FitRow& a, const FitRow& b)
{
    if (a.importable != b.importable) {
        return a.importable > b.importable;
    }
    if (a.tooClose != b.tooClose) {
        return a.tooClose < b.tooClose;
    }
    if (std::abs(a.transposition) != std::abs(b.transposition)) {
        return std::abs(a.transposition) < std::abs(b.transposition);
    }
    return a.transposition < b.transposition;
}

std::vector<FitRow> RankTranspositions(std::span<const MidiTrack* const> tracks, const SongState& song,
                                       const FitRequest& request)
{
    const std::unique_ptr<SongState> scratch = SongOnGrid(song, request.grid);
    // The scratch song has the rows the file is counted on.
    const ImportCounter counter(tracks, *scratch, request.cutMarkers, request.options);
    std::vector<FitRow> rows;
    rows.reserve(kHighestFitTransposition - kLowestFitTransposition + 1);
    for (int t = kLowestFitTransposition; t <= kHighestFitTransposition; ++t) {
        const ImportCounts counts = counter.CountEvery(t);
        FitRow row;
        row.transposition = t;
        row.importable = counts.importable;
        row.notImportable = counts.notImportable;
        row.tooClose = TooCloseOn(*scratch, tracks, request, t);
        row.keyIndex = TransposedKeyIndex(request.key, t);
        rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end(), FitsBetter);
    return rows;
}

int TooCloseAfterPlacing(std::span<const MidiTrack* const> tracks, const SongState& song, const FitRequest& request,
                         int transposition)
{
    const std::unique_ptr<SongState> scratch = SongOnGrid(song, request.grid);
    return TooCloseOn(*scratch, tracks, request, transposition);
}

int TransposedKeyIndex(const FileKey& key, int transposition)
{
    return KeyNames::KeyIndex((key.known ? key.majorIndex : 0) + transposition);
}

std::string TransposedKeyName(const FileKey& key, int transposition)
{
    return TransposedKeyName(key, transposition, language());
}

std::string TransposedKeyName(const FileKey& key, int transposition, Language language)
{
    const int index = TransposedKeyIndex(key, transposition);
    const std::string major(text(str::kKeyNameFirst + index, language));
    const std::string minor(text(str::kMinorNameFirst + index, language));
    if (!key.known) {
        return major + " " + minor;
    }
    return key.minor ? minor : major;
}

} // namespace zembra
