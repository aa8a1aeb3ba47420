#pragma once

#include "card/calibration_strip.h"
#include "model/print_metrics.h"

#include <QString>

class QPainter;
class QRect;

namespace zembra {

// Draws the calibration strip onto any device, at the scale its metrics give (a printer's own,
// never corrected), origin at the top left of the printable area.
class CalibrationStripPainter {
public:
    CalibrationStripPainter(const PrintMetrics& metrics, QString printerName);

    void Paint(QPainter& painter) const;

    // A box of the strip in device pixels, each edge converted by itself.
    QRect DeviceBox(const MmBox& box) const;

private:
    void DrawRulers(QPainter& painter) const;
    void DrawTexts(QPainter& painter) const;

    PrintMetrics m_metrics;
    QString m_printerName;
};

} // namespace zembra
