#pragma once

namespace zembra::monkey {

class MonkeyRig;

// Gestures over the file, settings, card and recording commands; the dialogs they open are
// answered by RandomPrompts.
void OpenFile(MonkeyRig& rig);
void OpenRecentFile(MonkeyRig& rig);
void Settings(MonkeyRig& rig);
void DistanceCheck(MonkeyRig& rig);
void CardOutput(MonkeyRig& rig);
void Record(MonkeyRig& rig);

} // namespace zembra::monkey
