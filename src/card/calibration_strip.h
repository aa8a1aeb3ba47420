#pragma once

#include "model/print_metrics.h"

#include <vector>

namespace zembra {

// One millimetre mark of a ruler: where it lies from the ruler's zero, how long it is drawn and
// the number printed beside it (-1 for none).
struct RulerTick {
    int mm = 0;
    double lengthMm = 0;
    int label = -1;
};

// A box on the strip, in millimetres from the top left of the printable area.
struct MmBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// The calibration strip: one card-wide strip with a 100 mm ruler along it and a 60 mm ruler
// across it, a tick every millimetre (longer every 5 and 10 mm, numbered every 10), a heading,
// the printer's name and what to do with the strip. It is printed at the printer's own scale,
// without any correction, so that measuring it tells the correction.
class CalibrationStrip {
public:
    static constexpr double kLengthMm = 150.0;
    static constexpr double kShortTickMm = 2.0;
    static constexpr double kMidTickMm = 3.5;
    static constexpr double kLongTickMm = 5.0;
    static constexpr double kLineMm = 0.15;
    static constexpr double kLabelFontMm = 2.5;
    static constexpr double kHeadingFontMm = 3.5;
    static constexpr double kTextFontMm = 2.5;

    // The along ruler runs to the right from its zero on a horizontal base line, its ticks hanging
    // below; the across ruler runs down from its zero on a vertical base line, its ticks to the
    // right.
    static constexpr double kAlongZeroX = 10.0;
    static constexpr double kAlongBaseY = 12.0;
    static constexpr double kAcrossBaseX = 128.0;
    static constexpr double kAcrossZeroY = 4.8;

    static std::vector<RulerTick> Ticks(int rulerMm);
    static double TickLength(int mm);

    // The number of a tick is centred on it, beyond its end.
    static MmBox AlongLabel(const RulerTick& tick);
    static MmBox AcrossLabel(const RulerTick& tick);
    static MmBox HeadingBox();
    static MmBox PrinterBox();
    static MmBox AdviceBox();
    static MmBox Outline();

    // Whether the printable area holds the whole strip.
    static bool FitsOn(const PrintMetrics& metrics);
};

} // namespace zembra
