#include "card/card_pdf.h"

#include "card/card_job.h"
#include "song/song_writer.h"
#include "text/string_ids.h"
#include "ui/device_metrics.h"
#include "ui/qt_text.h"

#include <QFile>
#include <QPageSize>
#include <QPrinter>

namespace zembra {

bool WriteCardPdf(const SongState& song, int startX, const CardLook& look, const QPageLayout& paper,
                  const QString& path, QString* error, int* pageCount)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(paper);
    printer.setOutputFileName(path);
    CardJob job;
    if (!job.Begin(printer, song, startX, look)) {
        if (error) {
            *error = job.problemText();
        }
        return false;
    }
    auto failed = [&](const QString& temporary) {
        QFile::remove(temporary);
        if (error) {
            *error = TextOf(str::kCardPdfFailed) + path;
        }
        return false;
    };
    // A name of our own beside the target: the half-written file never takes the target's name.
    const QString temporary = QFile::decodeName(SiblingTempPath(QFile::encodeName(path).toStdString()).c_str());
    printer.setOutputFileName(temporary);
    if (!PaintJobOnPrinter(job, printer)) {
        return failed(temporary);
    }
    QFile::remove(path);
    if (!QFile::rename(temporary, path)) {
        return failed(temporary);
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
