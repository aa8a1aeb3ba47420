#include "canvas/keyboard_recorder.h"

#include "canvas/edit_commands.h"

namespace zembra {

int KeyboardRecorder::LeadIn(const SongState& song)
{
    return song.pixelsPerQuarter * song.beatsPerBar;
}

void KeyboardRecorder::Begin(const SongState& song)
{
    m_countAtStart = song.noteCount;
}

bool KeyboardRecorder::TakeChanged(const SongState& song) const
{
    return song.noteCount != m_countAtStart;
}

int KeyboardRecorder::PlaceOf(int pixelsPerQuarter, std::uint32_t ticks, std::uint16_t resolution, int startX, int lead)
{
    if (resolution == 0 || pixelsPerQuarter <= 0) {
        return startX - lead;
    }
    const std::uint64_t scaled = std::uint64_t(static_cast<unsigned>(pixelsPerQuarter)) * ticks / resolution;
    return startX + static_cast<int>(scaled) - lead;
}

int KeyboardRecorder::RowOfPitch(const SongState& song, int pitch)
{
    return song.RowForPitch(pitch);
}

KeyboardRecorder::Result KeyboardRecorder::PlaceRow(SongState& song, int row, int x)
{
    Result result;
    if (row < 0 || row >= song.rowCount || row >= kMaxRows) {
        return result;
    }
    result.row = row;
    const int slot = song.AllocateNote(x, song.bandTopOfRow(row));
    if (slot == kNoFreeSlot) {
        result.outcome = Outcome::StoreFull;
        return result;
    }
    GridSnap(song, slot);
    if (!song.NormaliseNote(slot)) {
        // Only a live note joins the selection: a dead slot counted as selected would leave the
        // selection count wrong until the next repaint.
        result.outcome = Outcome::Outside;
        return result;
    }
    ++song.noteCount;
    song.notes[static_cast<std::size_t>(slot)].selected = 1;
    ++song.selectedCount;
    result.outcome = Outcome::Placed;
    result.slot = slot;
    return result;
}

KeyboardRecorder::Result KeyboardRecorder::RecordKey(SongState& song, int virtualKey, int x) const
{
    const int row = RowOfKey(virtualKey);
    if (row == KeyMap::kNoRow) {
        return {};
    }
    return PlaceRow(song, row, x);
}

} // namespace zembra
