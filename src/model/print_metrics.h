#pragma once

namespace zembra {

// Device resolutions are given per inch, print metrics and paper sizes in tenths of a millimetre.
inline constexpr double kTenthsPerInch = 254.0;
inline constexpr double kTenthsPerMm = 10.0;
inline constexpr double kMmPerInch = 25.4;

// The printable area of a paint device, as the card geometry needs it: width and height in tenths
// of a millimetre and in device pixels, origin at the top left of the printable area. All zero
// until a device has been measured.
struct PrintMetrics {
    int horzSize10 = 0;
    int vertSize10 = 0;
    int horzRes = 0;
    int vertRes = 0;
    // A printer's calibration: how much longer than the device says a length must be drawn to come
    // out true on paper, along the strip (x) and across it (y). 1 for every exact device.
    double scaleX = 1.0;
    double scaleY = 1.0;

    // Millimetres along the strip (x) and across it (y) to device pixels, rounded up. Every
    // length is converted by itself and the pixel results are added, so rounding is per term.
    // 0 when the device gave no metrics.
    int MmToDeviceX(double mm) const;
    int MmToDeviceY(double mm) const;
    // The same without rounding: where a length ends, to a fraction of a pixel.
    double ExactX(double mm) const;

    bool valid() const { return horzSize10 > 0 && vertSize10 > 0 && horzRes > 0 && vertRes > 0; }
    double printableWidthMm() const { return horzSize10 / 10.0; }
    bool operator==(const PrintMetrics&) const = default;
};

} // namespace zembra
