#pragma once

#include "model/print_metrics.h"

#include <QString>

class QPaintDevice;
class QPrinter;

namespace zembra {

// The printable area of any paint device: a printer (its page's paint rectangle), a PDF writer,
// a QImage (its dots per metre).
PrintMetrics MetricsOfDevice(const QPaintDevice& device);

// The name a printer's calibration is kept under: the printer's own name when it prints on a
// printer; empty for PDF output, which is exact and never corrected.
QString PrinterNameOf(const QPrinter& printer);
// The name of the printer the application's printer settings print on; empty when that is PDF.
QString ApplicationPrinterName();
// The metrics of a device with the calibration kept for `printerName` applied (none for an empty
// name): what printing and previewing on that printer measure with.
PrintMetrics CalibratedMetrics(const PrintMetrics& metrics, const QString& printerName);

// The metrics of the last print job or preview; all zero before the first.
const PrintMetrics& LastPrintMetrics();
void SetLastPrintMetrics(const PrintMetrics& metrics);

// What the hole-spacing check measures with: the last job's metrics, or before any job the
// printable area of the printer in the application's printer settings, or of an A4 landscape
// page when there is none. The fallback is worked out once and again after the settings change.
PrintMetrics CheckMetrics();
void ForgetPrinterMetrics();

// Puts the application's printer settings on `printer`, with A4 landscape where they name no
// paper or orientation.
void ApplyApplicationPrinter(QPrinter& printer);

} // namespace zembra
