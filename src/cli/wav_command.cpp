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
#include "services/paint_device_metrics.h"
#include "services/qt_text.h"
#include "services/write_problem_text.h"
#include "services/sound_font_text.h"

#include "model/tuning.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace zembra {

namespace {

const QString kAsBox = QStringLiteral("as-box");
const QString kPlain = QStringLiteral("plain");
const QString kTuningOption = QStringLiteral("tuning");

// The sound options: how damped notes sound, and a tuning that replaces the song's own.
bool ReadSoundOptions(const OptionSet& options, WavRenderOptions* render, std::optional<Tuning>* tuning,
                      QString* error)
{
    if (options.isSet(kAsBox) && options.isSet(kPlain)) {
        *error = TextOf(str::kCliExclusive).arg(OptionSet::Spelled(kAsBox), OptionSet::Spelled(kPlain));
        return false;
    }
    render->asBox = !options.isSet(kPlain);
    QString name;
    if (!options.singleValue(kTuningOption, &name, error)) {
        return false;
    }
    if (name.isEmpty()) {
        return true;
    }
    *tuning = TuningFromName(name.toStdString());
    // The box's own tuning comes only with a song for a box that carries it.
    if (!*tuning || **tuning == Tuning::Box) {
        *error = TextOf(str::kCliBadValue)
                     .arg(OptionSet::Spelled(kTuningOption), name, QStringLiteral("equal, meantone, just"));
        return false;
    }
    return true;
}

} // namespace

void DeclareWavOptions(OptionSet& options)
{
    DeclareCommonOptions(options, true);
    DeclareImportOptions(options);
    options.add({kAsBox}, str::kCliOptionAsBox);
    options.add({kPlain}, str::kCliOptionPlain);
    options.add({kTuningOption}, str::kCliOptionTuning, QStringLiteral("equal|meantone|just"));
}

int RunWav(CommandRun& run)
{
    ImportChoices choices;
    ArrangeOptions arrange;
    QString problem;
    WavRenderOptions render;
    std::optional<Tuning> tuning;
    if (!ReadImportOptions(run.options(), &choices, &problem) ||
        !ReadArrangeOptions(run.options(), false, &arrange, &problem) ||
        !ReadSoundOptions(run.options(), &render, &tuning, &problem)) {
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
        if (tuning) {
            source.song().tuning = *tuning;
        }
        render.metrics = CheckMetrics();
        int shown = -1;
        const WavRenderResult result = RenderSongWav(
            source.song(), FileNameBytes(output), [&](double share) {
                const int percent = static_cast<int>(share * 100);
                if (percent != shown) {
                    shown = percent;
                    console.percent(percent);
                }
                return true;
            },
            render);
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
