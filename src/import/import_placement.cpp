#include "import/import_placement.h"

#include "import/import_options.h"

#include "midi/midi_bytes.h"
#include "midi/midi_track.h"

#include <algorithm>
#include <bitset>
#include <unordered_set>
#include <vector>

namespace zembra {

namespace {

// The key an editor puts down to mark bars that are to be cut.
constexpr int kCutMarkerKey = 2;

// Keys a strike's key is read with for the look-ups of folding.
constexpr int kKeyRange = 256;

bool IsStruck(const MidiEvent& event)
{
    return (event.status & kStatusTypeMask) == kNoteOn && event.data2 != 0;
}

// A strike that is a note of the file: not an editor's mark, not left out by the options.
bool IsNote(const MidiEvent& event, bool cutMarkers, const ImportOptions& options)
{
    return IsStruck(event) && !(cutMarkers && event.data1 <= kCutMarkerKey) && !IsLeftOut(event.status, options);
}

std::uint64_t StrikeKey(std::uint64_t tick, int key)
{
    return tick * kKeyRange + static_cast<std::uint64_t>(key);
}

struct Candidate {
    NoteRecord note;
    std::uint64_t sortKey = 0;
    int row = 0;
    bool folded = false;
};

// Leaves out each folded candidate that lands where a note already is on its row: a note that
// landed there directly, or one folded there before it in reading order.
void DropDoubledFolds(std::vector<Candidate>& candidates)
{
    const auto place = [](const Candidate& c) {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(c.note.left)) << 8) |
               static_cast<std::uint64_t>(c.row);
    };
    std::unordered_set<std::uint64_t> taken;
    bool anyFolded = false;
    for (const Candidate& c : candidates) {
        if (c.folded) {
            anyFolded = true;
        } else {
            taken.insert(place(c));
        }
    }
    if (!anyFolded) {
        return;
    }
    std::erase_if(candidates, [&](const Candidate& c) { return c.folded && !taken.insert(place(c)).second; });
}

} // namespace

ImportCounts CountImportable(std::span<const MidiTrack* const> tracks, const SongState& song, int transposition,
                             bool cutMarkers, const ImportOptions& options)
{
    return ImportCounter(tracks, song, cutMarkers, options).Count(transposition);
}

ImportCounter::ImportCounter(std::span<const MidiTrack* const> tracks, const SongState& song, bool cutMarkers,
                             const ImportOptions& options)
    : m_tracks(tracks)
    , m_keys(song, options.foldOctaves)
    , m_cutMarkers(cutMarkers)
    , m_options(options)
{
    for (std::size_t t = 0; t < tracks.size(); ++t) {
        const MidiTrack* track = tracks[t];
        if (!track || IsTrackLeftOut(t, options)) {
            continue;
        }
        std::uint64_t tick = 0;
        const std::uint32_t events = track->Remaining();
        for (std::uint32_t i = 0; i < events; ++i) {
            const MidiEvent& event = *track->Event(i);
            tick += event.time;
            if (IsNote(event, cutMarkers, options)) {
                ++m_keyStrikes[event.data1];
                if (options.foldOctaves) {
                    m_strikes.push_back(StrikeKey(tick, event.data1));
                }
            }
        }
        m_totalTicks += tick;
        m_longestTrackTicks = std::max(m_longestTrackTicks, tick);
    }
    std::sort(m_strikes.begin(), m_strikes.end());
    for (std::size_t first = 0; first < m_strikes.size();) {
        std::size_t end = first + 1;
        while (end < m_strikes.size() && m_strikes[end] / kKeyRange == m_strikes[first] / kKeyRange) {
            ++end;
        }
        if (end - first == 1) {
            ++m_lonelyStrikes[m_strikes[first] % kKeyRange];
        } else {
            m_sharedStrikes.insert(m_sharedStrikes.end(), m_strikes.begin() + static_cast<std::ptrdiff_t>(first),
                                   m_strikes.begin() + static_cast<std::ptrdiff_t>(end));
        }
        first = end;
    }
}

bool ImportCounter::HasStrike(std::uint64_t tick, int key) const
{
    return key >= 0 && key < kKeyRange && std::binary_search(m_strikes.begin(), m_strikes.end(), StrikeKey(tick, key));
}

