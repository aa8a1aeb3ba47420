#pragma once

namespace zembra::monkey {

class MonkeyRig;

// The calibration commands and the measured-lengths dialog: printed through the menu, answered by
// RandomPrompts, or typed into by hand with lengths good and bad.
void Calibration(MonkeyRig& rig);

} // namespace zembra::monkey
