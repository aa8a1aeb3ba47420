#include "app/audio_export.h"
#include "services/app_identity.h"

#include "services/paint_device_metrics.h"
#include "services/prompts.h"
#include "services/file_name.h"
#include "services/qt_text.h"
#include "services/write_problem_text.h"
#include "services/sound_font_text.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "canvas/kelp_view.h"
#include "canvas/wav_render.h"

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
        view.playback().Stop();
    }
    Prompts::FileRequest request;
    request.caption = ProductName();
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
        view.playback().Stop();
    }
    QProgressDialog progress(TextOf(str::kExportProgress), TextOf(str::kExportCancel), 0, kProgressSteps, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const WavRenderResult result = RenderSongWav(
        view.song(), FileNameBytes(QFileInfo(path).absoluteFilePath()), [&progress](double share) {
            progress.setValue(static_cast<int>(share * kProgressSteps));
            QApplication::processEvents();
            return !progress.wasCanceled();
        },
        WavRenderOptions{view.playback().playAsBox(), CheckMetrics()});
    progress.reset();
    switch (result.status) {
    case WavRenderStatus::Written:
        return true;
    case WavRenderStatus::NoSynthesizer:
        prompts().message(parent,
                          SoundFontMessage(str::kExportNoSynthesizer, result.soundFont, result.soundFontProblem,
                                           result.error),
                          QString(), Prompts::Icon::Warning);
        return false;
    case WavRenderStatus::Cancelled:
        return false;
    case WavRenderStatus::NotBuilt:
    case WavRenderStatus::Failed:
        break;
    }
    const QString reason = WriteProblemText(result.problem);
    prompts().message(parent, TextOf(str::kExportAudioFailed) + path + (reason.isEmpty() ? QString() : '\n' + reason),
                      QString(), Prompts::Icon::Warning);
    return false;
}

} // namespace zembra
