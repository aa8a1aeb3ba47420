#pragma once

#include "midi/sound_font_check.h"

#include <QString>

#include <string>

namespace zembra {

// What to tell when the built-in synthesizer has no sound font: the text `noneFoundId` when there
// was none to try; else which file is not usable and, under it, why (`detail`: the synthesizer's
// own words when it refused the file).
QString SoundFontMessage(int noneFoundId, const std::string& path, SoundFontProblem problem, const std::string& detail);

} // namespace zembra
