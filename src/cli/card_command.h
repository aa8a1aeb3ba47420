#pragma once

namespace zembra {

class CommandRun;
class OptionSet;

// zembra card FILE... -o OUT.pdf [import options] [card options]
void DeclareCardCommandOptions(OptionSet& options);
int RunCard(CommandRun& run);

} // namespace zembra
