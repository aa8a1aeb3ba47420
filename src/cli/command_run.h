#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace zembra {

class Console;
class OptionSet;
struct SubCommand;

inline constexpr int kExitDone = 0;
inline constexpr int kExitFileFailed = 1;
inline constexpr int kExitUsage = 2;

// The options every sub-command has: help, quiet, and the output where it writes files.
void DeclareCommonOptions(OptionSet& options, bool writesFiles);

// One run of a sub-command over its input files: each file is done by itself, a failure is told
// and the others are still done, and the exit status sums it up.
class CommandRun {
public:
    CommandRun(const SubCommand& command, const OptionSet& options, Console& console);

    const SubCommand& command() const { return m_command; }
    const OptionSet& options() const { return m_options; }
    Console& console() { return m_console; }
    QStringList inputs() const;

    // Tells a problem with the command line and answers the usage status.
    int Usage(const QString& message);

    // Writes one output per input, named by -o as BatchOutputs says. `write` returns false with
    // the reason in its error when the file failed; it must leave no output then.
    using Writer = std::function<bool(const QString& input, const QString& output, QString* error)>;
    int ForEachOutput(const QString& extension, const Writer& write);

    // Goes through the inputs without outputs of their own.
    using Reader = std::function<bool(const QString& input, QString* error)>;
    int ForEachInput(const Reader& read);

private:
    bool Guarded(const std::function<bool(QString*)>& work, QString* error);
    int Finish(int failed, int count);

    const SubCommand& m_command;
    const OptionSet& m_options;
    Console& m_console;
};

} // namespace zembra
