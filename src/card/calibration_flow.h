#pragma once

#include <QString>

class QPaintDevice;

namespace zembra {

class CalibrationDialog;
class CardHost;

// The calibration commands: print the strip on a printer, then take the lengths measured on it;
// or take them later without printing, for the printer of the printer settings. The factors are
// kept per printer name and correct every print and preview on that printer.
class CalibrationFlow {
public:
    explicit CalibrationFlow(CardHost& host);

    // The print dialog, the strip, then the lengths dialog for the printer chosen.
    void PrintStripCommand();
    // The lengths dialog for the printer the printer settings name.
    void LengthsCommand();
    // The lengths dialog for a printer; what it gives is kept.
    void EnterLengths(const QString& printerName);
    // Keeps (or forgets) what an accepted lengths dialog gives.
    void Apply(const CalibrationDialog& dialog);

    // Paints the strip, named after `printerName`, on a device at its own scale. False with the
    // reason in `error` when the page cannot hold it or the device cannot be painted.
    static bool PaintStrip(QPaintDevice& device, const QString& printerName, QString* error);

private:
    CardHost& m_host;
};

} // namespace zembra
