#include "import/arrange_import.h"

#include "import/source_notes.h"
#include "model/too_close.h"

#include <algorithm>

namespace zembra {

ArrangeRequest ArrangeRequestFor(const SongState& song, int resolution, const PrintMetrics& metrics,
                                 const ArrangeChoices& choices)
{
    ArrangeRequest request;
    request.rowPitches.assign(song.box.notes.begin(), song.box.notes.end());
    request.resolution = resolution;
    request.pixelsPerQuarter = song.pixelsPerQuarter;
    request.beatsPerBar = song.beatsPerBar;
    request.canvasWidth = song.canvasWidth;
    request.noteWidth = song.noteWidth;
    request.maxNotes = kMaxNotes;
    request.minDistance = std::max(1, MinHoleDistance(song, metrics));
    request.maxChord = std::clamp(choices.maxChord, kLowestChordLimit, kHighestChordLimit);
    request.melodyTrack = choices.melodyTrack;
    request.transposition = choices.transposition;
    return request;
}

int PlaceArrangement(SongState& song, const ArrangeResult& result)
{
    if (song.noteCount > 0) {
        song.SelectAll();
        song.DeleteSelected();
    }
    for (NoteRecord& note : song.notes) {
        note = NoteRecord{};
    }
    int placed = 0;
    for (const ArrangedNote& arranged : result.notes) {
        const int row = song.RowForPitch(arranged.pitch);
        if (row < 0 || placed >= kMaxNotes) {
            continue;
        }
        NoteRecord& note = song.notes[static_cast<std::size_t>(placed)];
        note.left = arranged.x;
        note.top = song.bandTopOfRow(row);
        note.right = note.left + song.noteWidth;
        note.bottom = note.top + song.rowHeight;
        if (song.NormaliseNote(placed)) {
            ++placed;
        } else {
            note = NoteRecord{};
        }
    }
    song.selectedCount = 0;
    song.noteCount = placed;
    song.importTransposition = result.transposition;
    return placed;
}

ArrangeResult ArrangeIntoSong(SongState& song, std::span<const MidiTrack* const> tracks, int resolution,
                              bool marksWritten, const ImportOptions& options, const PrintMetrics& metrics,
                              const ArrangeChoices& choices)
{
    const std::uint32_t barTicks = static_cast<std::uint32_t>(std::max(0, resolution * song.beatsPerBar));
    const std::vector<SourceNote> notes = ReadSourceNotes(tracks, marksWritten, barTicks, options);
    const ArrangeResult result = Arrange(notes, ArrangeRequestFor(song, resolution, metrics, choices));
    PlaceArrangement(song, result);
    return result;
}

} // namespace zembra
