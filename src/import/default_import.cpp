#include "import/default_import.h"

#include "model/canvas_geometry.h"
#include "model/occupancy_grid.h"
#include "model/song_tidy.h"
#include "import/canvas_settings_rules.h"

#include <memory>

namespace zembra {

DefaultImportResult ImportWithDefaults(SongState& song, std::span<const MidiTrack* const> tracks,
                                       const FileFacts& facts, const ImportChoices& choices, const FileKey& key)
{
    DefaultImportResult result;
    // The dialog proposes its grid from the whole file at transposition 0, whatever it leaves out.
    result.proposed = MakeImportSettings(facts, CountImportable(tracks, song, 0));
    const ImportSettings& p = result.proposed;
    result.transposition = choices.transposition.value_or(0);
    SettingsValues confirmed =
        ConfirmedUnchanged({p.beatsPerBar, p.barCount, p.barLengthMm, p.pixelsPerQuarter, result.transposition});
    if (choices.fitTransposition) {
        FitRequest request;
        request.resolution = facts.resolution;
        request.options = choices.options;
        request.grid = {confirmed.beatsPerBar, choices.barCount.value_or(confirmed.barCount), confirmed.barLengthMm,
                        confirmed.pixelsPerQuarter};
        request.metrics = choices.fitMetrics;
        request.key = key;
        result.ranking = RankTranspositions(tracks, song, request);
        result.transposition = result.ranking.front().transposition;
        confirmed.transposition = result.transposition;
    }
    result.counts = CountImportable(tracks, song, result.transposition, false, choices.options);
    song.beatsPerBar = confirmed.beatsPerBar;
    song.barCount = choices.barCount.value_or(confirmed.barCount);
    song.barLengthMm = confirmed.barLengthMm;
    song.pixelsPerQuarter = confirmed.pixelsPerQuarter;
    song.importTransposition = confirmed.transposition;
    song.title = LimitSettingsText(p.title);
    song.author = LimitSettingsText(p.author);
    if (facts.tempo > 0) {
        song.tempo = facts.tempo;
    }
    song.temporaryTransposition = 0;
    const ScrollSizes sizes = ComputeScrollSizes(song, 0);
    if (sizes.valid) {
        song.canvasWidth = sizes.canvasWidth;
    }

    result.placement = PlaceImportedNotes(song, tracks, facts.resolution, false, choices.options);
    auto grid = std::make_unique<OccupancyGrid>();
    TidySong(song, *grid);
    return result;
}

} // namespace zembra
