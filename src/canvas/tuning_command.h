#pragma once

#include "model/tuning.h"

namespace zembra {

class CKelpView;

// Gives the song another tuning as one undo step, and tunes the built-in synthesizer to it at
// once, playing or not. False when the song is in that tuning already.
bool SetCanvasTuning(CKelpView& view, Tuning tuning);

} // namespace zembra
