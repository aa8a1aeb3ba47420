#pragma once

namespace zembra {

class CommandRun;
class OptionSet;

// zembra song FILE... -o OUT.mid [--transpose N|auto] [--bars N] [--fold] [--no-drums]
void DeclareSongOptions(OptionSet& options);
int RunSong(CommandRun& run);

} // namespace zembra
