#include "model/song_state.h"

#include "text/string_ids.h"
#include "text/strings.h"

#include <algorithm>

namespace zembra {

namespace {
constexpr std::array<std::string_view, 12> kPitchClassNames = {
    "C", "C#", "D", "Eb", "E", "F", "F#", "G", "G#", "A", "Bb", "B"};
constexpr int kRowVelocity = 64;
} // namespace

void NoteName::assign(std::string_view text)
{
    const std::size_t length = std::min(text.size(), m_text.size());
    std::copy_n(text.begin(), length, m_text.begin());
    std::fill(m_text.begin() + static_cast<std::ptrdiff_t>(length), m_text.end(), '\0');
    m_length = static_cast<std::uint8_t>(length);
}

void SongState::ResetSong()
{
    rowCount = static_cast<std::int32_t>(std::min<std::size_t>(box.notes.size(), kMaxRows));
    rowHeight = 12;
    noteWidth = 8;
    pixelsPerQuarter = 24;
    beatsPerBar = 4;
    barCount = 24;
    barLengthMm = 50;
    canvasWidth = 2304;
    musicLength = 2304;
    title = std::string(text(str::kDefaultTitle));
    author = std::string(text(str::kNoAuthor));
    toggleSelectMode = zoomMode = tempoLock = shiftAfterDragMode = 0;
    snap16th = snapQuarter = snap8th = 0;
    distanceCheckMode = 0;
    selectedCount = 0;
    savedScroll = {};
    BuildRows();
    printOptions = PrintOptions{};
    tempo = kDefaultTempo;
    temporaryTransposition = 0;
    for (NoteRecord& note : notes) {
        note = NoteRecord{};
    }
    noteCount = 0;
    pasteOriginX = 0;
    slotInUse = 0;
}

bool SongState::IsFree(int i) const
{
    return notes[i].left == -1 && notes[i].top == -1;
}

bool SongState::IsLive(int i) const
{
    const NoteRecord& n = notes[i];
    return n.left >= 0 && n.top >= kBandTop && n.left <= canvasWidth && n.top <= bandBottom() - rowHeight;
}

int SongState::RowOf(int i) const
{
    if (rowHeight <= 0) {
        return -1;
    }
    return rowCount - (notes[i].top - kBandTop) / rowHeight - 1;
}

int SongState::UsedEnd() const
{
    for (int i = 0; i < kMaxNotes; ++i) {
        if (IsFree(i)) {
            return i;
        }
    }
    return kMaxNotes;
}

void SongState::KillSlot(int i)
{
    NoteRecord& n = notes[i];
    n.left = 0;
    n.top = 0;
    n.right = noteWidth;
    n.bottom = rowHeight;
    n.selected = 0;
}

bool SongState::NormaliseNote(int i)
{
    NoteRecord& n = notes[i];
    if (rowHeight > 0) {
        n.top -= (n.top - kBandTop) % rowHeight;
    }
    n.bottom = n.top + rowHeight;
    if (n.left >= 0 && n.right <= canvasWidth && n.top >= kBandTop && n.bottom <= bandBottom()) {
        const int row = RowOf(i);
        if (row >= 0 && row < rowCount) {
            n.pitch = rows[row].pitch;
            n.velocity = rows[row].velocity;
            n.name = rows[row].name;
            return true;
        }
    }
    KillSlot(i);
    n.pitch = 0;
    n.velocity = 0;
    n.name = NoteName{};
    return false;
}

int SongState::AllocateNote(int x, int y)
{
    if (noteCount >= kMaxNotes) {
        return kNoFreeSlot;
    }
    for (int i = 0; i < kMaxNotes; ++i) {
        if (!IsLive(i)) {
            NoteRecord& n = notes[i];
            n.left = x;
            n.top = y;
            n.right = x + noteWidth;
            n.bottom = y + rowHeight;
            return i;
        }
    }
    return kNoFreeSlot;
}

int SongState::HitTest(int x, int y) const
{
    for (int i = UsedEnd() - 1; i >= 0; --i) {
        const NoteRecord& n = notes[i];
        if (IsLive(i) && n.left <= x && x <= n.right && n.top <= y && y <= n.bottom) {
            return i;
        }
    }
    return -1;
}

void SongState::DeselectAll()
{
    if (selectedCount <= 0) {
        return;
    }
    const int end = UsedEnd();
    for (int i = 0; i < end; ++i) {
        if (IsLive(i)) {
            notes[i].selected = 0;
        }
    }
    selectedCount = 0;
}

void SongState::SelectAll()
{
    const int end = UsedEnd();
    int count = 0;
    for (int i = 0; i < end; ++i) {
        if (IsLive(i)) {
            notes[i].selected = 1;
            ++count;
        }
    }
    selectedCount = count;
}

void SongState::DeleteSelected()
{
    const int end = UsedEnd();
    for (int i = 0; i < end; ++i) {
        if (IsLive(i) && notes[i].selected) {
            KillSlot(i);
            --selectedCount;
        }
    }
}

void SongState::UseBox(const MusicBox& newBox)
{
    box = newBox;
    rowCount = static_cast<std::int32_t>(std::min<std::size_t>(box.notes.size(), kMaxRows));
    BuildRows();
}

void SongState::BuildRows()
{
    for (int r = 0; r < kMaxRows; ++r) {
        RowEntry& row = rows[r];
        if (r >= rowCount || static_cast<std::size_t>(r) >= box.notes.size()) {
            row = RowEntry{};
            continue;
        }
        row.pitch = box.notes[static_cast<std::size_t>(r)];
        row.velocity = kRowVelocity;
        row.name = kPitchClassNames[static_cast<std::size_t>(row.pitch % 12)];
        row.isC = row.name.view() == "C" ? 1 : 0;
    }
}

int SongState::RowForPitch(int p) const
{
    for (int r = 0; r < rowCount && r < kMaxRows; ++r) {
        if (rows[r].pitch == p) {
            return r;
        }
    }
    return -1;
}

} // namespace zembra
