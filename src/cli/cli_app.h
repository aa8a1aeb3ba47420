#pragma once

#include <QString>

namespace zembra {

struct SubCommand;

// The program without its window: `zembra COMMAND FILE... [OPTIONS]`, `zembra --help` and
// `zembra --version`. It runs on the offscreen platform, opens no MIDI device and shows nothing;
// it reads, imports, lays out and paints with the same code as the window.
class CliApp {
public:
    // True when the arguments ask for a sub-command, the help or the version: the window is not
    // wanted then. A file to open in the window is any other first argument.
    static bool Wanted(int argc, char** argv);
    // Makes the application object itself (main must not) and returns the exit status.
    static int Run(int argc, char** argv);

    // Everything the command line can do, as `zembra --help` prints it.
    static QString HelpText();
    static QString CommandHelp(const SubCommand& command);
};

} // namespace zembra
