#pragma once

namespace zembra::monkey {

class MonkeyRig;

// File > Export Card for Cutter, from the menu or its key; RandomPrompts fills the dialog and
// picks the file. Whatever is chosen, the song on the canvas stays as it was.
void CutterExport(MonkeyRig& rig);

} // namespace zembra::monkey
