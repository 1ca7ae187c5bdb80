// Calibration uncertainty and reflection coefficient where a wrong entry, comparison or band order shows.
#include <cmath>
#include <optional>
#include <string_view>
#include <tuple>

#include <gtest/gtest.h>

#include "data/calibration_data.h"
#include "data/sensor_match_data.h"

namespace tarvex {
namespace {

constexpr std::optional<double> kNone;
const auto Above = [](double f) { return std::nextafter(f, 1e9); };
const auto Below = [](double f) { return std::nextafter(f, -1e9); };

TEST(FrequencyBands, ProbePoints) {
    // sensor, f (GHz), level (dBm), calibration uncertainty (dB), reflection coefficient
    using Case = std::tuple<std::string_view, double, double, std::optional<double>, std::optional<double>>;
    // clang-format off
    const Case kCases[] = {
        // Both ends belong to a band, and a shared edge to the band listed first; TS-1xx ignore the level.
        {"TS-101", 1, 0, 0.07, 0.03},              {"TS-101", 2, -70, 0.07, 0.06},
        {"TS-101", Above(2), 45, 0.08, 0.12},      {"TS-203", Above(2.4), 40, 0.14, 0.099},
        // Lowest frequency; DC belongs to the thermal sensors only; NaN is in no band.
        {"TS-101", 0.01, 0, 0.07, 0.03},           {"TS-101", Below(0.01), 0, kNone, kNone},
        {"TS-104", 0, 0, kNone, kNone},            {"TS-301", 0, 0, 0.088, 0.048},
        {"TS-301", Below(0), 0, kNone, kNone},     {"TS-301", NAN, 0, kNone, kNone},
        // The thermal sensors' 0.088 dB band 0 ... 0.05 GHz is listed last.
        {"TS-301", 0.02, 0, 0.088, 0.048},         {"TS-301", 0.03, 0, 0.05, 0.048},
        {"TS-302", Below(0.05), 0, 0.088, 0.048},  {"TS-304", 0.05, 0, 0.08, 0.052},
        // Single-frequency band 0.03 GHz first; level <= threshold (10, 30, 30, 40 dBm) picks the lower list.
        {"TS-201", 0.03, 10, 0.05, 0.024},         {"TS-201", Above(0.03), 11, 0.06, 0.024},
        {"TS-201", Below(0.03), 10, kNone, kNone}, {"TS-201", 4, 10, 0.11, 0.09},
        {"TS-201", 4, 11, 0.15, 0.09},             {"TS-201", 6, 11, 0.16, 0.15},
        {"TS-202A", 4, 30, 0.13, 0.052},           {"TS-202A", Above(4), 31, 0.2, 0.099},
        {"TS-202B", 0.03, 30, 0.08, 0.052},        {"TS-202B", 0.03, 31, 0.09, 0.052},
        {"TS-203", 4, 40, 0.14, 0.099},            {"TS-203", 4, 41, 0.18, 0.099},
        // A fractional level above the threshold picks the upper list.
        {"TS-201", 4, 10.5, 0.15, 0.09},           {"TS-201", 4, 9.5, 0.11, 0.09},
        // The top band's upper edge belongs to it; above it, no value.
        {"TS-101", 18, 0, 0.15, 0.17},             {"TS-101", Above(18), 0, kNone, kNone},
        {"TS-305", 40, 0, 0.1, 0.13},              {"TS-305", Above(40), 0, kNone, kNone},
    };
    // clang-format on
    for (const auto& [sensor, f, level, calDb, gamma] : kCases) {
        SCOPED_TRACE(testing::Message() << sensor << " at " << f << " GHz, " << level << " dBm");
        EXPECT_EQ(SensorCalUncertainty(sensor, f, level), calDb);
        EXPECT_EQ(SensorGamma(sensor, f), gamma);
    }
}

} // namespace
} // namespace tarvex
