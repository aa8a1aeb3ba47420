#pragma once

#include "model/music_box.h"

#include <QByteArray>

#include <optional>
#include <string>

// A box of one's own, read from a small JSON file:
//   {"name": "My box", "notes": [53, "G3", "C4", ...],
//    "stripWidthMm": 70, "firstRowMm": 6, "rowPitchMm": 2, "holeMm": 1.8,
//    "shortestRepeatMm": 7.25, "paperPerTurnMm": 6.59, "cents": [0, -3.5, ...]}
// Notes are MIDI numbers or names ("F#4"), low to high; "cents", the measured tuning of each
// tooth, may be left out.
namespace zembra {

enum class BoxFileError {
    None,
    NotJson,      // the text is not a JSON object
    MissingField, // a field that must be there is not
    WrongType,    // a field holds something else than it should (a note name that is no note)
    Refused,      // it reads, but the box fails CheckBox (see `check`)
};

struct BoxFileResult {
    std::optional<MusicBox> box;
    BoxFileError error = BoxFileError::None;
    std::string field; // the field that is wrong, as the file names it
    BoxCheck check;    // with Refused: what CheckBox found
};

inline constexpr char kOwnBoxId[] = "own";

BoxFileResult ReadMusicBoxFile(const QByteArray& text);

// The box as a box file, compact, which ReadMusicBoxFile reads back to the same box: its notes as
// MIDI numbers, "cents" only when the box has them, and every number in the fewest digits that
// read back to it, so that writing a box read back writes the same bytes.
QByteArray MusicBoxJson(const MusicBox& box);

} // namespace zembra
