#pragma once

#include "model/print_metrics.h"

#include <optional>
#include <string>
#include <string_view>

namespace zembra {

// A printer that shrinks or stretches its output is corrected by two factors, found by printing
// the calibration strip and measuring its two rulers: the nominal length over the measured one.
namespace calibration {

inline constexpr double kAlongRulerMm = 100.0;
inline constexpr double kAcrossRulerMm = 60.0;
// A factor outside this range is a misreading of the ruler, not a printer.
inline constexpr double kMinFactor = 0.8;
inline constexpr double kMaxFactor = 1.2;

} // namespace calibration

enum class CalibrationDirection { Along, Across };

struct CalibrationFactors {
    double along = 1.0;
    double across = 1.0;
    bool calibrated() const { return along != 1.0 || across != 1.0; }
    bool operator==(const CalibrationFactors&) const = default;
};

enum class CalibrationProblem { None, NotANumber, AlongOutOfRange, AcrossOutOfRange };

struct CalibrationResult {
    CalibrationFactors factors;
    CalibrationProblem problem = CalibrationProblem::None;
    // The measured length and the factor it gave, for the message of a refused entry.
    double measuredMm = 0;
    double factor = 0;
};

// A measured length as a person types it: "99.5", "99,5", " 99.5 mm"; none for anything else or
// a length that is not above zero.
std::optional<double> ParseMeasuredLength(std::string_view text);

double CalibrationFactorOf(double nominalMm, double measuredMm);
bool CalibrationFactorInRange(double factor);

// The factors for the two lengths typed in, or why they are refused (the along length first).
CalibrationResult CalibrationFromLengths(std::string_view along, std::string_view across);

// Where a printer's factor is kept in the settings: "Calibration/<name>/Along" (or "Across"),
// the name with every byte other than a letter, a digit, '-', '_' and '.' written as %XX, so that
// a '/' or '\' in a printer's name never opens a group of its own. Empty for an unnamed printer.
std::string CalibrationKey(std::string_view printerName, CalibrationDirection direction);

// A factor as stored: a decimal with six places, the same in every locale.
std::string FormatCalibrationFactor(double factor);
// A stored factor; none for a text that is not a number in range, so that a damaged value reads
// as no calibration.
std::optional<double> ParseCalibrationFactor(std::string_view text);

// The metrics of a printer with its factors applied.
PrintMetrics Calibrated(PrintMetrics metrics, const CalibrationFactors& factors);

} // namespace zembra
