#pragma once

#include "model/music_box.h"
#include "model/song_state.h"

namespace zembra {

// What moving a song onto another box does to its notes.
struct BoxSwitchCount {
    int kept = 0;    // on the row of their own pitch
    int folded = 0;  // moved by octaves onto a row the new box has
    int removed = 0; // no row of the new box takes them
};

// The counts SwitchBox would give, for a dialog to show before the user agrees.
BoxSwitchCount CountBoxSwitch(const SongState& song, const MusicBox& box, bool fold);

// Makes `box` the song's box and moves every live note to the row of its pitch; a pitch the box
// lacks is folded by octaves when `fold` is set, else the note is removed.
BoxSwitchCount SwitchBox(SongState& song, const MusicBox& box, bool fold);

} // namespace zembra
