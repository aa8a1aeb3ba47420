#include "card/card_print_flow.h"

#include "card/card_host.h"
#include "card/card_pdf.h"
#include "card/card_print_dialog.h"
#include "model/song_state.h"
#include "text/string_ids.h"
#include "text/strings.h"
#include "services/paint_device_metrics.h"
#include "services/printer_record.h"
#include "services/prompts.h"
#include "services/qt_text.h"
#include "services/settings.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace zembra {

CardPrintFlow::CardPrintFlow(CardHost& host)
    : m_host(host)
{
}

CardLook CardPrintFlow::Look() const
{
    CardLook look = LookOfSong(m_host.song(), m_host.background(), m_textColour);
    look.assembly = m_assembly;
    return look;
}

void CardPrintFlow::PrintCommand()
{
    SongState& song = m_host.song();
    // The marks for putting the card together are the user's, not the song's: they come from the
    // settings, and a new installation numbers its strips.
    settings::LoadCardMarks(song.printOptions, m_assembly);
    CCardPrintDialog dialog(song, m_host.playbackStartX(), m_host.window());
    dialog.barLengthMm = song.barLengthMm;
    dialog.imagePath = m_host.imagePath();
    dialog.options = song.printOptions;
    dialog.assembly = m_assembly;
    dialog.textColour = m_textColour;
    dialog.textColourChanged = [this](const QColor& colour) { m_textColour = colour; };
    dialog.printerName = ApplicationPrinterName();
    dialog.paperSetting = [this, &dialog] {
        PrintSetupCommand();
        dialog.printerName = ApplicationPrinterName();
        dialog.ShowCalibration();
    };
    dialog.Open();
    if (prompts().runDialog(dialog) != QDialog::Accepted) {
        m_textColour = dialog.textColour;
        return;
    }
    song.printOptions = dialog.options;
    m_assembly = dialog.assembly;
    settings::SaveCardMarks(song.printOptions, m_assembly);
    song.barLengthMm = dialog.barLengthMm;
    m_host.setImagePath(dialog.imagePath);
    m_textColour = dialog.textColour;
    if (!dialog.imagePath.isEmpty()) {
        if (!m_host.loadImage(dialog.imagePath)) {
            prompts().message(m_host.window(), TextOf(str::kPrintImageLoadFailed), QString(), Prompts::Icon::Warning);
        }
    } else if (m_host.background() != nullptr) {
        m_host.releaseImage();
    }
    m_host.songChanged();
    if (dialog.previewRequested) {
        PreviewCommand();
    } else {
        RunPrintDialog();
    }
}

void CardPrintFlow::RunPrintDialog()
{
    QPrinter printer(QPrinter::HighResolution);
    ApplyApplicationPrinter(printer);
    // The page range is offered from a layout on the chosen printer; the job lays out again.
    CardJob probe;
    probe.Begin(CalibratedMetrics(MetricsOfDevice(printer), PrinterNameOf(printer)), m_host.song(),
                m_host.playbackStartX(), Look());
    m_offeredPages = std::max(1, probe.pageCount());
    QPrintDialog dialog(&printer, m_host.window());
    dialog.setMinMax(1, m_offeredPages);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (prompts().runDialog(dialog) != QDialog::Accepted) {
        return;
    }
    RunPrintJob(printer);
}

bool CardPrintFlow::BeginCardPrint(QPrinter& printer, bool previewing)
{
    if (!previewing) {
        applicationDevMode() = DevModeFromPrinter(printer);
        ForgetPrinterMetrics();
    }
    const PrintMetrics metrics = MetricsOfDevice(printer);
    if (metrics.valid()) {
        SetLastPrintMetrics(metrics);
    }
    // A calibrated printer gets its factors; PDF output never has any.
    const PrintMetrics used = CalibratedMetrics(LastPrintMetrics(), PrinterNameOf(printer));
    if (QApplication::queryKeyboardModifiers() & Qt::ShiftModifier) {
        prompts().message(m_host.window(),
                          Utf8(kTextPaperSizeHeading) + QString::asprintf(std::string(text(str::kPaperSizeFormat)).c_str(), used.horzSize10,
                                                                           used.vertSize10, used.horzRes, used.vertRes),
                          QString(), Prompts::Icon::Information);
    }
    m_jobReady = m_job.Begin(used, m_host.song(), m_host.playbackStartX(), Look());
    m_job.setCountMarks(!previewing);
    if (!m_jobReady) {
        prompts().message(m_host.window(), m_job.problemText(), QString(), Prompts::Icon::Warning);
    }
    return m_jobReady;
}