ImportCounts ImportCounter::CountEvery(int transposition) const
{
    ImportCounts counts;
    if (m_tracks.empty() || !m_tracks.front()) {
        return counts;
    }
    counts.totalTicks = m_totalTicks;
    counts.longestTrackTicks = m_longestTrackTicks;
    const auto tally = [&counts](bool importable, std::uint64_t notes) {
        (importable ? counts.importable : counts.notImportable) += static_cast<int>(notes);
    };
    // A note alone at its tick sounds wherever it lands, folded or not.
    const std::array<std::uint64_t, kKeys>& alone = m_options.foldOctaves ? m_lonelyStrikes : m_keyStrikes;
    for (int key = 0; key < kKeys; ++key) {
        if (alone[static_cast<std::size_t>(key)] > 0) {
            tally(m_keys.Land(key + transposition).onComb(), alone[static_cast<std::size_t>(key)]);
        }
    }
    // Folding, where notes share a tick: a folded note is left out where the file strikes the key
    // it lands on, and where another folded note landed first. Of the folded notes that meet at
    // one place exactly one sounds, so the order in which the tracks are read does not change the
    // counts.
    std::bitset<kKeys> struck;
    std::bitset<kKeys> landed;
    for (std::size_t first = 0; first < m_sharedStrikes.size();) {
        const std::uint64_t tick = m_sharedStrikes[first] / kKeyRange;
        std::size_t end = first;
        struck.reset();
        landed.reset();
        for (; end < m_sharedStrikes.size() && m_sharedStrikes[end] / kKeyRange == tick; ++end) {
            struck.set(static_cast<std::size_t>(m_sharedStrikes[end] % kKeyRange));
        }
        for (std::size_t i = first; i < end; ++i) {
            const int key = static_cast<int>(m_sharedStrikes[i] % kKeyRange);
            const CombLanding landing = m_keys.Land(key + transposition);
            if (!landing.folded) {
                tally(landing.onComb(), 1);
                continue;
            }
            const int sourceKey = landing.pitch - transposition;
            const bool hit = sourceKey >= 0 && sourceKey < kKeys && struck[static_cast<std::size_t>(sourceKey)];
            const bool free = landing.pitch >= 0 && landing.pitch < kKeys && !landed[static_cast<std::size_t>(landing.pitch)];
            if (!hit && free) {
                landed.set(static_cast<std::size_t>(landing.pitch));
            }
            tally(!hit && free, 1);
        }
        first = end;
    }
    return counts;
}

ImportCounts ImportCounter::Count(int transposition) const
{
    ImportCounts counts;
    if (m_tracks.empty() || !m_tracks.front()) {
        return counts;
    }
    // Folded notes counted so far, by tick and the key they landed on.
    std::unordered_set<std::uint64_t> folded;
    for (std::size_t t = 0; t < m_tracks.size(); ++t) {
        const MidiTrack* track = m_tracks[t];
        if (!track || IsTrackLeftOut(t, m_options)) {
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
            if (!IsNote(event, m_cutMarkers, m_options)) {
                continue;
            }
            const CombLanding landing = m_keys.Land(event.data1 + transposition);
            bool importable = landing.onComb();
            if (landing.folded) {
                // A note of the file that lands there directly, or one folded there before, is
                // already sounding that hole.
                importable = !HasStrike(length, landing.pitch - transposition) &&
                             folded.insert(StrikeKey(length, landing.pitch)).second;
            }
            if (importable) {
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
                                   bool cutMarkers, const ImportOptions& options)
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
    const CombKeys keys(song, options.foldOctaves);
    std::vector<Candidate> candidates;
    candidates.reserve(kMaxImportCandidates);
    bool full = false;
    for (std::size_t n = 0; n < tracks.size() && !full; ++n) {
        const MidiTrack* track = tracks[n];
        if (!track || IsTrackLeftOut(n, options)) {
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
            if (!IsStruck(event) || IsLeftOut(event.status, options)) {
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
            // The editor's other marks end a cut like any note but never land.
            const bool mark = cutMarkers && event.data1 < kCutMarkerKey;
            const CombLanding landing = mark ? CombLanding{} : keys.Land(event.data1 + song.importTransposition);
            if (landing.onComb()) {
                const int row = landing.row;
                const int key = landing.pitch;
                Candidate c;
                c.row = row;
                c.folded = landing.folded;
                const std::int64_t left = t * song.pixelsPerQuarter / resolution;
                c.note.left = static_cast<std::int32_t>(std::clamp<std::int64_t>(left, 0, INT32_MAX - song.noteWidth));
                c.note.top = song.bandTopOfRow(row);
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
                result.pastLastBar = true;
                break;
            }
        }
    }
    DropDoubledFolds(candidates);
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
