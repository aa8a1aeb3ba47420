#include "canvas/default_import.h"

#include "canvas/canvas_geometry.h"
#include "model/occupancy_grid.h"
#include "model/song_tidy.h"
#include "ui/canvas_settings_rules.h"

#include <memory>

namespace zembra {

DefaultImportResult ImportWithDefaults(SongState& song, std::span<const MidiTrack* const> tracks,
                                       const FileFacts& facts, const ImportChoices& choices)
{
    DefaultImportResult result;
    result.transposition = choices.transposition.value_or(song.importTransposition);
    result.counts = CountImportable(tracks, song, result.transposition);
    result.proposed = MakeImportSettings(facts, result.counts);

    const ImportSettings& p = result.proposed;
    const SettingsValues confirmed =
        ConfirmedUnchanged({p.beatsPerBar, p.barCount, p.barLengthMm, p.pixelsPerQuarter, result.transposition});
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

    result.placement = PlaceImportedNotes(song, tracks, facts.resolution, false);
    auto grid = std::make_unique<OccupancyGrid>();
    TidySong(song, *grid);
    return result;
}

} // namespace zembra
