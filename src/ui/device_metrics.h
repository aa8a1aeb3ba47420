#pragma once

#include "model/print_metrics.h"

class QPaintDevice;
class QPrinter;

namespace zembra {

// The printable area of any paint device: a printer (its page's paint rectangle), a PDF writer,
// a QImage (its dots per metre).
PrintMetrics MetricsOfDevice(const QPaintDevice& device);

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
