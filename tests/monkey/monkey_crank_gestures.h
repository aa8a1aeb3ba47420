#pragma once

namespace zembra::monkey {

class MonkeyRig;

// Play > Crank, as a person at random would use it: begins it now and then, turns with the wheel
// over the canvas, the Down and Up keys and control changes on the MIDI input, and ends it with
// Stop, Esc or the item again, or leaves it turning for the gestures that follow. A turn that
// moves the card the wrong way, or a crank that plays by the clock too, is a failure.
void Crank(MonkeyRig& rig);

} // namespace zembra::monkey
