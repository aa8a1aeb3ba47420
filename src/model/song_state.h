#pragma once

#include "midi/midi_bytes.h"
#include "model/music_box.h"
#include "model/tuning.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zembra {

inline constexpr int kMaxNotes = 1500;
// Rows of the default box, the 33-note one; a song's own count is its box's.
inline constexpr int kDefaultRowCount = 33;
// The most rows any box may have: the row table is sized for it.
inline constexpr int kMaxRows = kMostBoxNotes;
inline constexpr int kBandTop = 50; // canvas y where the top row's band starts
inline constexpr int kNoFreeSlot = -1;

// A pitch-class name such as "C#" or "Eb"; fixed in size so that a note slot never allocates.
class NoteName {
public:
    NoteName() = default;
    NoteName(std::string_view text) { assign(text); }
    void assign(std::string_view text);
    std::string_view view() const { return {m_text.data(), m_length}; }
    bool empty() const { return m_length == 0; }
    bool operator==(const NoteName& other) const { return view() == other.view(); }

private:
    std::array<char, 7> m_text{};
    std::uint8_t m_length = 0;
};

struct NoteRecord {
    std::int32_t left = -1;
    std::int32_t top = -1;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t selected = 0;
    std::int32_t pitch = 0;
    std::int32_t velocity = 0;
    NoteName name;
};

struct RowEntry {
    std::int32_t pitch = 0;
    std::int32_t velocity = 0;
    std::int32_t isC = 0;
    NoteName name;
};

struct PrintOptions {
    std::int32_t repeatImage = 1;
    std::int32_t ruledLines = 1;
    std::int32_t fitSongToCard = 1;
    std::int32_t mirrorCard = 0;
    std::int32_t swapHighLow = 0;
    std::int32_t thickLines = 0;
    std::int32_t blackLines = 0;
    std::int32_t twoRows = 0;
    // Each strip carries its number and the title after its last bar. Kept with the other
    // options, but not in the song file.
    std::int32_t stripNumbers = 0;
};

struct ScrollPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The whole song as one record: undo copies it whole, so everything an edit can change lives here.
// Slot order matters: it decides overlaps, allocation and the order of saving. The first free slot
// ends the used part of the array.
struct SongState {
    std::int32_t slotInUse = 0;
    std::array<NoteRecord, kMaxNotes> notes{};
    std::string title;
    std::string author;
    // The box the song is arranged for; rowCount and rows follow it (see UseBox).
    MusicBox box = DefaultBox();
    // How its comb is tuned; it goes with the box, through a new song as the box does.
    Tuning tuning = Tuning::Equal;
    std::int32_t rowCount = kDefaultRowCount;
    std::array<RowEntry, kMaxRows> rows{};
    std::int32_t pixelsPerQuarter = 24;
    std::int32_t rowHeight = 12;
    std::int32_t noteWidth = 8;
    std::int32_t barCount = 24;
    std::int32_t beatsPerBar = 4;
    std::int32_t canvasWidth = 2304;
    std::int32_t musicLength = 2304;
    std::int32_t barLengthMm = 50;
    PrintOptions printOptions;
    std::int32_t snap16th = 0;
    std::int32_t snapQuarter = 0;
    std::int32_t snap8th = 0;
    std::int32_t distanceCheckMode = 0;
    std::int32_t toggleSelectMode = 0;
    std::int32_t zoomMode = 0;
    std::int32_t tempoLock = 0;
    std::int32_t shiftAfterDragMode = 0;
    std::int32_t importTransposition = 0;
    std::int32_t temporaryTransposition = 0;
    ScrollPoint savedScroll;
    std::int32_t pasteOriginX = 0;
    std::int32_t pasteStep = 0;
    double tempo = kDefaultTempo;
    std::int32_t selectedCount = 0;
    std::int32_t noteCount = 0;

    // Everything a new song starts with. importTransposition, the box and its tuning survive a reset.
    void ResetSong();
    // Makes `newBox` the song's box and builds its rows. Notes are not moved: a caller with notes
    // on the canvas switches through SwitchBox.
    void UseBox(const MusicBox& newBox);

    bool IsFree(int i) const;
    bool IsLive(int i) const;
    int RowOf(int i) const;
    // Index one past the used part of the store: the first free slot, or kMaxNotes.
    int UsedEnd() const;

    // Snaps the note onto its row band and gives it its row's pitch; a note outside the canvas
    // becomes a dead slot. Returns true when the note stays live.
    bool NormaliseNote(int i);
    // Places a new note at canvas (x, y) in the lowest slot that is not live; kNoFreeSlot when full.
    int AllocateNote(int x, int y);
    // The live note containing (x, y), edges included; the higher slot wins. -1 for none.
    int HitTest(int x, int y) const;

    void DeselectAll();
    void SelectAll();
    void DeleteSelected();
    void KillSlot(int i);

    // The row table from the box's notes, row 0 the lowest.
    void BuildRows();
    // The row whose pitch is p, searched from row 0 upward; -1 for none.
    int RowForPitch(int p) const;

    int barWidth() const { return pixelsPerQuarter * beatsPerBar; }
    int bandTopOfRow(int row) const { return (rowCount - row - 1) * rowHeight + kBandTop; }
    // Canvas y where the lowest row's band ends.
    int bandBottom() const { return kBandTop + rowCount * rowHeight; }
};

} // namespace zembra
