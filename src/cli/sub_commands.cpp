#include "cli/sub_commands.h"

#include "cli/boxes_command.h"
#include "cli/card_command.h"
#include "cli/command_run.h"
#include "cli/cutter_command.h"
#include "cli/info_command.h"
#include "cli/song_command.h"
#include "cli/wav_command.h"
#include "text/string_ids.h"

#include <array>

namespace zembra {

namespace {

const std::array kSubCommands = {
    SubCommand{"info", str::kCliSummaryInfo, "FILE... [--json]", &DeclareInfoOptions, &RunInfo},
    SubCommand{"song", str::kCliSummarySong, "FILE... -o OUT.mid", &DeclareSongOptions, &RunSong},
    SubCommand{"card", str::kCliSummaryCard, "FILE... -o OUT.pdf", &DeclareCardCommandOptions, &RunCard},
    SubCommand{"wav", str::kCliSummaryWav, "FILE... -o OUT.wav", &DeclareWavOptions, &RunWav},
    SubCommand{"svg", str::kCliSummarySvg, "FILE... -o OUT.svg", &DeclareCutterOptions, &RunSvg},
    SubCommand{"dxf", str::kCliSummaryDxf, "FILE... -o OUT.dxf", &DeclareCutterOptions, &RunDxf},
    SubCommand{"boxes", str::kCliSummaryBoxes, "[--json]", &DeclareBoxesOptions, &RunBoxes},
};

} // namespace

std::span<const SubCommand> SubCommands()
{
    return kSubCommands;
}

const SubCommand* FindSubCommand(const QString& name)
{
    for (const SubCommand& command : kSubCommands) {
        if (name == QLatin1String(command.name)) {
            return &command;
        }
    }
    return nullptr;
}

} // namespace zembra
