#include "cli/wav_command.h"

#include "canvas/wav_render.h"
#include "cli/command_run.h"
#include "cli/console.h"
#include "cli/arrange_options.h"
#include "cli/import_options.h"
#include "cli/option_set.h"
#include "cli/song_source.h"
#include "text/string_ids.h"
#include "services/file_name.h"
#include "services/qt_text.h"
#include "services/write_problem_text.h"
#include "services/sound_font_text.h"

#include <QFile>
#include <QFileInfo>

namespace zembra {

void DeclareWavOptions(OptionSet& options)
{
    DeclareCommonOptions(options, true);
    DeclareImportOptions(options);
}

int RunWav(CommandRun& run)
{
    ImportChoices choices;
    ArrangeOptions arrange;
    QString problem;
    if (!ReadImportOptions(run.options(), &choices, &problem) ||
        !ReadArrangeOptions(run.options(), false, &arrange, &problem)) {
        return run.Usage(problem);
    }
    Console& console = run.console();
    return run.ForEachOutput(QStringLiteral(".wav"), [&](const QString& input, const QString& output, QString* error) {
        SongSource source;
        if (!source.Load(input, choices, BoxGiven(run.options()), error, arrange)) {
            return false;
        }
        // Export Audio is offered only for a canvas with notes.
        if (source.song().noteCount <= 0) {
            *error = TextOf(str::kCliNoNotes);
            return false;
        }
        int shown = -1;
        const WavRenderResult result = RenderSongWav(
            source.song(), FileNameBytes(output), [&](double share) {
                const int percent = static_cast<int>(share * 100);
                if (percent != shown) {
                    shown = percent;
                    console.percent(percent);
                }
                return true;
            });
        console.endPercent();
        switch (result.status) {
        case WavRenderStatus::Written:
            return true;
        case WavRenderStatus::NoSynthesizer:
            *error = SoundFontMessage(str::kCliNotSoundFont, result.soundFont, result.soundFontProblem, result.error);
            return false;
        case WavRenderStatus::NotBuilt:
        case WavRenderStatus::Failed:
        case WavRenderStatus::Cancelled:
            break;
        }
        *error = TextOf(str::kCliCannotWrite)
                     .arg(output, result.problem.failed() ? WriteProblemText(result.problem) : Utf8(result.error));
        return false;
    });
}

} // namespace zembra
