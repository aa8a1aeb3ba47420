#pragma once

#include "import/comb_fit.h"

#include <span>
#include <string>

namespace zembra {

class MidiTrack;
struct SongState;

// How much of a file one transposition puts on the canvas: a canvas holds at most 1500 notes
// and its bars, so the notes of a long file after those are left out.
struct CanvasReach {
    int playable = 0;           // every note of the file the comb can play
    int placed = 0;             // the notes that land on the canvas
    bool notesCapped = false;   // more notes would land than a canvas holds
    bool barsCapped = false;    // a note lies after the canvas's last bar
    int barCount = 0;

    int leftOut() const { return playable > placed ? playable - placed : 0; }
};

// The reach of the file placed at `transposition` on the request's grid, under its options.
CanvasReach ReachOnCanvas(std::span<const MidiTrack* const> tracks, const SongState& song, const FitRequest& request,
                          int transposition);

// The words the import settings add under their counts when the canvas leaves playable notes
// out: which limit it meets, then how many notes that leaves out. Empty when none is left out.
std::string CanvasReachText(const CanvasReach& reach);

} // namespace zembra
