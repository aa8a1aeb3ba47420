#include "canvas/hole_mend.h"

#include "midi/midi_bytes.h"
#include "model/too_close.h"
#include "model/song_state.h"

#include <algorithm>
#include <array>
#include <map>
#include <tuple>

namespace zembra {

namespace {

constexpr std::array kOctaveTries = {kOctave, -kOctave, 2 * kOctave, -2 * kOctave};

struct Place {
    int left = 0;
    int slot = 0;
    bool operator<(const Place& other) const { return std::tie(left, slot) < std::tie(other.left, other.slot); }
};

// The live notes of each row (by the top of their band), ordered by x and then by slot.
class RowPlaces {
public:
    explicit RowPlaces(const SongState& song)
    {
        const int end = song.UsedEnd();
        for (int i = 0; i < end; ++i) {
            if (song.IsLive(i)) {
                m_rows[song.notes[static_cast<std::size_t>(i)].top].push_back({song.notes[static_cast<std::size_t>(i)].left, i});
            }
        }
        for (auto& [top, places] : m_rows) {
            std::sort(places.begin(), places.end());
        }
    }

    // Whether the note at `place` follows the previous note of its row by less than `distance`.
    bool TooClose(int top, const Place& place, int distance) const
    {
        const std::vector<Place>& row = Row(top);
        const auto at = std::lower_bound(row.begin(), row.end(), place);
        return at != row.begin() && TooCloseHoles({top, std::prev(at)->left}, {top, place.left}, distance);
    }

    // Whether a note at x `left` would lie at least `distance` from every note of the row.
    bool Free(int top, int left, int distance) const
    {
        const std::vector<Place>& row = Row(top);
        const auto near = std::lower_bound(row.begin(), row.end(), Place{left - distance + 1, -1});
        return near == row.end() || near->left >= left + distance;
    }

    void Remove(int top, const Place& place)
    {
        std::vector<Place>& row = m_rows[top];
        const auto at = std::lower_bound(row.begin(), row.end(), place);
        if (at != row.end() && at->slot == place.slot) {
            row.erase(at);
        }
    }

    void Insert(int top, const Place& place)
    {
        std::vector<Place>& row = m_rows[top];
        row.insert(std::upper_bound(row.begin(), row.end(), place), place);
    }

    // Every note that follows its row's previous note too closely, in time order (then by row
    // and slot).
    std::vector<std::pair<int, Place>> Flagged(int distance) const
    {
        std::vector<std::pair<int, Place>> flagged;
        for (const auto& [top, row] : m_rows) {
            for (std::size_t i = 1; i < row.size(); ++i) {
                if (TooCloseHoles({top, row[i - 1].left}, {top, row[i].left}, distance)) {
                    flagged.push_back({top, row[i]});
                }
            }
        }
        std::sort(flagged.begin(), flagged.end(), [](const auto& a, const auto& b) {
            return std::tie(a.second.left, a.first, a.second.slot) < std::tie(b.second.left, b.first, b.second.slot);
        });
        return flagged;
    }

private:
    const std::vector<Place>& Row(int top) const
    {
        static const std::vector<Place> kEmpty;
        const auto found = m_rows.find(top);
        return found == m_rows.end() ? kEmpty : found->second;
    }

    std::map<int, std::vector<Place>> m_rows;
};

// The first octave's row where the note has room; -1 for none.
int RoomyOctaveRow(const SongState& song, const RowPlaces& places, int slot, int distance)
{
    const int row = song.RowOf(slot);
    if (row < 0 || row >= song.rowCount) {
        return -1;
    }
    const int pitch = song.rows[static_cast<std::size_t>(row)].pitch;
    for (const int shift : kOctaveTries) {
        const int target = song.RowForPitch(pitch + shift);
        if (target >= 0 && places.Free(song.bandTopOfRow(target), song.notes[static_cast<std::size_t>(slot)].left, distance)) {
            return target;
        }
    }
    return -1;
}

} // namespace

MendResult MendCloseHoles(SongState& song, int minDistance)
{
    MendResult result;
    if (minDistance <= 0) {
        return result;
    }
    RowPlaces places(song);
    const std::vector<std::pair<int, Place>> flagged = places.Flagged(minDistance);
    for (const auto& [top, place] : flagged) {
        // An earlier mend may have taken the note's close neighbour away.
        if (!places.TooClose(top, place, minDistance)) {
            continue;
        }
        places.Remove(top, place);
        const int target = RoomyOctaveRow(song, places, place.slot, minDistance);
        NoteRecord& note = song.notes[static_cast<std::size_t>(place.slot)];
        if (target < 0) {
            song.KillSlot(place.slot);
            ++result.removed;
            continue;
        }
        note.top = song.bandTopOfRow(target);
        song.NormaliseNote(place.slot);
        places.Insert(note.top, place);
        result.movedSlots.push_back(place.slot);
        ++result.moved;
    }
    if (flagged.empty()) {
        return result;
    }
    // The moved notes become the selection, so that the user sees at once what moved.
    const int end = song.UsedEnd();
    song.noteCount = 0;
    for (int i = 0; i < end; ++i) {
        if (song.IsLive(i)) {
            song.notes[static_cast<std::size_t>(i)].selected = 0;
            ++song.noteCount;
        }
    }
    for (const int slot : result.movedSlots) {
        song.notes[static_cast<std::size_t>(slot)].selected = 1;
    }
    song.selectedCount = result.moved;
    return result;
}

} // namespace zembra
