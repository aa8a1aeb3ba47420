#pragma once

namespace zembra {

class CommandRun;
class OptionSet;

// zembra info FILE... [--transpose N|auto] [--bars N] [--fold] [--no-drums] [--bar-mm N] [--json]
void DeclareInfoOptions(OptionSet& options);
int RunInfo(CommandRun& run);

} // namespace zembra
