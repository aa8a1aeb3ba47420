#include "cli/song_arrangement.h"

#include "card/card_pdf.h"
#include "import/canvas_settings_rules.h"
#include "import/source_notes.h"
#include "model/occupancy_grid.h"
#include "model/song_tidy.h"

#include <memory>
#include <vector>

namespace zembra {

namespace {

// The bar lengths the canvas settings list, in millimetres; 0 (the song on one strip) is no length.
std::vector<int> ListedBarLengths()
{
    std::vector<int> lengths;
    for (const std::string_view entry : BarLengthEntries()) {
        const std::optional<int> mm = ParseEntry(entry);
        if (mm && *mm > 0) {
            lengths.push_back(*mm);
        }
    }
    return lengths;
}

} // namespace

SongArrangement ArrangeImportedSong(SongState& song, std::span<const MidiTrack* const> tracks, int resolution,
                                    const ImportChoices& choices, const ArrangeOptions& arrange)
{
    SongArrangement arrangement;
    arrangement.resolution = resolution;
    arrangement.beatsPerBar = song.beatsPerBar;
    arrangement.barAuto = arrange.barAuto;
    if (arrange.barLengthMm) {
        song.barLengthMm = *arrange.barLengthMm;
    }
    ArrangeChoices chosen = arrange.choices;
    if (!choices.fitTransposition && choices.transposition) {
        chosen.transposition = choices.transposition;
    }
    const std::uint32_t barTicks = static_cast<std::uint32_t>(std::max(0, resolution * song.beatsPerBar));
    const std::vector<SourceNote> notes = ReadSourceNotes(tracks, false, barTicks, choices.options);
    // A bar length of 0 is measured on the paper the card would have by default.
    const auto metrics = [&song] { return song.barLengthMm == 0 ? PdfPaperMetrics() : PrintMetrics{}; };
    if (arrange.barAuto) {
        const std::vector<int> lengths = ListedBarLengths();
        arrangement.suggestedBarMm = ShortestMelodyBarLength(notes, ArrangeRequestFor(song, resolution, metrics(), chosen),
                                                             song.box.sizes.shortestRepeatMm, lengths);
        if (arrangement.suggestedBarMm > 0) {
            song.barLengthMm = arrangement.suggestedBarMm;
        }
    }
    arrangement.result = Arrange(notes, ArrangeRequestFor(song, resolution, metrics(), chosen));
    PlaceArrangement(song, arrangement.result);
    auto grid = std::make_unique<OccupancyGrid>();
    TidySong(song, *grid);
    return arrangement;
}

} // namespace zembra
