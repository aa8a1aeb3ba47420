#pragma once

#include <QString>

#include <span>

namespace zembra {

class CommandRun;
class OptionSet;

// One sub-command of the command line. Adding one is one row in the table of sub_commands.cpp:
// its name, its line for the overview, the arguments its usage line shows, a function that
// declares its options and the function that runs it.
struct SubCommand {
    const char* name;
    int summaryId;
    const char* arguments;
    void (*declare)(OptionSet& options);
    // The exit status: 0 done, 1 a file failed, 2 the command line is wrong. Null for a name that
    // is reserved for a sub-command still to come.
    int (*run)(CommandRun& run);
};

std::span<const SubCommand> SubCommands();
const SubCommand* FindSubCommand(const QString& name);

} // namespace zembra
