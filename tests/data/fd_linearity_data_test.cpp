// Frequency-dependent linearity error and the bilinear interpolation behind it.
#include <array>
#include <cmath>
#include <optional>
#include <string_view>
#include <tuple>

#include <gtest/gtest.h>

#include "data/fd_linearity_data.h"

namespace tarvex {
namespace {

constexpr std::optional<double> kNone;
const auto Above = [](double f) { return std::nextafter(f, 1e9); };

// Expected percentages by hand: (1-u)(1-v)·c11 + u(1-v)·c21 + uv·c22 + (1-u)v·c12, u and v the relative
// position in the cell, P = 10^(level/10) mW.
TEST(FdLinearity, ValuesZerosAndGaps) {
    using Case = std::tuple<std::string_view, double, double, std::optional<double>>; // sensor, GHz, dBm, %
    // clang-format off
    const Case kCases[] = {
        {"TS-101", 5, 0, 0.2474747474747475},        {"TS-101", 10.5, 3, 3.4916253042379184},
        {"TS-101", 18, 3, 5.985643378693574},        {"TS-101", 18, 4, 6.170628810503192}, // lower, upper
        {"TS-101", 18, 13, 11.984207716562931},      {"TS-107", 13, 13, 9.986839763802443},
        {"TS-101", 18, -17, -0.0001435662130642475}, {"TS-102", 18, 3, -0.00014356621306425716}, // P < node
        {"TS-102", 18, 23, 5.985643378693572},       {"TS-102", 18, 24, 6.682515242012773},
        {"TS-102", 8, 27, 3.5059361681363623},       {"TS-108", 13, 27, 8.011872336272724}, // P > node
        {"TS-104", 6, 13, 9.989471811041954},        {"TS-105", 6, 27, 8.007914890848483},
        {"TS-106", 0.05, 3, 2.494018074455656},      {"TS-106", 0, 3, 3.325357432607541}, // first cell to DC
        {"TS-106", 14, 4, 0.5284381350838655},       {"TS-106", Above(14), 4, 1.5}, // exception corner
        {"TS-106", 20, 3, 0.9776550851866171},       {"TS-109", 20, 3, 1.272310669867233}, // none below
        {"TS-109", 12.4, 4, 1.0284381350838656},     {"TS-109", 12.5, 4, 2.00061822032791},
        {"TS-109", 40, 13, 7.984207716562932},
        // Fractional levels at the band edges: below the zero edge, just above the lower and upper tops.
        {"TS-101", 18, -17.5, 0.0}, {"TS-101", 18, 3.5, 6.0795737128561131}, {"TS-101", 18, 13.5, kNone},
        // Zero below the level bands at any frequency, in the low-frequency regions, and without a grid.
        {"TS-101", 30, -18, 0.0}, {"TS-102", 30, 2, 0.0},    {"TS-101", 4, 13, 0.0}, {"TS-104", 1.5, 13, 0.0},
        {"TS-105", 1.5, 27, 0.0}, {"TS-106", 0.21, 13, 0.0}, {"TS-109", 4, 13, 0.0}, {"TS-201", 3, 10, 0.0},
        {"TS-203", 6, 43, 0.0},   {"TS-305", 100, -70, 0.0},
        // No value above the level bands (also in the zero regions), above the last cell, and for TS-103.
        {"TS-101", 1, 14, kNone},  {"TS-106", 0.1, 14, kNone},        {"TS-102", 4, 28, kNone},
        {"TS-103", 5, -30, kNone}, {"TS-101", Above(18), 0, kNone},   {"TS-107", Above(13), 0, kNone},
        {"TS-104", Above(6), 0, kNone}, {"TS-106", Above(26.5), 0, kNone}, {"TS-109", Above(40), 0, kNone},
    };
    // clang-format on
    for (const auto& [sensor, f, level, expected] : kCases) {
        SCOPED_TRACE(testing::Message() << sensor << " at " << f << " GHz, " << level << " dBm");
        const std::optional<double> actual = SensorFdLinearity(sensor, f, level);
        if (expected)
            EXPECT_NEAR(actual.value_or(NAN), *expected, 1e-9);
        else
            EXPECT_EQ(actual, std::nullopt);
    }
}

// Cell 1 ... 3 GHz by 10 ... 20 mW with distinct corners c11 = 1, c21 = 2, c22 = 3, c12 = 4.
TEST(BilinearInterpolate, CornersCentreEdgesAndExtrapolation) {
    constexpr std::array<double, 3> kCases[] = {{1, 10, 1},   {3, 10, 2},   {3, 20, 3},   {1, 20, 4},
                                                {2, 15, 2.5}, {2, 10, 1.5}, {3, 15, 2.5}, {5, 10, 3},
                                                {1, 0, -2},   {5, 30, 1}};
    for (const auto& [f, powerMw, expected] : kCases)
        EXPECT_NEAR(BilinearInterpolate(1, 3, 10, 20, 1, 2, 3, 4, powerMw, f), expected, 1e-12)
            << f << " GHz, " << powerMw << " mW";
}

} // namespace
} // namespace tarvex
