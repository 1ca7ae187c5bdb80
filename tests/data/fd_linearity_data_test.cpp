// Frequency-dependent linearity error: hand-calculated interpolations in every kind of grid cell, the
// zero regions of level and frequency, the missing regions, and the interpolation on its own.
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

#include <gtest/gtest.h>

#include "data/fd_linearity_data.h"
#include "tests/data/data_test_support.h"

namespace tarvex {
namespace {

using test::ExpectNear;

struct Point {
    std::string_view sensor;
    double frequencyGHz;
    int levelDbm;
};

std::ostream& operator<<(std::ostream& out, const Point& p) {
    return out << p.sensor << " at " << p.frequencyGHz << " GHz, " << p.levelDbm << " dBm";
}

const double kJustAbove14 = std::nextafter(14.0, 100.0);

// Expected percentages computed by hand as (1-u)(1-v)·c11 + u(1-v)·c21 + uv·c22 + (1-u)v·c12 with
// u, v the relative position in the cell and P = 10^(level/10) mW.
TEST(FdLinearity, InterpolatedValues) {
    struct Case {
        Point point;
        double errorPercent;
    };
    const Case kCases[] = {
        {{"TS-101", 5, 0}, 0.2474747474747475},    // cell 4-8, lower band, P = 1 mW
        {{"TS-101", 10.5, 3}, 3.4916253042379184}, // cell 8-13, middle
        {{"TS-101", 18, 3}, 5.985643378693574},    // top of the lower band
        {{"TS-101", 18, 4}, 6.170628810503192},    // bottom of the upper band
        {{"TS-101", 18, 13}, 11.984207716562931},
        {{"TS-101", 18, -17}, -0.0001435662130642475}, // -17 dBm lies just below the 0.02 mW node
        {{"TS-107", 13, 13}, 9.986839763802443},       // TS-101 grid up to 13 GHz
        {{"TS-102", 8, 27}, 3.5059361681363623},       // 27 dBm lies just above the 500 mW node
        {{"TS-102", 18, 3}, -0.00014356621306425716},
        {{"TS-102", 18, 23}, 5.985643378693572},
        {{"TS-102", 18, 24}, 6.682515242012773},
        {{"TS-108", 13, 27}, 8.011872336272724}, // TS-102 grid up to 13 GHz
        {{"TS-104", 6, 13}, 9.989471811041954},
        {{"TS-105", 6, 27}, 8.007914890848483},
        {{"TS-106", 0.05, 3}, 2.494018074455656}, // first cell, below 0.2 GHz
        {{"TS-106", 0, 3}, 3.325357432607541},    // the first cell extrapolates down to DC
        {{"TS-106", 0.1, 13}, 2.996490603680652},
        {{"TS-106", 20, 3}, 0.9776550851866171}, // lower band keeps the grid's 0.5 at 14 GHz
        {{"TS-106", 20, 8}, 1.8447658755841545}, // upper band: corner 1.5 at (14 GHz, 2 mW)
        {{"TS-106", 14, 4}, 0.5284381350838655}, // cell 4-14 keeps the grid's 0.5
        {{"TS-106", kJustAbove14, 4}, 1.5},      // cell 14-26.5 with its own corner
        {{"TS-106", 14, 13}, 1.4973679527604886},
        {{"TS-109", 0.1, -10}, 0.005387205387205388},
        {{"TS-109", 12.4, 4}, 1.0284381350838656}, // cell 4-12.4 keeps the grid's 1
        {{"TS-109", 12.5, 4}, 2.00061822032791},   // upper band: corner 2 at (12.4 GHz, 2 mW)
        {{"TS-109", 12.4, 3}, 0.9976072297822624},
        {{"TS-109", 20, 3}, 1.272310669867233}, // lower band keeps the grid's 1 at 12.4 GHz
        {{"TS-109", 40, 13}, 7.984207716562932},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.point);
        ExpectNear(SensorFdLinearity(c.point.sensor, c.point.frequencyGHz, c.point.levelDbm), c.errorPercent,
                   1e-9);
    }
}

TEST(FdLinearity, ZeroBelowLevelBandsAndInLowFrequencyBands) {
    // clang-format off
    const Point kZeroPoints[] = {
        {"TS-101", 1, -18}, {"TS-101", 10, -18}, {"TS-101", 30, -18}, {"TS-109", 50, -18}, // below -17 dBm
        {"TS-106", 0.05, -18}, {"TS-104", 6, -40},
        {"TS-102", 10, 2}, {"TS-102", 30, 2}, {"TS-105", 6, -10}, {"TS-108", 13, 2},       // below 3 dBm
        {"TS-101", 4, 13}, {"TS-107", 4, 0}, {"TS-102", 4, 27}, {"TS-108", 1, 10},         // f <= 4 GHz
        {"TS-104", 1.5, 13}, {"TS-105", 1.5, 27}, {"TS-104", 0.0001, 0},                   // f <= 1.5 GHz
        {"TS-106", 0.2, 13}, {"TS-106", 0.21, 13}, {"TS-106", 4, 13}, {"TS-109", 0.2, 0}, {"TS-109", 4, 13},
        {"TS-201", 3, 10}, {"TS-202A", 50, 40}, {"TS-203", 6, 43},                         // no grid
        {"TS-301", 0, 20}, {"TS-303", 18, 40}, {"TS-305", 100, -70},
    };
    // clang-format on
    for (const Point& p : kZeroPoints) {
        SCOPED_TRACE(testing::Message() << p);
        ExpectNear(SensorFdLinearity(p.sensor, p.frequencyGHz, p.levelDbm), 0.0, 1e-12);
    }
    for (int level = -30; level <= 13; ++level) {
        SCOPED_TRACE(level);
        ExpectNear(SensorFdLinearity("TS-101", 4, level), 0.0, 1e-12);
        ExpectNear(SensorFdLinearity("TS-106", 3, level), 0.0, 1e-12);
        ExpectNear(SensorFdLinearity("TS-109", 1, level), 0.0, 1e-12);
    }
}

TEST(FdLinearityNoValue, AboveLevelBandsAboveLastCellAndWithoutTable) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    // clang-format off
    const Point kMissing[] = {
        {"TS-101", 1, 14}, {"TS-101", 4, 14}, {"TS-101", 10, 14}, {"TS-106", 0.1, 14}, {"TS-109", 20, 14},
        {"TS-102", 4, 28}, {"TS-105", 1, 28}, {"TS-108", 10, 28},
        {"TS-101", std::nextafter(18.0, kInf), 0}, {"TS-101", 18.5, 13}, {"TS-102", 18.5, 20},
        {"TS-107", std::nextafter(13.0, kInf), 0}, {"TS-108", 13.5, 20},
        {"TS-104", std::nextafter(6.0, kInf), 0}, {"TS-105", 6.5, 20},
        {"TS-106", std::nextafter(26.5, kInf), 0}, {"TS-109", std::nextafter(40.0, kInf), 0},
        {"TS-103", 1, 0}, {"TS-103", 5, -30}, {"TS-103", 10, 20},
    };
    // clang-format on
    for (const Point& p : kMissing) {
        SCOPED_TRACE(testing::Message() << p);
        EXPECT_FALSE(SensorFdLinearity(p.sensor, p.frequencyGHz, p.levelDbm).has_value());
    }
    for (const std::string_view sensor : test::kUnknownSensors) {
        SCOPED_TRACE(sensor);
        EXPECT_FALSE(SensorFdLinearity(sensor, 10, 0).has_value());
        EXPECT_FALSE(SensorFdLinearity(sensor, 1, -30).has_value());
    }
}

// Cell 1...3 GHz by 10...20 mW with distinct corners c11 = 1, c21 = 2, c22 = 3, c12 = 4.
TEST(BilinearInterpolate, CornersCentreEdgesAndExtrapolation) {
    struct Case {
        const char* name;
        double frequencyGHz, powerMw, expected;
    };
    constexpr Case kCases[] = {
        {"corner f1 P1", 1, 10, 1},     {"corner f2 P1", 3, 10, 2},         {"corner f2 P2", 3, 20, 3},
        {"corner f1 P2", 1, 20, 4},     {"centre is the mean", 2, 15, 2.5}, {"edge P1 midway", 2, 10, 1.5},
        {"edge f2 midway", 3, 15, 2.5}, {"beyond f2 along P1", 5, 10, 3},   {"below P1 along f1", 1, 0, -2},
        {"beyond both", 5, 30, 1},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(BilinearInterpolate(1, 3, 10, 20, 1, 2, 3, 4, c.powerMw, c.frequencyGHz), c.expected,
                    1e-12);
    }
}

} // namespace
} // namespace tarvex
