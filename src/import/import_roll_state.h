#pragma once

#include "import/import_options.h"
#include "midi/midi_event.h"
#include "model/comb_keys.h"
#include "model/music_box.h"
#include "import/import_roll_note.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zembra {

class MidiTrack;

inline constexpr int kRollSlots = 2000;
inline constexpr int kRollNoteLimit = kRollSlots - 1;
inline constexpr int kRollBarLimit = 110;
inline constexpr int kRollKeys = 128;
inline constexpr int kRollMaxWidth = 32767;
inline constexpr int kRollVelocity = 64;
// More importable notes than this and the counts say that the canvas takes only kCanvasNoteLimit.
inline constexpr int kRollCountsNoticeAbove = 500;
inline constexpr int kCanvasNoteLimit = 1500;

// A rectangle in roll pixels, edges included.
struct ImportRollRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where a cut of bars fell, in scale-1 roll pixels (the left margin included): notes with
// leftEnd <= left < rightEnd were cut, and `bars` whole bars were closed up.
struct ImportRollCut {
    int leftEnd = 0;
    int rightEnd = 0;
    int bars = 0;
};

// What a search for doubled notes found and did.
struct DuplicateResult {
    enum class Outcome { TooFewNotes, NoneFound, Deleted } outcome = Outcome::TooFewNotes;
    int deleted = 0;
};

// Everything the import editor's one-level undo copies: the roll at both scales, the edit
// settings and the bars cut out so far. Geometry at scale s: left = s * (tick * 16 / resolution
// + 10), top = s * ((128 - key) * 3 + 10).
struct ImportRollState {
    static constexpr int kPixelsPerQuarter = 16;
    static constexpr int kKeyHeight = 3;
    static constexpr int kNoteHeight = 3;
    static constexpr int kNoteWidth = 3;
    static constexpr int kLeftMargin = 10;
    static constexpr int kTopMargin = 10;
    static constexpr int kMagnifierScale = 2;

    bool undoValid = false;
    std::array<ImportRollNote, kRollSlots> notes{};
    std::array<ImportRollNote, kRollSlots> zoomNotes{};
    int beatsPerBar = 4;
    int transposition = 0;
    int scrollX = 0;
    int clickSelections = 0;
    int selectedCount = 0;
    bool redrawNeeded = true;
    bool barsShifted = false;
    bool marksWritten = false;
    // How the canvas import will read the tracks: the roll shows the notes as it will.
    ImportOptions options;
    // The box the canvas import places on: its notes are the roll's canvas notes.
    MusicBox box = DefaultBox();
    int resolution = 480;
    // Set when the tracks already carry cuts of an earlier OK: those were bars of the time
    // signature in force then, so it must stay.
    bool marksCut = false;
    int largestTick = 0;
    int importable = 0;
    int notImportable = 0;
    // Bars of the built roll (in its own time, after earlier OKs) that this session cut out.
    std::array<std::uint8_t, kRollBarLimit + 1> removedBars{};

    // The two arrays by scale (1 or 2).
    std::array<ImportRollNote, kRollSlots>& at(int scale) { return scale == 1 ? notes : zoomNotes; }
    const std::array<ImportRollNote, kRollSlots>& at(int scale) const { return scale == 1 ? notes : zoomNotes; }

    static int LeftAt(int scale, std::int64_t tick, int resolution);
    static int TopAt(int scale, int key);
    static int BitmapHeight(int scale);
    int BitmapWidth(int scale, int clientWidth) const;
    int barWidth() const { return kPixelsPerQuarter * beatsPerBar; }
    std::uint32_t barTicks() const;
    // True when `key` is the pitch of one of the box's rows.
    static bool OnCanvasScale(int key, const MusicBox& onBox = DefaultBox());
    // The key OK writes into the note's event: octave moves and low keys kept within 3..127.
    // The roll shows this key plus the transposition, so that it shows what the canvas gets.
    static int WrittenKey(const ImportRollNote& note);
    bool timeSignatureLocked() const { return barsShifted || marksCut; }

    // Fills both arrays from the tracks, reading the marks of an earlier OK when marksWritten
    // is set. Returns the number of roll entries made (notes and marks).
    int Build(std::span<MidiTrack* const> tracks);
    // One entry past the used part of the list.
    int end() const;
    // Recomputes every live note's key, geometry and scale flag and the two counts. Folding shows
    // a note where it lands on the comb, unless a note already sounds there at its tick.
    void Refresh();
    // "importable : n ..." as control 1049 shows it.
    std::string CountsText() const;
    // Scale-1 x of the bar lines that mark where cut-out notes were.
    std::vector<int> CutLines() const;

    // The live note under (x, y) at scale 1, the last in the list winning; -1 for none.
    int NoteAt(int x, int y) const;
    void Click(int x, int y, bool shift);
    // A rubber band: toggles the live notes wholly inside (Shift), or selects exactly them.
    void Band(const ImportRollRect& rect, bool toggle);
    void SelectAll();
    void DeselectAll();
    // Octave moves of the selected notes; false when nothing is selected.
    bool HasSelection() const;
    void ShiftOctaves(int semitones);
    // The whole bars from the bar of the leftmost to the bar of the rightmost selected note, or
    // the bar under `bandLeft` when nothing is selected; false when there is neither.
    bool CutSpan(int bandLeft, bool haveBand, ImportRollCut& cut) const;
    void Cut(const ImportRollCut& cut);
    // Finds notes of the same key at the same tick and deletes all but the first read.
    DuplicateResult ScanDuplicates(std::vector<int>* doomed) const;
    void Delete(const std::vector<int>& doomed);

    // The tick at which the note now sounds, once this session's cuts are closed up.
    int ShownTick(int i) const;
    // The playback of the roll at 96 ticks per quarter note from scale-1 x `startX` up to
    // `endX` (0 for none): a program change, then per note a release and a strike.
    std::vector<MidiEvent> PlayList(bool canvasNotesOnly, int startX, int endX) const;

private:
    void Mirror(int i);
    // The box's comb, folding by octaves.
    CombKeys FoldingComb() const;
    // `foldAllowed`: the note may take the row its key folds onto on `comb`.
    void Place(ImportRollNote& note, int scale, const CombKeys& comb, bool foldAllowed = true) const;
    // Per live note of the list, whether its fold would double a note already there.
    std::vector<bool> DoubledFolds(const CombKeys& comb) const;
    int SessionBarsBefore(int buildBar) const;
};

} // namespace zembra
