#include "canvas/note_clip.h"

#include "canvas/edit_commands.h"

#include <algorithm>
#include <limits>

namespace zembra {

namespace {

constexpr int kWrapMargin = 20;
constexpr std::uint32_t kHighestMidiNote = 127;

void putWord(std::vector<std::uint8_t>& bytes, std::uint32_t word)
{
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(word >> shift));
    }
}

std::uint32_t wordAt(const std::uint8_t* data)
{
    return static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
           static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
}

} // namespace

std::optional<NoteClip> CollectSelection(const SongState& song)
{
    if (song.selectedCount <= 0) {
        return std::nullopt;
    }
    NoteClip clip;
    clip.smallestLeft = song.canvasWidth;
    const int end = song.UsedEnd();
    for (int i = 0; i < end; ++i) {
        const NoteRecord& n = song.notes[i];
        if (song.IsLive(i) && n.selected) {
            clip.entries.push_back(static_cast<std::uint32_t>(n.left) * 65536u + static_cast<std::uint32_t>(n.top));
            clip.pitches.push_back(n.pitch);
            clip.smallestLeft = std::min(clip.smallestLeft, n.left);
        }
    }
    return clip;
}

std::vector<std::uint8_t> EncodeClip(const NoteClip& clip)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(8 + clip.entries.size() * 4);
    putWord(bytes, static_cast<std::uint32_t>(clip.entries.size()));
    for (std::uint32_t entry : clip.entries) {
        putWord(bytes, entry);
    }
    putWord(bytes, 0);
    return bytes;
}

std::vector<std::uint8_t> EncodeClipPitches(const NoteClip& clip)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(4 + clip.pitches.size() * 4);
    putWord(bytes, static_cast<std::uint32_t>(clip.pitches.size()));
    for (int pitch : clip.pitches) {
        putWord(bytes, static_cast<std::uint32_t>(pitch));
    }
    return bytes;
}

std::vector<int> DecodeClipPitches(const std::uint8_t* data, std::size_t size, std::size_t entryCount)
{
    std::vector<int> pitches;
    if (data == nullptr || size < 4 || wordAt(data) != entryCount || (size - 4) / 4 < entryCount) {
        return pitches;
    }
    pitches.reserve(entryCount);
    for (std::size_t k = 0; k < entryCount; ++k) {
        const std::uint32_t word = wordAt(data + 4 + 4 * k);
        if (word > kHighestMidiNote) {
            return {};
        }
        pitches.push_back(static_cast<int>(word));
    }
    return pitches;
}

std::vector<std::uint32_t> DecodeClip(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint32_t> entries;
    if (data == nullptr || size < 4) {
        return entries;
    }
    const std::size_t declared = wordAt(data);
    const std::size_t available = (size - 4) / 4;
    const std::size_t count = std::min(declared, available);
    entries.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        entries.push_back(wordAt(data + 4 + 4 * k));
    }
    return entries;
}

PasteResult PasteNotes(SongState& song, const std::vector<std::uint32_t>& entries, PastePlacement& placement,
                       const std::vector<int>& pitches)
{
    PasteResult result;
    if (song.noteCount >= kMaxNotes) {
        result.storeFull = !entries.empty();
        result.leftOut = static_cast<int>(entries.size());
        return result;
    }
    // Where each entry lands: the height it was copied from, or the row of its pitch; -1 for a
    // pitch the box cannot play, which still holds its place in time so that the rest keep the
    // block's shape.
    const bool byPitch = !pitches.empty() && pitches.size() == entries.size();
    std::vector<int> landing(entries.size());
    int smallestX = std::numeric_limits<int>::max();
    int largestX = 0;
    int playable = 0;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        landing[k] = static_cast<int>(entries[k] % 65536u);
        if (byPitch) {
            const int row = song.RowForPitch(pitches[k]);
            landing[k] = row < 0 ? -1 : song.bandTopOfRow(row);
            const int x = static_cast<int>(entries[k] / 65536u);
            smallestX = std::min(smallestX, x);
            largestX = std::max(largestX, x);
        }
        if (landing[k] < 0) {
            ++result.notPlayable;
        } else {
            ++playable;
        }
    }
    if (!entries.empty()) {
        song.DeselectAll();
        for (std::size_t k = 0; k < entries.size(); ++k) {
            if (landing[k] < 0) {
                continue;
            }
            const int x = static_cast<int>(entries[k] / 65536u);
            if (AllocateSelectedNote(song, x, landing[k]) == kNoFreeSlot) {
                result.storeFull = true;
                result.leftOut = playable - result.placed;
                break;
            }
            ++result.placed;
            smallestX = std::min(smallestX, x);
            largestX = std::max(largestX, x);
        }
    }
    if (result.placed > 0) {
        const int dx = placement.anchorX - smallestX;
        const int end = song.UsedEnd();
        for (int i = 0; i < end; ++i) {
            NoteRecord& n = song.notes[i];
            // Pasted notes move even when they arrived outside this canvas (from a wider one).
            if (song.IsFree(i) || !n.selected) {
                continue;
            }
            n.left += dx;
            n.right = n.left + song.noteWidth;
            n.bottom = n.top + song.rowHeight;
            GridSnap(song, i);
            song.NormaliseNote(i);
        }
        // An entry that landed outside the canvas leaves its slot open to the next one, so count
        // what is really there.
        song.selectedCount = 0;
        song.noteCount = 0;
        for (int i = 0; i < end; ++i) {
            if (song.IsLive(i)) {
                ++song.noteCount;
                song.selectedCount += song.notes[i].selected ? 1 : 0;
            }
        }
    }
    if (placement.anchorX + song.pasteStep + largestX > song.canvasWidth) {
        placement.anchorX = kWrapMargin;
    } else if (placement.anchorX + song.pasteStep < 0) {
        placement.anchorX = song.canvasWidth - largestX - kWrapMargin;
    } else {
        placement.anchorX += song.pasteStep;
    }
    return result;
}

} // namespace zembra
