#include "card/cutter_export_flow.h"

#include "card/card_host.h"
#include "card/card_pdf.h"
#include "card/cutter_export_dialog.h"
#include "card/cutter_file.h"
#include "text/string_ids.h"
#include "services/prompts.h"
#include "services/qt_text.h"
#include "services/settings.h"

namespace zembra {

namespace {

constexpr char kCutterFolder[] = "CutterFile";

QString fileNameOf(const SongState& song, CutterFormat format)
{
    QString name = QString::fromStdString(song.title).trimmed();
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    if (name.isEmpty()) {
        name = QStringLiteral("card");
    }
    return name + QLatin1Char('.') + CutterSuffix(format);
}

} // namespace

CutterExportFlow::CutterExportFlow(CardHost& host)
    : m_host(host)
{
}

void CutterExportFlow::ExportCommand()
{
    const SongState& song = m_host.song();
    const MusicBoxSizes& box = song.box.sizes;
    if (box.holeMm != m_boxHoleMm || box.rowPitchMm != m_boxRowPitchMm) {
        m_choices.holeMm = box.holeMm;
        m_boxHoleMm = box.holeMm;
        m_boxRowPitchMm = box.rowPitchMm;
    }
    CutterExportDialog dialog(m_choices, m_host.window(), box.rowPitchMm);
    if (prompts().runDialog(dialog) != QDialog::Accepted) {
        return;
    }
    m_choices = dialog.options();
    const bool dxf = m_choices.format == CutterFormat::Dxf;
    const QString path = prompts().saveFileName(
        m_host.window(), {TextOf(str::kCutterCaption), settings::RestoreFolder(kCutterFolder),
                          fileNameOf(song, m_choices.format),
                          TextOf(dxf ? str::kCutterDxfFilter : str::kCutterSvgFilter), CutterSuffix(m_choices.format)});
    if (path.isEmpty() || !confirmReplacing(m_host.window(), path)) {
        return;
    }
    CutterOptions options = CutterOptionsOfSong(song, m_host.playbackStartX(), m_choices);
    options.page = PrinterSettingsPdfPaper(&options.dotsPerInch);
    // The engraving carries the bar numbers and titles the print settings chose.
    PrintOptions printed = song.printOptions;
    settings::LoadCardMarks(printed, options.assembly);
    QString error;
    if (!WriteCutterFile(song, options, path, &error)) {
        prompts().message(m_host.window(), error, QString(), Prompts::Icon::Warning);
        return;
    }
    settings::RememberFolder(kCutterFolder, path);
}

} // namespace zembra
