#pragma once

#include "model/song_state.h"

#include <vector>

namespace zembra {

// One step of the crank by hand (a notch of the mouse wheel, a key press, a control change) moves
// this much card past the comb. Finer than the sixteenth of the usual 50 mm bar (3.1 mm) and than
// the box's shortest repeat, so that two holes of one row, or two sixteenths, never pass in one
// step; coarse enough that a brisk wheel (a dozen notches a second) turns at the pace of a tune
// at 120 beats a minute.
inline constexpr double kCrankStepMm = 2.0;

// The card turned by hand: where the comb is on the canvas, and which holes pass it at each step.
// The card moves only forward over the comb as the box plays it; turned back, it goes back
// silently, and its holes sound again when it is turned forward over them once more.
class CrankTurn {
public:
    // Canvas pixels the card moves a step: kCrankStepMm at the printed bar. 0 without a bar.
    static double StepPixels(const SongState& song, double printedBarMm);

    void Begin(double startX, double stepPixels);
    // Moves the card `steps` steps (negative: back, never before where it began). The
    // slots of the notes whose hole the comb reached on the way forward: each note starting at or
    // after the old place and before the new one, in order along the card, lowest row first.
    std::vector<int> Turn(const SongState& song, int steps);
    // Where the comb is: the start and a whole number of steps, so that no rounding gathers.
    double position() const { return m_start + static_cast<double>(m_steps) * m_step; }
    // The comb has passed the end of the music.
    bool RunOut(const SongState& song) const { return position() >= song.musicLength; }

private:
    double m_start = 0;
    double m_step = 0;
    long long m_steps = 0;
};

} // namespace zembra
