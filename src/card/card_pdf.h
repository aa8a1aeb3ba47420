#pragma once

#include "card/card_painter.h"
#include "model/print_metrics.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>

namespace zembra {

struct SongState;

// The card of `song` (notes from canvas x `startX` on) written as a PDF on `paper`, every page at
// true scale through the card painter. The file appears under `path` only once it is whole; an
// older file there is replaced then, and stays as it was on any failure. False with the reason in
// `error`. Export Card as PDF and the command line's `card` write through here.
bool WriteCardPdf(const SongState& song, int startX, const CardLook& look, const QPageLayout& paper,
                  const QString& path, QString* error, int* pageCount = nullptr);

// A paper for PDF output with the PDF output's own margins; A4 landscape when nothing else is
// chosen, as the window's printer settings are before anything is set up.
QPageLayout PdfPaper(const QPageSize& size = QPageSize(QPageSize::A4),
                     QPageLayout::Orientation orientation = QPageLayout::Landscape);

// The paper of the program's printer settings as a PDF page of the PDF export's resolution (given
// in `dotsPerInch` when asked): what exact output (PDF, cutter files) is laid out on.
QPageLayout PrinterSettingsPdfPaper(int* dotsPerInch = nullptr);

// The printable area of a PDF page laid out on `paper`, as the card is painted on it: what a bar
// length of 0 is measured against when no printer is involved.
PrintMetrics PdfPaperMetrics(const QPageLayout& paper = PdfPaper());

} // namespace zembra
