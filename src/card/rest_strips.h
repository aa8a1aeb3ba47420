#pragma once

#include "card/card_geometry.h"
#include "card/card_layout.h"
#include "card/cut_plan.h"
#include "model/assembly_choices.h"
#include "model/song_state.h"

#include <vector>

namespace zembra {

// Whether the strips are cut in the card's rests, as the join needs them, rather than at whole
// bars: cuts in the rests, blanks of a length, or an endless loop.
bool CutsInRests(const AssemblyChoices& choices);

// Where the strips of a card cut in its rests start and end, in device pixels from the card's
// leading end (its leader's start); strip k + 1 starts at strip k's cut, or the glue zone before it.
struct RestCuts {
    bool ok = false;
    std::vector<int> starts;
    std::vector<int> ends;
    // The blanks' ends among the cuts: the strip index after which a new blank starts.
    std::vector<int> blankEnds;
    // Where the card's leading end lies from the song's first bar line: before it by the leader,
    // or a loop's seam after it.
    int originPx = 0;
    // An endless loop's whole bars; 0 when the card is not one.
    int loopBars = 0;
    // On an overlapped loop: the glue zone the first strip starts with before the seam.
    int glueOfLoopPx = 0;
    // What the last blank leaves after the music; -1 without blanks.
    int tailRoom = -1;
    // When not ok: the bar (from 1) where no cut could be found; 0 when a loop finds no seam.
    int stuckBar = 0;
};

// The cuts of the card `geometry` lays out from the notes `list`: strips no longer than
// `widthPx`, each cut as late as the rests allow, never through a hole nor nearer than
// kCutClearanceMm to one, the join's stretch free of holes; with blanks, strips also end at the
// blanks' ends. Not ok when the music leaves no such place within a strip's length.
RestCuts PlanRestCuts(const CardGeometry& geometry, const std::vector<PrintNote>& list, const AssemblyChoices& choices,
                      double holeMm, int widthPx);

// The cuts of `song`'s card as `geometry` lays it out from its print list, each strip keeping the
// room its number needs.
RestCuts RestCutsOfSong(const SongState& song, const CardGeometry& geometry, const std::vector<PrintNote>& list,
                        const AssemblyChoices& choices);

// The strips of those cuts, as the geometry draws them.
std::vector<StripPlan> StripsOfCuts(const CardGeometry& geometry, const RestCuts& cuts);

// Gives the geometry the strips of the cuts; on a loop the notes before the seam in `list` come
// round after its last bar.
void UseCuts(CardGeometry& geometry, std::vector<PrintNote>& list, const RestCuts& cuts);

} // namespace zembra
