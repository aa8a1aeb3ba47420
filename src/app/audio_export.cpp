#include "app/audio_export.h"

#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "canvas/kelp_view.h"
#include "canvas/playback_list.h"
#include "midi/audio_render.h"
#include "midi/midi_track.h"
#include "midi/synth_engine.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>

namespace zembra {

namespace {

constexpr int kProgressSteps = 1000;

} // namespace

bool AudioExport::Run(CKelpView& view, QWidget* parent)
{
    // The song is heard no further once the user asks to export it.
    if (view.playing()) {
        view.Stop();
    }
    Prompts::FileRequest request;
    request.caption = QApplication::applicationName();
    request.fileName = QString::fromStdString(view.song().title) + QStringLiteral(".wav");
    request.filter = TextOf(str::kExportFilter);
    request.defaultSuffix = QStringLiteral("wav");
    QString path = prompts().saveFileName(parent, request);
    if (path.isEmpty()) {
        return false;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".wav");
    }
    if (!confirmReplacing(parent, path)) {
        return false;
    }
    return ExportTo(view, path, parent);
}

bool AudioExport::ExportTo(CKelpView& view, const QString& path, QWidget* parent)
{
    if (view.playing()) {
        view.Stop();
    }
    MidiTrack track;
    PlaybackRange range;
    range.temporaryTransposition = view.song().temporaryTransposition;
    if (!BuildSongTrack(track, view.song(), range)) {
        prompts().message(parent, TextOf(str::kExportAudioFailed) + path, QString(), Prompts::Icon::Warning);
        return false;
    }
    std::string error;
    SynthEngine::Config config;
    config.soundFont = findSoundFont({});
    config.sampleRate = kSampleRate;
    std::unique_ptr<SynthEngine> synth = config.soundFont.empty() ? nullptr : SynthEngine::create(config, error);
    if (!synth) {
        prompts().message(parent, TextOf(str::kExportNoSynthesizer), QString(), Prompts::Icon::Warning);
        return false;
    }
    QProgressDialog progress(TextOf(str::kExportProgress), TextOf(str::kExportCancel), 0, kProgressSteps, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    AudioRenderRequest request;
    request.track = &track;
    request.microsPerQuarter = static_cast<std::uint32_t>(view.song().tempo);
    request.ticksPerQuarter = static_cast<std::uint16_t>(kTicksPerQuarter);
    request.path = QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString();
    request.progress = [&progress](double share) {
        progress.setValue(static_cast<int>(share * kProgressSteps));
        QApplication::processEvents();
        return !progress.wasCanceled();
    };
    const AudioRenderResult result = RenderTrackToWav(*synth, request);
    progress.reset();
    if (!result.ok && !result.cancelled) {
        prompts().message(parent, TextOf(str::kExportAudioFailed) + path, QString(), Prompts::Icon::Warning);
    }
    return result.ok;
}

} // namespace zembra
