// The rules of printer calibration: reading measured lengths, the factors they give, the range a
// factor must lie in, and how factors are kept.
#include "model/calibration.h"

#include <gtest/gtest.h>

#include <optional>

namespace zembra {
namespace {

TEST(Calibration, ReadsMeasuredLengthsAsAPersonTypesThem)
{
    struct Case {
        const char* text;
        std::optional<double> mm;
    };
    const Case cases[] = {
        {"98.5", 98.5},       {"98,5", 98.5},      {" 99.25 mm ", 99.25}, {"99.25mm", 99.25}, {"100", 100.0},
        {"0.5", 0.5},         {"", std::nullopt},  {"  ", std::nullopt},  {"mm", std::nullopt},
        {"abc", std::nullopt}, {"-98.5", std::nullopt}, {"+98.5", std::nullopt}, {"0", std::nullopt},
        {"0.0", std::nullopt}, {"1e2", std::nullopt}, {"98.5.1", std::nullopt}, {"98,5,1", std::nullopt},
        {"98 .5", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseMeasuredLength(c.text), c.mm) << '"' << c.text << '"';
    }
}

TEST(Calibration, FactorsAreTheNominalLengthsOverTheMeasuredOnesWithinTheRange)
{
    using P = CalibrationProblem;
    struct Case {
        const char* along;
        const char* across;
        P problem;
        CalibrationFactors factors; // when accepted
        double measured;            // when refused for its range
    };
    const Case cases[] = {
        {"98.5", "59.52", P::None, {100.0 / 98.5, 60.0 / 59.52}, 0},
        {"100", "60", P::None, {1.0, 1.0}, 0},
        {"125", "75", P::None, {0.8, 0.8}, 0}, // both ends of the range are allowed
        {"83.34", "50.01", P::None, {100.0 / 83.34, 60.0 / 50.01}, 0},
        {"83.33", "60", P::AlongOutOfRange, {}, 83.33}, // 1.20005
        {"125.1", "60", P::AlongOutOfRange, {}, 125.1},
        {"10", "6", P::AlongOutOfRange, {}, 10}, // the along ruler is checked first
        {"100", "49.99", P::AcrossOutOfRange, {}, 49.99},
        {"100", "75.5", P::AcrossOutOfRange, {}, 75.5},
        {"x", "60", P::NotANumber, {}, 0},
        {"100", "", P::NotANumber, {}, 0},
        {"-100", "60", P::NotANumber, {}, 0},
    };
    for (const Case& c : cases) {
        const CalibrationResult r = CalibrationFromLengths(c.along, c.across);
        EXPECT_EQ(r.problem, c.problem) << c.along << " " << c.across;
        if (c.problem == P::None) {
            EXPECT_DOUBLE_EQ(r.factors.along, c.factors.along) << c.along;
            EXPECT_DOUBLE_EQ(r.factors.across, c.factors.across) << c.across;
        } else if (c.problem != P::NotANumber) {
            EXPECT_DOUBLE_EQ(r.measuredMm, c.measured) << c.along << " " << c.across;
            EXPECT_FALSE(CalibrationFactorInRange(r.factor)) << r.factor;
            EXPECT_EQ(r.factors, CalibrationFactors{}) << "a refused entry gives no factors";
        }
    }
}

TEST(Calibration, KeysNameThePrinterAndTheDirectionWithoutOpeningGroups)
{
    using D = CalibrationDirection;
    struct Case {
        const char* printer;
        D direction;
        const char* key;
    };
    const Case cases[] = {
        {"Office Laser", D::Along, "Calibration/Office%20Laser/Along"},
        {"Office Laser", D::Across, "Calibration/Office%20Laser/Across"},
        {"HP LaserJet 4/PS", D::Along, "Calibration/HP%20LaserJet%204%2FPS/Along"},
        {"\\\\server\\card", D::Across, "Calibration/%5C%5Cserver%5Ccard/Across"},
        {"Canon_iP-110.2", D::Along, "Calibration/Canon_iP-110.2/Along"},
        {"100%", D::Along, "Calibration/100%25/Along"},
        {"\xE3\x83\x97\xE3\x83\xAA", D::Along, "Calibration/%E3%83%97%E3%83%AA/Along"}, // "プリ"
        {"", D::Along, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CalibrationKey(c.printer, c.direction), c.key) << c.printer;
    }
    // Two names that differ only where one has a '/' and the other its code stay apart.
    EXPECT_NE(CalibrationKey("a/b", D::Along), CalibrationKey("a%2Fb", D::Along));
}

TEST(Calibration, StoredFactorsReadBackOnlyWhenTheyAreFactorsInRange)
{
    EXPECT_EQ(FormatCalibrationFactor(100.0 / 98.5), "1.015228");
    EXPECT_EQ(FormatCalibrationFactor(0.8), "0.800000");
    struct Case {
        const char* text;
        std::optional<double> factor;
    };
    const Case cases[] = {
        {"1.015228", 1.015228}, {"0.800000", 0.8},       {"1.2", 1.2},           {" 1.0 ", 1.0},
        {"1.3", std::nullopt},  {"0.5", std::nullopt},   {"1,0", std::nullopt},  {"", std::nullopt},
        {"abc", std::nullopt},  {"1.0x", std::nullopt},  {"-1", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseCalibrationFactor(c.text), c.factor) << '"' << c.text << '"';
    }
}

TEST(Calibration, FactorsScaleEveryLengthOfTheirDirection)
{
    const PrintMetrics exact{2000, 2000, 2400, 2400};
    const PrintMetrics corrected = Calibrated(exact, {1.125, 0.875});
    EXPECT_EQ(exact.MmToDeviceX(100), 1200);
    EXPECT_EQ(corrected.MmToDeviceX(100), 1350);
    EXPECT_EQ(corrected.MmToDeviceY(100), 1050);
    EXPECT_DOUBLE_EQ(corrected.ExactX(0.5), 6.75);
    // Rounding stays per term: 0.9 mm is 12.15 pixels along, rounded up.
    EXPECT_EQ(corrected.MmToDeviceX(0.9), 13);
    EXPECT_EQ(Calibrated(exact, {}), exact);
}

} // namespace
} // namespace zembra
