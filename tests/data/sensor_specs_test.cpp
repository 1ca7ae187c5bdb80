// Frequency-independent data, and no value from every lookup for an identifier outside the catalogue.
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

#include "data/basic_unit_data.h"
#include "data/calibration_data.h"
#include "data/fd_linearity_data.h"
#include "data/harmonics_data.h"
#include "data/scalar_specs.h"
#include "data/sensor_catalogue.h"
#include "data/sensor_match_data.h"
#include "data/temperature_data.h"

namespace tarvex {
namespace {

// Catalogue range, scalar specifications and temperature effect of bands 1 to 3, in catalogue order. Power
// limits, noise and drift may be single-precision constants, so values match to 1e-7 relative.
TEST(SensorSpecs, EverySensorInCatalogueOrder) {
    using Row = std::pair<std::string_view, std::array<double, 11>>;
    // clang-format off
    // f min, f max (GHz); P min, P max (W); linearity (dB); noise, drift (W); coeff. (dB/W); temp 1-3 (dB)
    constexpr Row kRows[] = {
        {"TS-101", {0.01, 18, 2E-10, 0.02, 0.03, 4E-11, 1E-10, 0, 0.015, 0.05, 0.09}},
        {"TS-102", {0.01, 18, 2E-8, 0.5, 0.03, 4E-9, 1E-8, 0, 0.015, 0.05, 0.09}},
        {"TS-103", {0.001, 2.5, 1E-10, 0.013, 0.03, 1.6E-11, 4E-11, 0, 0.015, 0.05, 0.09}},
        {"TS-104", {0.0001, 6, 1E-10, 0.02, 0.03, 2E-11, 5E-11, 0, 0.015, 0.05, 0.09}},
        {"TS-105", {0.0001, 6, 1E-8, 0.5, 0.03, 2E-9, 5E-9, 0, 0.015, 0.05, 0.09}},
        {"TS-106", {0.05, 26.5, 4E-10, 0.02, 0.04, 8E-11, 2E-10, 0, 0.005, 0.02, 0.05}},
        {"TS-107", {0.01, 13, 2E-10, 0.02, 0.03, 4E-11, 1E-10, 0, 0.015, 0.05, 0.09}},
        {"TS-108", {0.01, 13, 2E-8, 0.5, 0.03, 4E-9, 1E-8, 0, 0.015, 0.05, 0.09}},
        {"TS-109", {0.05, 40, 4E-10, 0.02, 0.04, 8E-11, 2E-10, 0, 0.005, 0.02, 0.05}},
        {"TS-201", {0.03, 6, 1E-6, 0.02, 0, 3E-9, 3E-8, 0, 0.015, 0.05, 0.09}},
        {"TS-202A", {0.03, 6, 1E-4, 2, 0, 3E-7, 3E-6, 0.044, 0.02, 0.06, 0.1}},
        {"TS-202B", {0.03, 6, 1E-4, 2, 0, 4E-7, 4E-6, 0.044, 0.02, 0.06, 0.1}},
        {"TS-203", {0.03, 6, 1E-3, 20, 0, 3E-6, 3E-5, 0.015, 0.02, 0.06, 0.11}},
        {"TS-301", {0, 18, 1E-6, 0.1, 0.02, 2.2E-8, 6E-8, 0, 0.005, 0.02, 0.02}},
        {"TS-302", {0, 26.5, 1E-6, 0.1, 0.02, 2.2E-8, 6E-8, 0, 0.005, 0.02, 0.02}},
        {"TS-303", {0, 18, 1E-4, 10, 0.03, 2.2E-6, 6E-6, 0.011, 0.01, 0.03, 0.05}},
        {"TS-304", {0, 18, 3E-4, 30, 0.03, 7E-6, 2E-5, 0.007, 0.01, 0.03, 0.05}},
        {"TS-305", {0, 40, 1E-6, 0.1, 0.02, 2.2E-8, 6E-8, 0, 0.005, 0.02, 0.02}},
    };
    // clang-format on
    ASSERT_EQ(std::size(kRows), kSensorModels.size());
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        const auto& [s, want] = kRows[i];
        SCOPED_TRACE(s);
        EXPECT_EQ(kSensorModels[i], s);
        EXPECT_EQ(SensorIndex(s), i);
        const std::optional<double> got[] = {
            SensorFreqMin(s),       SensorFreqMax(s),       SensorPowerMin(s),     SensorPowerMax(s),
            SensorLinearity(s),     SensorNoise(s),         SensorZeroDrift(s),    SensorPowerCoeff(s),
            SensorTempEffect(s, 1), SensorTempEffect(s, 2), SensorTempEffect(s, 3)};
        for (std::size_t k = 0; k < want.size(); ++k)
            EXPECT_NEAR(got[k].value_or(NAN), want[k], 1e-7 * want[k]) << "column " << k;
        EXPECT_EQ(SensorTempEffect(s, 0), 0.0);
        EXPECT_EQ(SensorTempEffect(s, -1), std::nullopt);
        EXPECT_EQ(SensorTempEffect(s, 4), std::nullopt);
    }
}

TEST(Log10, DecimalLogarithm) {
    const std::pair<double, double> kCases[] = {
        {0.02, -1.69897}, {30, 1.47712}, {1, 0}, {1E-10, -10}, {1000, 3}};
    for (const auto& [x, expected] : kCases)
        EXPECT_NEAR(Log10(x), expected, 1e-5) << x;
}

TEST(FilterNoiseFactor, EndsOfTheTable) {
    const std::pair<int, std::optional<double>> kCases[] = {
        {0, 51}, {4, 11.3}, {11, 1}, {12, 0.7}, {13, std::nullopt}, {-1, std::nullopt}};
    for (const auto& [filter, expected] : kCases)
        EXPECT_EQ(FilterNoiseFactor(filter), expected) << "filter " << filter;
}

TEST(BasicUnitError, KnownUnitsInBandsOneToThreeOnly) {
    constexpr std::optional<double> kNone;
    const std::tuple<std::string_view, int, std::optional<double>> kCases[] = {
        {"BX-20", 1, 0.013},  {"BX-20", 3, 0.057}, {"BX-10", 2, 0.039},  {"VX-30", 3, 0.06},
        {"BX-10", 0, kNone},  {"VX-30", 4, kNone}, {"BX-20", -1, kNone}, {"bx-20", 1, kNone},
        {"BX-200", 1, kNone}, {"TS-101", 1, kNone}};
    for (const auto& [unit, band, expectedDb] : kCases)
        EXPECT_EQ(BasicUnitError(unit, band), expectedDb) << unit << " band " << band;
}

TEST(UnknownIdentifier, NoValueFromEveryLookup) {
    for (const std::string_view id : {"", "ts-101", "TS-1010", "TS-10", "TS-101 ", "BX-20"}) {
        SCOPED_TRACE('"' + std::string(id) + '"');
        EXPECT_EQ(SensorIndex(id), std::nullopt);
        // clang-format off
        const std::optional<double> got[] = {SensorFreqMin(id), SensorFreqMax(id), SensorPowerMin(id),
            SensorPowerMax(id), SensorLinearity(id), SensorNoise(id), SensorZeroDrift(id),
            SensorPowerCoeff(id), SensorTempEffect(id, 1), SensorCalUncertainty(id, 1, 0), SensorGamma(id, 1),
            SensorFdLinearity(id, 1, -30), Harmonics2fError(id, 1e-3, -20), Harmonics3fError(id, 1e-3, -20)};
        // clang-format on
        for (std::size_t k = 0; k < std::size(got); ++k)
            EXPECT_EQ(got[k], std::nullopt) << "lookup " << k;
    }
}

} // namespace
} // namespace tarvex
