#pragma once

#include "card/card_geometry.h"
#include "card/card_layout.h"
#include "card/cut_plan.h"
#include "model/assembly_choices.h"
#include "model/song_state.h"

#include <vector>

namespace zembra {

// Whether the strips are cut in the card's rests, as the join needs them, rather than at whole
// bars: cuts in the rests, or blanks of a length.
bool CutsInRests(const AssemblyChoices& choices);

// Where the strips of a card cut in its rests start and end, in device pixels from the card's
// leading end (its leader's start); strip k + 1 starts at strip k's cut, or the glue zone before it.
struct RestCuts {
    bool ok = false;
    std::vector<int> starts;
    std::vector<int> ends;
    // The blanks' ends among the cuts: the strip index after which a new blank starts.
    std::vector<int> blankEnds;
    // What the last blank leaves after the music; -1 without blanks.
    int tailRoom = -1;
    // When not ok: the bar (from 1) where no cut could be found.
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

} // namespace zembra
