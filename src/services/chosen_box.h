#pragma once

#include "model/music_box.h"
#include "model/song_state.h"

#include <vector>

// The boxes a song may move onto, and the box a new run of the program starts on.
namespace zembra {

// The song's own box first, then the built-in boxes, then the kept box of one's own; a box that
// is the same as one before it is given once.
std::vector<MusicBox> BoxChoices(const SongState& song);

// The box the user chose last time (a built-in one, or the kept box of one's own), else the
// 33-note box.
MusicBox StartingBox();

// Remembers the box the user just chose for the next start of the program.
void RememberChosenBox(const MusicBox& box);

} // namespace zembra
