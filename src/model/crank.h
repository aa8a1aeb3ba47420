#pragma once

#include "model/print_metrics.h"
#include "model/song_state.h"

namespace zembra {

// Beyond this a hand on the crank no longer turns comfortably.
inline constexpr double kComfortableTurnsPerMinute = 180.0;

// What playing the song on its box asks of the hand on the crank.
struct CrankFigures {
    bool valid = false;          // false without a tempo, a bar or a bar length
    double turnsPerMinute = 0;
    double playingSeconds = 0;   // from the start of the card to the end of its last bar
    double cardLengthM = 0;      // the leader and every bar of the music
    bool tooFast = false;        // more than kComfortableTurnsPerMinute
};

// From the song's tempo, bar length and its box's paper per crank turn. `barLengthMm` is the bar
// as printed: the song's, or, for a song fitted to the card (bar length 0), what the card gives it.
CrankFigures ComputeCrank(const SongState& song, double barLengthMm);

// The bar as printed: the bar length, or, for a song fitted to the card (0), the card's length
// less the leader shared by the song's bars (all of its music when `fitSongToCard`, else the
// whole canvas). 0 when the device gave no metrics.
double PrintedBarMm(const SongState& song, const PrintMetrics& metrics, int barLengthMm, bool fitSongToCard);

} // namespace zembra
