#include "import/canvas_reach.h"

#include "import/import_placement.h"
#include "import/import_settings.h"
#include "model/song_state.h"
#include "text/string_ids.h"
#include "text/strings.h"

#include <memory>

namespace zembra {

namespace {

std::string WithNumber(int id, int number)
{
    std::string line(text(id));
    const std::size_t at = line.find("%1");
    if (at != std::string::npos) {
        line.replace(at, 2, std::to_string(number));
    }
    return line;
}

} // namespace

CanvasReach ReachOnCanvas(std::span<const MidiTrack* const> tracks, const SongState& song, const FitRequest& request,
                          int transposition)
{
    CanvasReach reach;
    reach.barCount = request.grid.barCount;
    const std::unique_ptr<SongState> scratch = SongOnGrid(song, request.grid);
    reach.playable =
        ImportCounter(tracks, *scratch, request.cutMarkers, request.options).CountEvery(transposition).importable;
    scratch->importTransposition = transposition;
    const PlacementResult placement =
        PlaceImportedNotes(*scratch, tracks, request.resolution, request.cutMarkers, request.options);
    reach.placed = placement.placed;
    reach.notesCapped = placement.candidates > kMaxNotes;
    reach.barsCapped = placement.pastLastBar;
    return reach;
}

std::string CanvasReachText(const CanvasReach& reach)
{
    if (reach.leftOut() == 0 || !(reach.notesCapped || reach.barsCapped)) {
        return {};
    }
    std::string words;
    if (reach.notesCapped) {
        words += WithNumber(str::kImportOnlyFirstNotes, kMaxNotes) + "\n";
    }
    if (reach.barsCapped) {
        // With the longest canvas it is the piece that is too long, and the words say so.
        words += (reach.barCount == kLongestBarCount ? std::string(text(str::kOnlyFirstBarsPlaced))
                                                     : WithNumber(str::kImportOnlyFirstBars, reach.barCount)) +
                 "\n";
    }
    return words + WithNumber(str::kImportNotesLeftOut, reach.leftOut());
}

} // namespace zembra
