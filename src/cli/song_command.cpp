#include "cli/song_command.h"

#include "cli/arrange_options.h"
#include "cli/command_run.h"
#include "cli/import_options.h"
#include "cli/option_set.h"
#include "cli/song_source.h"
#include "midi/midi_file.h"
#include "midi/midi_track.h"
#include "document/song_file_save.h"
#include "text/string_ids.h"
#include "services/file_name.h"
#include "services/qt_text.h"
#include "services/write_problem_text.h"

#include <QFile>
#include <QFileInfo>

namespace zembra {

namespace {

QString ReasonOf(const SongWriteResult& result)
{
    if (result.problem.failed()) {
        return WriteProblemText(result.problem);
    }
    switch (result.status) {
    case SongWriteStatus::MetaRejected:
        return QStringLiteral("the header's meta events were refused (%1 of 5 taken)").arg(result.metaAccepted);
    case SongWriteStatus::TrackIncomplete:
        return QStringLiteral("the track was not written whole");
    default:
        return QStringLiteral("the file did not reach the disk");
    }
}

} // namespace

void DeclareSongOptions(OptionSet& options)
{
    DeclareCommonOptions(options, true);
    DeclareImportOptions(options);
    options.add({QStringLiteral("bar-mm")}, str::kCliOptionBarMmAuto, QStringLiteral("N|auto"));
}

int RunSong(CommandRun& run)
{
    ImportChoices choices;
    ArrangeOptions arrange;
    QString problem;
    if (!ReadImportOptions(run.options(), &choices, &problem) ||
        !ReadArrangeOptions(run.options(), true, &arrange, &problem)) {
        return run.Usage(problem);
    }
    return run.ForEachOutput(QStringLiteral(".mid"), [&](const QString& input, const QString& output, QString* error) {
        SongSource source;
        if (!source.Load(input, choices, BoxGiven(run.options()), error, arrange)) {
            return false;
        }
        SongState& song = source.song();
        // The bar length travels in the song file's tags.
        if (arrange.barLengthMm) {
            song.barLengthMm = *arrange.barLengthMm;
        }
        // Save refuses an empty canvas.
        if (song.noteCount <= 0) {
            *error = TextOf(str::kCliNoNotes);
            return false;
        }
        // An untitled song takes its file's name, as with Save As.
        const std::string title = song.title.empty() ? QFileInfo(output).completeBaseName().toStdString() : song.title;
        MidiFile file;
        MidiTrack track;
        const SongWriteResult result = SaveSongFile(file, track, song, title, static_cast<std::uint32_t>(song.tempo),
                                                    FileNameBytes(output));
        if (result.status != SongWriteStatus::Written) {
            *error = TextOf(str::kCliCannotWrite).arg(output, ReasonOf(result));
            return false;
        }
        return true;
    });
}

} // namespace zembra
