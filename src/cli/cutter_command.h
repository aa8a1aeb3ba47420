#pragma once

namespace zembra {

class CommandRun;
class OptionSet;

// zembra svg|dxf FILE... -o OUT [import options] [card options] [--hole-mm D] [--kerf-mm K]
// [--layout pages|strips] [--no-engrave]: the card for a laser or vinyl cutter, the same drawing
// as Export Card for Cutter writes.
void DeclareCutterOptions(OptionSet& options);
int RunSvg(CommandRun& run);
int RunDxf(CommandRun& run);

} // namespace zembra
