#pragma once

#include "card/cut_plan.h"
#include "model/assembly_choices.h"
#include "model/print_metrics.h"
#include "model/song_state.h"

#include <vector>

namespace zembra {

// The card as one unbroken length, in millimetres from its leading end: the leader (none on a
// loop), then the bars. Holes are the centres of the notes' holes along it, sorted.
struct CardRun {
    std::vector<double> holesMm;
    double leaderMm = 0;
    double barMm = 0;
    int bars = 0;
    int beatsPerBar = 4;
    double lengthMm() const { return leaderMm + bars * barMm; }
};

// The card of `song` from the playback start `startX`, bars `barMm` long; `bars` whole bars (the
// card's, as the layout counts them).
CardRun RunOfSong(const SongState& song, int startX, double barMm, int bars, bool loop);

// What a join needs of the card around a cut: the tape zone on both sides, or the glue zone
// before it and the next strip starting that far back; pieces no longer than `longestMm`.
CutRules RulesOfJoin(const AssemblyChoices& choices, double longestMm, double holeMm);

// Where a place on the card lies in the music: the bar and the beat it falls in, both from 1.
struct MusicPlace {
    int bar = 1;
    int beat = 1;
};
MusicPlace PlaceOf(const CardRun& run, double mm);

// One blank as the plan cuts it: its length of card and where in the music it ends.
struct BlankPiece {
    double startMm = 0;
    double endMm = 0;
    double lengthMm = 0;
    MusicPlace end;
};

struct BlankPlan {
    bool ok = false;
    std::vector<BlankPiece> blanks;
    // When not ok: where no cut in a rest could be found within a blank's length.
    MusicPlace stuckAt;
};

// The card on blanks `blankMm` long (0: one roll), each cut in a rest as the join needs it: as
// few blanks as the rests allow, every cut as late as it may be.
BlankPlan PlanBlanks(const CardRun& run, const AssemblyChoices& choices, double holeMm);

// The blanks of `song`'s card from `startX` on, laid out on `metrics` with bars `barLengthMm` long
// (0: the song fitted to one strip); no blanks when the card cannot be laid out.
BlankPlan PlanBlanksOfSong(const SongState& song, int startX, int barLengthMm, const PrintMetrics& metrics,
                           const AssemblyChoices& choices);

// An endless loop: the fewest whole bars, no fewer than the music's, whose circle of card has a
// place for the seam in a rest as long as the join needs; the seam's place from the loop's first
// bar line. Not ok when even a whole bar of rest more finds none.
struct LoopPlan {
    bool ok = false;
    int bars = 0;
    double seamMm = 0;
};

LoopPlan PlanLoop(const CardRun& run, const AssemblyChoices& choices, double holeMm);

} // namespace zembra
