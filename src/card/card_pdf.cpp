#include "card/card_pdf.h"

#include "card/card_job.h"
#include "text/string_ids.h"
#include "services/paint_device_metrics.h"
#include "services/qt_text.h"
#include "services/safe_file_device.h"
#include "services/write_problem_text.h"

#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>

namespace zembra {

namespace {

// The resolution of QPrinter::HighResolution on PDF output, which the paper is measured at.
constexpr int kPdfDotsPerInch = 1200;

} // namespace

bool WriteCardPdf(const SongState& song, int startX, const CardLook& look, const QPageLayout& paper,
                  const QString& path, QString* error, int* pageCount)
{
    auto failed = [&](const QString& reason) {
        if (error) {
            *error = TextOf(str::kCardPdfFailed) + path + (reason.isEmpty() ? QString() : '\n' + reason);
        }
        return false;
    };
    // The PDF goes into a checked file beside the target: a full disk or any other failed write is
    // seen, and the target is replaced only by the whole file.
    SafeFileDevice file(path);
    if (!file.open()) {
        return failed(WriteProblemText(file.problem()));
    }
    QPdfWriter writer(&file);
    writer.setResolution(kPdfDotsPerInch);
    writer.setPageLayout(paper);
    CardJob job;
    if (!job.Begin(writer, song, startX, look)) {
        file.discard();
        if (error) {
            *error = job.problemText();
        }
        return false;
    }
    if (!PaintJobPages(job, writer) || !file.commit()) {
        file.discard();
        return failed(WriteProblemText(file.problem()));
    }
    if (pageCount) {
        *pageCount = job.pageCount();
    }
    return true;
}

QPageLayout PrinterSettingsPdfPaper(int* dotsPerInch)
{
    QPrinter printer(QPrinter::HighResolution);
    ApplyApplicationPrinter(printer);
    // Naming a printer makes the output native again: keep its paper, write PDF.
    const QPageLayout paper = printer.pageLayout();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(paper);
    if (dotsPerInch) {
        *dotsPerInch = printer.resolution();
    }
    return printer.pageLayout();
}

QPageLayout PdfPaper(const QPageSize& size, QPageLayout::Orientation orientation)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(size);
    printer.setPageOrientation(orientation);
    return printer.pageLayout();
}

PrintMetrics PdfPaperMetrics(const QPageLayout& paper)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(paper);
    return MetricsOfDevice(printer);
}

} // namespace zembra
