#include "cli/command_run.h"

#include "cli/batch_outputs.h"
#include "cli/console.h"
#include "cli/option_set.h"
#include "text/string_ids.h"
#include "services/qt_text.h"

#include <QDir>

#include <exception>
#include <new>

namespace zembra {

void DeclareCommonOptions(OptionSet& options, bool writesFiles)
{
    options.add({QStringLiteral("h"), QStringLiteral("help")}, str::kCliOptionHelp);
    if (writesFiles) {
        options.add({QStringLiteral("o"), QStringLiteral("output")}, str::kCliOptionOutput, QStringLiteral("OUT"));
    }
    options.add({QStringLiteral("q"), QStringLiteral("quiet")}, str::kCliOptionQuiet);
}

CommandRun::CommandRun(const SubCommand& command, const OptionSet& options, Console& console)
    : m_command(command)
    , m_options(options)
    , m_console(console)
{
}

QStringList CommandRun::inputs() const
{
    return m_options.positional();
}

int CommandRun::Usage(const QString& message)
{
    m_console.error(message);
    return kExitUsage;
}

bool CommandRun::Guarded(const std::function<bool(QString*)>& work, QString* error)
{
    // One file's failure, however it comes, must not end the batch.
    try {
        return work(error);
    } catch (const std::bad_alloc&) {
        *error = TextOf(str::kCliUnexpected).arg(QStringLiteral("out of memory"));
    } catch (const std::exception& e) {
        *error = TextOf(str::kCliUnexpected).arg(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        *error = TextOf(str::kCliUnexpected).arg(QStringLiteral("?"));
    }
    return false;
}

int CommandRun::Finish(int failed, int count)
{
    if (failed > 0 && count > 1) {
        m_console.error(TextOf(str::kCliFailedCount).arg(failed).arg(count));
    }
    return failed > 0 ? kExitFileFailed : kExitDone;
}

int CommandRun::ForEachOutput(const QString& extension, const Writer& write)
{
    const QStringList files = inputs();
    if (files.isEmpty()) {
        return Usage(TextOf(str::kCliNoInput));
    }
    QString output;
    QString problem;
    if (!m_options.singleValue(QStringLiteral("output"), &output, &problem)) {
        return Usage(problem);
    }
    if (output.isEmpty()) {
        return Usage(TextOf(str::kCliNoOutput));
    }
    const BatchOutputs plan(files, output, extension);
    if (plan.outputIsFile()) {
        return Usage(TextOf(str::kCliOutputNotFolder).arg(output));
    }
    if (plan.needsFolder() && !QDir().mkpath(plan.folder())) {
        m_console.error(TextOf(str::kCliCannotMakeFolder).arg(plan.folder()));
        return kExitFileFailed;
    }
    int failed = 0;
    for (int i = 0; i < plan.count(); ++i) {
        const QString& target = plan.outputFor(i);
        m_console.progress(
            TextOf(str::kCliWriting).arg(i + 1).arg(plan.count()).arg(Printable(files[i]), Printable(target)));
        QString error;
        bool done = false;
        switch (plan.conflictFor(i)) {
        case BatchOutputs::Conflict::IsInput:
            error = TextOf(str::kCliOutputIsInput).arg(target);
            break;
        case BatchOutputs::Conflict::SameAsEarlier:
            error = TextOf(str::kCliSameOutput).arg(target);
            break;
        case BatchOutputs::Conflict::None:
            done = Guarded([&](QString* why) { return write(files[i], target, why); }, &error);
            break;
        }
        if (!done) {
            m_console.fileError(files[i], error);
            ++failed;
        }
    }
    return Finish(failed, plan.count());
}

int CommandRun::ForEachInput(const Reader& read)
{
    const QStringList files = inputs();
    if (files.isEmpty()) {
        return Usage(TextOf(str::kCliNoInput));
    }
    int failed = 0;
    for (const QString& file : files) {
        QString error;
        if (!Guarded([&](QString* why) { return read(file, why); }, &error)) {
            m_console.fileError(file, error);
            ++failed;
        }
    }
    return Finish(failed, static_cast<int>(files.size()));
}

} // namespace zembra
