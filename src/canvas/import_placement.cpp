#include "canvas/import_placement.h"

#include "midi/midi_bytes.h"
#include "midi/midi_track.h"

#include <algorithm>
#include <vector>

namespace zembra {

namespace {

// The key an editor puts down to mark bars that are to be cut.
constexpr int kCutMarkerKey = 2;

bool IsStruck(const MidiEvent& event)
{
    return (event.status & 0xF0) == kNoteOn && event.data2 != 0;
}

struct Candidate {
    NoteRecord note;
    std::uint64_t sortKey = 0;
};

} // namespace

ImportCounts CountImportable(std::span<const MidiTrack* const> tracks, const SongState& song, int transposition,
                             bool cutMarkers)
{
    ImportCounts counts;
    if (tracks.empty() || !tracks.front()) {
        return counts;
    }
    for (const MidiTrack* track : tracks) {
        if (!track) {
            continue;
        }
        const std::uint32_t events = track->Remaining();
        std::uint64_t length = 0;
        bool counting = true;
        for (std::uint32_t i = 0; i < events; ++i) {
            const MidiEvent& event = *track->Event(i);
            length += event.time;
            if (!counting) {
                continue;
            }
            counts.totalTicks += event.time;
            if (!IsStruck(event) || (cutMarkers && event.data1 <= kCutMarkerKey)) {
                continue;
            }
            if (song.RowForPitch(event.data1 + transposition) >= 0) {
                ++counts.importable;
            } else {
                ++counts.notImportable;
            }
            counting = counts.importable < kMaxNotes;
        }
        counts.longestTrackTicks = std::max(counts.longestTrackTicks, length);
    }
    return counts;
}

PlacementResult PlaceImportedNotes(SongState& song, std::span<const MidiTrack* const> tracks, int resolution,
                                   bool cutMarkers)
{
    PlacementResult result;
    if (tracks.empty()) {
        return result;
    }
    if (song.noteCount > 0) {
        song.SelectAll();
        song.DeleteSelected();
    }
    // Without a resolution no tick can be turned into pixels; the canvas is then left empty.
    if (resolution <= 0) {
        return result;
    }
    const std::uint64_t bar = static_cast<std::uint64_t>(song.beatsPerBar) * static_cast<std::uint64_t>(resolution);
    const double barTicks = static_cast<double>(resolution) * song.beatsPerBar;
    std::vector<Candidate> candidates;
    candidates.reserve(kMaxImportCandidates);
    bool full = false;
    for (const MidiTrack* track : tracks) {
        if (full) {
            break;
        }
        if (!track) {
            continue;
        }
        std::uint64_t abs = 0;
        std::int64_t t = 0;
        bool cutting = false;
        const std::uint32_t events = track->Remaining();
        for (std::uint32_t i = 0; i < events; ++i) {
            const MidiEvent& event = *track->Event(i);
            abs += event.time;
            if (!cutting) {
                t += event.time;
            }
            if (!IsStruck(event)) {
                continue;
            }
            const std::int64_t intoBar = bar == 0 ? 0 : static_cast<std::int64_t>(abs % bar);
            if (cutMarkers && event.data1 == kCutMarkerKey) {
                if (!cutting) {
                    t -= intoBar;
                    cutting = true;
                }
                continue;
            }
            if (cutting) {
                t += intoBar;
                cutting = false;
            }
            const int key = event.data1 + song.importTransposition;
            const int row = song.RowForPitch(key);
            if (row >= 0) {
                Candidate c;
                const std::int64_t left = t * song.pixelsPerQuarter / resolution;
                c.note.left = static_cast<std::int32_t>(std::clamp<std::int64_t>(left, 0, INT32_MAX - song.noteWidth));
                c.note.top = (kRowCount - 1 - row) * song.rowHeight + kBandTop;
                c.note.right = c.note.left + song.noteWidth;
                c.note.bottom = c.note.top + song.rowHeight;
                c.note.pitch = key;
                c.note.velocity = song.rows[static_cast<std::size_t>(row)].velocity;
                c.sortKey = (static_cast<std::uint64_t>(c.note.left) << 16) + candidates.size();
                candidates.push_back(c);
            }
            if (candidates.size() >= static_cast<std::size_t>(kMaxImportCandidates)) {
                full = true;
                break;
            }
            // Notes beyond the canvas's last bar are not read.
            if (!(static_cast<double>(t) / barTicks < song.barCount)) {
                break;
            }
        }
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.sortKey < b.sortKey; });
    result.candidates = static_cast<int>(candidates.size());
    const int placed = std::min(result.candidates, kMaxNotes);
    for (int i = 0; i < placed; ++i) {
        song.notes[static_cast<std::size_t>(i)] = candidates[static_cast<std::size_t>(i)].note;
        if (song.NormaliseNote(i)) {
            ++result.placed;
        }
    }
    song.selectedCount = 0;
    song.noteCount = result.placed;
    return result;
}

} // namespace zembra
