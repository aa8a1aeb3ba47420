#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// A card music box: which notes its comb plays and the sizes of the card it reads. A box is data:
// the built-in ones are a table, a box of one's own is read from a file into the same record.
namespace zembra {

struct MusicBoxSizes {
    double stripWidthMm = 0;      // the card's width across the rows
    double firstRowMm = 0;        // from the strip's top edge to the row of the lowest note
    double rowPitchMm = 0;        // between neighbouring rows
    double holeMm = 0;            // the hole the comb's pins go through
    double shortestRepeatMm = 0;  // the closest two holes on one row may be and both sound
    double paperPerTurnMm = 0;    // card fed by one turn of the crank

    bool operator==(const MusicBoxSizes&) const = default;
};

struct MusicBox {
    std::string id;
    std::string name;
    std::vector<int> notes;            // MIDI numbers, low to high; row 0 is the lowest
    MusicBoxSizes sizes;
    std::vector<double> centsPerTooth; // the measured tuning of each tooth; empty: as built

    bool operator==(const MusicBox&) const = default;
};

// What is wrong with a box definition, and the field that says so.
enum class BoxProblem {
    None,
    TooFewNotes,      // fewer than kFewestBoxNotes
    TooManyNotes,     // more than kMostBoxNotes
    NoteOutOfRange,   // not a MIDI note 0..127
    NotesOutOfOrder,  // not rising from low to high
    SizeNotPositive,  // a size of 0 or less
    RowsOutsideStrip, // a hole of the first or the last row reaches over the strip's edge
    HoleTooWide,      // less than kLeastCardBetweenRowsMm of card between neighbouring holes
    TuningMismatch,   // cents given, but not one per tooth
};

struct BoxCheck {
    BoxProblem problem = BoxProblem::None;
    std::string field; // "notes", "rowPitchMm", ... as a box file names it
    bool ok() const { return problem == BoxProblem::None; }
};

inline constexpr int kFewestBoxNotes = 8;
inline constexpr int kMostBoxNotes = 48;
inline constexpr double kLeastCardBetweenRowsMm = 0.1;

// The boxes Zembra knows: 33, 30F, 30, 20 and 15 notes, the 33-note box first.
std::span<const MusicBox> BuiltInBoxes();
const MusicBox& DefaultBox();
// The built-in box of `id`, or null.
const MusicBox* FindBuiltInBox(std::string_view id);

BoxCheck CheckBox(const MusicBox& box);

// "C4" is 60; a sharp as "F#4", a flat as "Gb4"; octaves from -1 to 9. -1 when it is not a note.
int NoteFromName(std::string_view name);
// The name NoteFromName reads back: "C4" for 60, sharps as "F#4".
std::string NameOfNote(int note);

} // namespace zembra
