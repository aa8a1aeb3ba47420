#pragma once

namespace zembra {

class CommandRun;
class OptionSet;

// zembra boxes [--json]: the built-in boxes, each with its notes, their range and the card's sizes.
void DeclareBoxesOptions(OptionSet& options);
int RunBoxes(CommandRun& run);

} // namespace zembra
