#include "card/calibration_strip.h"

#include "model/card_constants.h"

namespace zembra {

namespace {

constexpr double kLabelGapMm = 0.5;
constexpr double kLabelWidthMm = 8.0;
constexpr double kTextLeftMm = 10.0;
constexpr double kTextRightMm = 120.0;

} // namespace

double CalibrationStrip::TickLength(int mm)
{
    if (mm % 10 == 0) {
        return kLongTickMm;
    }
    return mm % 5 == 0 ? kMidTickMm : kShortTickMm;
}

std::vector<RulerTick> CalibrationStrip::Ticks(int rulerMm)
{
    std::vector<RulerTick> ticks;
    ticks.reserve(static_cast<std::size_t>(rulerMm + 1));
    for (int mm = 0; mm <= rulerMm; ++mm) {
        ticks.push_back({mm, TickLength(mm), mm % 10 == 0 ? mm : -1});
    }
    return ticks;
}

MmBox CalibrationStrip::AlongLabel(const RulerTick& tick)
{
    const double x = kAlongZeroX + tick.mm;
    const double top = kAlongBaseY + kLongTickMm + kLabelGapMm;
    return {x - kLabelWidthMm / 2, top, x + kLabelWidthMm / 2, top + kLabelFontMm};
}

MmBox CalibrationStrip::AcrossLabel(const RulerTick& tick)
{
    const double y = kAcrossZeroY + tick.mm;
    const double left = kAcrossBaseX + kLongTickMm + kLabelGapMm;
    return {left, y - kLabelFontMm / 2, left + kLabelWidthMm, y + kLabelFontMm / 2};
}

MmBox CalibrationStrip::HeadingBox()
{
    return {kTextLeftMm, 26.0, kTextRightMm, 26.0 + kHeadingFontMm * 1.4};
}

MmBox CalibrationStrip::PrinterBox()
{
    return {kTextLeftMm, 33.0, kTextRightMm, 33.0 + kTextFontMm * 1.4};
}

MmBox CalibrationStrip::AdviceBox()
{
    return {kTextLeftMm, 39.0, kTextRightMm, 62.0};
}

MmBox CalibrationStrip::Outline()
{
    return {0.0, 0.0, kLengthMm, card::kCardWidthMm};
}

bool CalibrationStrip::FitsOn(const PrintMetrics& metrics)
{
    if (!metrics.valid()) {
        return false;
    }
    const MmBox outline = Outline();
    return metrics.horzSize10 / 10.0 >= outline.right && metrics.vertSize10 / 10.0 >= outline.bottom;
}

} // namespace zembra
