#include "song_invariants.h"

#include <sstream>

namespace zembra::monkey {

namespace {

std::string slotText(int i, const NoteRecord& n, const char* what)
{
    std::ostringstream out;
    out << "slot " << i << " (left " << n.left << ", top " << n.top << ", right " << n.right << ", bottom "
        << n.bottom << ", selected " << n.selected << ", pitch " << n.pitch << "): " << what;
    return out.str();
}

std::string countText(const char* name, int stored, int counted)
{
    std::ostringstream out;
    out << name << " is " << stored << " but " << counted << " slots count";
    return out.str();
}

// A live slot lies wholly on the canvas, on one row band, and sounds as its row does.
std::string liveViolation(const SongState& song, int i)
{
    const NoteRecord& n = song.notes[i];
    if (n.right != n.left + song.noteWidth || n.bottom != n.top + song.rowHeight) {
        return slotText(i, n, "its size is not one note");
    }
    if (n.right > song.canvasWidth || n.bottom > song.bandBottom()) {
        return slotText(i, n, "a live note outside the canvas");
    }
    if (song.rowHeight <= 0 || (n.top - kBandTop) % song.rowHeight != 0) {
        return slotText(i, n, "not on a row band");
    }
    const int row = song.RowOf(i);
    if (row < 0 || row >= song.rowCount || row >= kMaxRows) {
        return slotText(i, n, "on no row");
    }
    const RowEntry& entry = song.rows[static_cast<std::size_t>(row)];
    if (n.pitch != entry.pitch || n.velocity != entry.velocity || !(n.name == entry.name)) {
        return slotText(i, n, "pitch, velocity or name differ from its row");
    }
    if (n.selected != 0 && n.selected != 1) {
        return slotText(i, n, "selected is neither 0 nor 1");
    }
    return {};
}

} // namespace

std::string FirstSongViolation(const SongState& song)
{
    if (song.canvasWidth != song.pixelsPerQuarter * song.beatsPerBar * song.barCount) {
        return "canvasWidth is not pixelsPerQuarter x beatsPerBar x barCount";
    }
    int live = 0;
    int selected = 0;
    bool freeSeen = false;
    for (int i = 0; i < kMaxNotes; ++i) {
        const NoteRecord& n = song.notes[static_cast<std::size_t>(i)];
        if (song.IsFree(i)) {
            // Only a reset frees a slot, and a reset leaves it unselected.
            if (n.selected != 0) {
                return slotText(i, n, "a free slot is selected");
            }
            freeSeen = true;
            continue;
        }
        if (freeSeen) {
            return slotText(i, n, "a used slot after the first free one (the scans never reach it)");
        }
        if (song.IsLive(i)) {
            if (std::string broken = liveViolation(song, i); !broken.empty()) {
                return broken;
            }
            ++live;
            selected += n.selected;
            continue;
        }
        // Deleting and normalising both leave the same dead shape.
        if (n.left != 0 || n.top != 0 || n.right != song.noteWidth || n.bottom != song.rowHeight || n.selected != 0) {
            return slotText(i, n, "a dead slot that neither deletion nor normalisation leaves");
        }
    }
    if (song.noteCount != live) {
        return countText("noteCount", song.noteCount, live);
    }
    if (song.selectedCount != selected) {
        return countText("selectedCount", song.selectedCount, selected);
    }
    return {};
}

} // namespace zembra::monkey
