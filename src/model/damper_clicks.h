#pragma once

#include "model/song_state.h"

#include <cstdint>
#include <vector>

namespace zembra {

// A tooth plucked again before the card has moved the box's shortest repeat on is still ringing:
// the damper meets it and the pin gives a dull click instead of a note. Heard as the box plays it,
// such a note is that click, on the General MIDI percussion channel, short and quiet.
inline constexpr std::uint8_t kDamperClickChannel = 9; // channel 10, counted from 0
inline constexpr std::uint8_t kDamperClickKey = 37;    // side stick: a dry, unpitched tick
inline constexpr std::uint8_t kDamperClickVelocity = 24;

// For each note slot of the song, whether the too-close check flags it: a live note whose row's
// previous live note lies less than `minDistance` canvas pixels before it. Notes on one x cannot
// both be plucked, and the second of them is the one flagged, as the check counts it. With a
// minDistance of 0 or less no note is flagged.
std::vector<bool> DampedNotes(const SongState& song, int minDistance);

} // namespace zembra
