#pragma once

#include "model/song_state.h"

#include <string>

namespace zembra::monkey {

// The first broken rule of the song record, in words naming the slot; empty when the record is
// sound. Meant for a settled song (after a repaint has tidied the store and recounted it).
std::string FirstSongViolation(const SongState& song);

} // namespace zembra::monkey