void CardPrintFlow::EndCardPrint(int fromPage, int toPage)
{
    const bool whole = fromPage <= 1 && (toPage == 0 || toPage >= m_job.pageCount());
    // Notes before the playback start are not on the card, so the marks are compared with the
    // notes that belong there, not with every note of the song.
    if (!m_previewing && m_jobReady && whole && (m_job.marksDrawn() < m_job.cardNotes() || m_job.drawFailed())) {
        prompts().message(m_host.window(), TextOf(str::kPrintIncomplete), QString(), Prompts::Icon::Warning);
    }
    m_jobReady = false;
}

bool CardPrintFlow::RunPrintJob(QPrinter& printer)
{
    if (!BeginCardPrint(printer, false)) {
        return false;
    }
    const bool range = printer.printRange() == QPrinter::PageRange;
    const int from = range ? printer.fromPage() : 1;
    const int to = range ? printer.toPage() : 0;
    const bool painted = PaintJobPages(m_job, printer, from, to);
    EndCardPrint(from, to);
    return painted;
}

void CardPrintFlow::PreviewCommand()
{
    settings::LoadCardMarks(m_host.song().printOptions, m_assembly);
    m_previewing = true;
    m_host.setPreviewShown(true);
    ShowPreview();
    m_previewing = false;
    m_host.setPreviewShown(false);
}

void CardPrintFlow::ShowPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    ApplyApplicationPrinter(printer);
    QPrintPreviewDialog dialog(&printer, m_host.window());
    bool printAsked = false;
    // The preview's own print button closes the preview and prints as the Print command does,
    // through the settings dialog.
    for (QAction* action : dialog.findChildren<QAction*>()) {
        if (action->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print")) {
            action->disconnect(&dialog);
            QObject::connect(action, &QAction::triggered, &dialog, [&dialog, &printAsked] {
                printAsked = true;
                dialog.accept();
            });
        }
    }
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter* target) {
        if (BeginCardPrint(*target, true)) {
            PaintJobPages(m_job, *target);
        }
        EndCardPrint(1, 0);
    });
    prompts().runDialog(dialog);
    if (printAsked) {
        m_previewing = false;
        m_host.setPreviewShown(false);
        PrintCommand();
    }
}

void CardPrintFlow::PrintSetupCommand()
{
    QPrinter printer(QPrinter::HighResolution);
    ApplyApplicationPrinter(printer);
    QPageSetupDialog dialog(&printer, m_host.window());
    if (prompts().runDialog(dialog) == QDialog::Accepted) {
        applicationDevMode() = DevModeFromPrinter(printer);
        ForgetPrinterMetrics();
        m_host.songChanged();
    }
}

void CardPrintFlow::ExportPdfCommand()
{
    settings::LoadCardMarks(m_host.song().printOptions, m_assembly);
    const SongState& song = m_host.song();
    QString name = QString::fromStdString(song.title).trimmed();
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    if (name.isEmpty()) {
        name = QStringLiteral("card");
    }
    const QString path = prompts().saveFileName(
        m_host.window(), {TextOf(str::kCardPdfCaption), QString(), name + QStringLiteral(".pdf"),
                          TextOf(str::kCardPdfFilter), QStringLiteral("pdf")});
    if (path.isEmpty() || !confirmReplacing(m_host.window(), path)) {
        return;
    }
    QString error;
    if (!WritePdf(path, &error)) {
        prompts().message(m_host.window(), error, QString(), Prompts::Icon::Warning);
    }
}

bool CardPrintFlow::WritePdf(const QString& path, QString* error)
{
    return WriteCardPdf(m_host.song(), m_host.playbackStartX(), Look(), PrinterSettingsPdfPaper(), path, error);
}

} // namespace zembra
