#pragma once

#include "model/music_box.h"

#include <array>
#include <optional>
#include <string_view>

namespace zembra {

// How the comb's teeth are tuned.
enum class Tuning {
    Equal,    // equal temperament
    Meantone, // quarter-comma meantone on C
    Just,     // five-limit just intonation on C
    Box,      // the measured tuning of the box's own teeth (equal where it gives none)
};

// Cents above (or below, negative) equal temperament for each MIDI key.
using KeyCents = std::array<double, 128>;

KeyCents TuningCents(Tuning tuning, const MusicBox& box);

// Whether a song on `box` may take `tuning`: the box's own tuning only when its definition
// carries cents for its teeth.
bool TuningOffered(const MusicBox& box, Tuning tuning);

// "equal", "meantone", "just", "box": the names the song file and the command line use.
std::string_view TuningName(Tuning tuning);
std::optional<Tuning> TuningFromName(std::string_view name);

} // namespace zembra
