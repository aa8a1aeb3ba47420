#include "model/calibration.h"

#include <charconv>
#include <cmath>

namespace zembra {

namespace {

constexpr std::string_view kSection = "Calibration";
constexpr std::string_view kSpaces = " \t\r\n";
constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kSpaces);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(kSpaces);
    return text.substr(first, last - first + 1);
}

std::optional<double> parseNumber(std::string_view text)
{
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (error != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool keptInKey(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
        c == '.';
}

} // namespace

std::optional<double> ParseMeasuredLength(std::string_view text)
{
    std::string_view body = trimmed(text);
    if (body.size() >= 2 && body.substr(body.size() - 2) == "mm") {
        body = trimmed(body.substr(0, body.size() - 2));
    }
    if (body.empty() || body.front() == '+' || body.front() == '-') {
        return std::nullopt;
    }
    // A decimal comma is as good as a point; a second separator is not a number.
    std::string normal(body);
    for (char& c : normal) {
        if (c == ',') {
            c = '.';
        }
    }
    const std::optional<double> value = parseNumber(normal);
    if (!value || *value <= 0.0) {
        return std::nullopt;
    }
    return value;
}

double CalibrationFactorOf(double nominalMm, double measuredMm)
{
    return nominalMm / measuredMm;
}

bool CalibrationFactorInRange(double factor)
{
    return std::isfinite(factor) && factor >= calibration::kMinFactor && factor <= calibration::kMaxFactor;
}

CalibrationResult CalibrationFromLengths(std::string_view along, std::string_view across)
{
    CalibrationResult result;
    const std::optional<double> alongMm = ParseMeasuredLength(along);
    const std::optional<double> acrossMm = ParseMeasuredLength(across);
    if (!alongMm || !acrossMm) {
        result.problem = CalibrationProblem::NotANumber;
        return result;
    }
    const double alongFactor = CalibrationFactorOf(calibration::kAlongRulerMm, *alongMm);
    const double acrossFactor = CalibrationFactorOf(calibration::kAcrossRulerMm, *acrossMm);
    if (!CalibrationFactorInRange(alongFactor)) {
        result.problem = CalibrationProblem::AlongOutOfRange;
        result.measuredMm = *alongMm;
        result.factor = alongFactor;
        return result;
    }
    if (!CalibrationFactorInRange(acrossFactor)) {
        result.problem = CalibrationProblem::AcrossOutOfRange;
        result.measuredMm = *acrossMm;
        result.factor = acrossFactor;
        return result;
    }
    result.factors = {alongFactor, acrossFactor};
    return result;
}

std::string CalibrationKey(std::string_view printerName, CalibrationDirection direction)
{
    if (printerName.empty()) {
        return {};
    }
    std::string key(kSection);
    key += '/';
    for (const char c : printerName) {
        const auto byte = static_cast<unsigned char>(c);
        if (keptInKey(byte)) {
            key += c;
        } else {
            key += '%';
            key += kHexDigits[byte >> 4];
            key += kHexDigits[byte & 0xF];
        }
    }
    key += direction == CalibrationDirection::Along ? "/Along" : "/Across";
    return key;
}

std::string FormatCalibrationFactor(double factor)
{
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, factor, std::chars_format::fixed, 6);
    return error == std::errc() ? std::string(buffer, end) : std::string();
}

std::optional<double> ParseCalibrationFactor(std::string_view text)
{
    const std::string_view body = trimmed(text);
    if (body.empty()) {
        return std::nullopt;
    }
    const std::optional<double> value = parseNumber(body);
    if (!value || !CalibrationFactorInRange(*value)) {
        return std::nullopt;
    }
    return value;
}

PrintMetrics Calibrated(PrintMetrics metrics, const CalibrationFactors& factors)
{
    metrics.scaleX = factors.along;
    metrics.scaleY = factors.across;
    return metrics;
}

} // namespace zembra
