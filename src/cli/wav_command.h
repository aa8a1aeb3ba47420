#pragma once

namespace zembra {

class CommandRun;
class OptionSet;

// zembra wav FILE... -o OUT.wav [--transpose N] [--bars N]
void DeclareWavOptions(OptionSet& options);
int RunWav(CommandRun& run);

} // namespace zembra
