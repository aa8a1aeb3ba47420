#pragma once

namespace zembra {

class CommandRun;
class OptionSet;

// zembra wav FILE... -o OUT.wav [--transpose N|auto] [--bars N] [--fold] [--no-drums]
void DeclareWavOptions(OptionSet& options);
int RunWav(CommandRun& run);

} // namespace zembra
