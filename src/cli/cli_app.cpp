#include "cli/cli_app.h"

#include "cli/command_run.h"
#include "cli/console.h"
#include "cli/option_set.h"
#include "cli/sub_commands.h"
#include "midi/midi_log.h"
#include "midi/midi_toolkit.h"
#include "midi/time_source.h"
#include "text/string_ids.h"
#include "services/app_identity.h"
#include "services/file_name.h"
#include "services/qt_text.h"
#include "services/write_journal.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>

namespace zembra {

namespace {

const char* const kHelp[] = {"--help", "-h"};
constexpr char kVersion[] = "--version";
constexpr int kCommandColumn = 8;

// Qt's own notes (a missing runtime folder and the like) are nothing a batch user can act on;
// only its critical messages reach standard error.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        const QByteArray bytes = (QStringLiteral("zembra: ") + message + '\n').toUtf8();
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    }
}

bool IsHelp(const QString& argument)
{
    return argument == QLatin1String(kHelp[0]) || argument == QLatin1String(kHelp[1]);
}

QString UsageLine(const SubCommand& command)
{
    return TextOf(str::kCliCommandUsage)
        .arg(QLatin1String(command.name), QLatin1String(command.arguments) + QStringLiteral(" [OPTIONS]"));
}

QString OptionsOf(const SubCommand& command)
{
    OptionSet options;
    command.declare(options);
    return options.optionLines();
}

} // namespace

bool CliApp::Wanted(int argc, char** argv)
{
    if (argc < 2) {
        return false;
    }
    const char* first = argv[1];
    if (std::strcmp(first, kHelp[0]) == 0 || std::strcmp(first, kHelp[1]) == 0 || std::strcmp(first, kVersion) == 0) {
        return true;
    }
    return FindSubCommand(QString::fromLocal8Bit(first)) != nullptr;
}

QString CliApp::CommandHelp(const SubCommand& command)
{
    // A command that reads no file has no line for them.
    const bool takesFiles = QLatin1String(command.arguments).startsWith(QLatin1String("FILE"));
    return UsageLine(command) + '\n' + TextOf(command.summaryId) + QStringLiteral("\n\n") +
           (takesFiles ? QStringLiteral("  FILE...").leftJustified(OptionSet::kNameColumn) +
                             TextOf(str::kCliArgumentFiles) + QStringLiteral("\n\n")
                       : QString()) +
           TextOf(str::kCliOptionsHeading) + '\n' + OptionsOf(command) + '\n' + TextOf(str::kCliExitStatus) + '\n';
}

QString CliApp::HelpText()
{
    QString help = TextOf(str::kCliUsage) + '\n' + TextOf(str::kCliScreenshot) + QStringLiteral("\n\n") +
                   TextOf(str::kCliCommandsHeading) + '\n';
    for (const SubCommand& command : SubCommands()) {
        help += QStringLiteral("  ") + QString::fromLatin1(command.name).leftJustified(kCommandColumn) +
                TextOf(command.summaryId) + '\n';
    }
    OptionSet general;
    general.add({QStringLiteral("h"), QStringLiteral("help")}, str::kCliOptionHelp);
    general.add({QStringLiteral("version")}, str::kCliOptionVersion);
    help += '\n' + TextOf(str::kCliOptionsHeading) + '\n' + general.optionLines();
    for (const SubCommand& command : SubCommands()) {
        if (!command.run) {
            continue;
        }
        help += '\n' + UsageLine(command) + '\n' + OptionsOf(command);
    }
    help += '\n' + TextOf(str::kCliMoreHelp) + '\n' + TextOf(str::kCliExitStatus) + '\n' +
            TextOf(str::kCliEnvironment) + '\n';
    return help;
}

int CliApp::Run(int argc, char** argv)
{
    // No window and no display: the same painting, on the offscreen platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(&QuietQtMessages);
    // No MIDI device, no sequencer thread: files are read and written, nothing is played.
    MidiToolkit toolkit(ToolkitOptions::manual(std::make_shared<ManualTimeSource>()));
    MidiToolkit::setShared(&toolkit);
    QGuiApplication application(argc, argv);
    SetUpApplicationIdentity();

    StartWriteJournal();

    // The arguments as the file system's bytes: a name that is not UTF-8 still names its file.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(FileNameText(argv[i]));
    }
    Console console;
    const QString first = arguments.value(0);
    if (IsHelp(first)) {
        console.out(HelpText());
        return kExitDone;
    }
    if (first == QLatin1String(kVersion)) {
        console.out(TextOf(str::kCliVersion).arg(ProgramVersion()) + '\n');
        return kExitDone;
    }
    const SubCommand* command = FindSubCommand(first);
    if (!command) {
        console.error(TextOf(str::kCliUnknownCommand).arg(first));
        return kExitUsage;
    }
    console.setCommand(QStringLiteral("zembra ") + first);
    OptionSet options;
    command->declare(options);
    QString error;
    if (!options.parse(arguments.mid(1), &error)) {
        console.error(error);
        return kExitUsage;
    }
    if (options.isSet(QStringLiteral("help"))) {
        console.out(CommandHelp(*command));
        return kExitDone;
    }
    if (!command->run) {
        console.error(TextOf(str::kCliReservedCommand).arg(first));
        return kExitUsage;
    }
    console.setQuiet(options.isSet(QStringLiteral("quiet")));
    // The synthesizer's warnings speak as the command does, and not at all when asked to be quiet.
    setMidiLogSink([&console](MidiLogLevel level, std::string_view message) {
        if (!console.quiet() && (level == MidiLogLevel::Warning || level == MidiLogLevel::Error)) {
            console.error(Printable(Utf8(message)));
        }
    });
    CommandRun run(*command, options, console);
    const int status = command->run(run);
    setMidiLogSink({});
    return status;
}

} // namespace zembra
