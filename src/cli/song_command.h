#pragma once

namespace zembra {

class CommandRun;
class OptionSet;

// zembra song FILE... -o OUT.mid [--transpose N] [--bars N]
void DeclareSongOptions(OptionSet& options);
int RunSong(CommandRun& run);

} // namespace zembra
