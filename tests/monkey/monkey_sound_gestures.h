#pragma once

namespace zembra::monkey {

class MonkeyRig;

// Play > Play notes that will not sound as the box does, and a pick from the Tuning submenu,
// whatever is playing.
void BoxSound(MonkeyRig& rig);

} // namespace zembra::monkey
