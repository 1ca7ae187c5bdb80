// Frequency-independent data at the points worked examples use, and no value from every lookup for an
// identifier outside the catalogue.
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

// The catalogue's order is the window's list order: the start selection (row 13) is TS-301.
static_assert(kSensorModels.front() == "TS-101" && kSensorModels[13] == "TS-301" &&
              kSensorModels.back() == "TS-305");

// Values that worked examples of the budget rest on: TS-101's drift, noise and temperature effects, the
// 0.02 W limit that gives the 13 dBm level end, and the thermal sensors' power coefficient.
TEST(SensorSpecs, ValuesBehindTheWorkedExamples) {
    const std::tuple<const char*, std::optional<double>, double> cases[] = {
        {"TS-101 zero drift (W)", SensorZeroDrift("TS-101"), 1e-10},
        {"TS-101 noise (W)", SensorNoise("TS-101"), 4e-11},
        {"TS-101 upper power (W)", SensorPowerMax("TS-101"), 0.02},
        {"TS-104 lower frequency (GHz)", SensorFreqMin("TS-104"), 0.0001},
        {"TS-106 linearity (dB)", SensorLinearity("TS-106"), 0.04},
        {"TS-303 power coefficient (dB/W)", SensorPowerCoeff("TS-303"), 0.011},
        {"TS-101 temperature band 0 (dB)", SensorTempEffect("TS-101", 0), 0.0},
        {"TS-101 temperature band 2 (dB)", SensorTempEffect("TS-101", 2), 0.05},
        {"TS-301 temperature band 3 (dB)", SensorTempEffect("TS-301", 3), 0.02}};
    for (const auto& [name, actual, expected] : cases) {
        EXPECT_NEAR(actual.value_or(NAN), expected, 1e-7 * expected) << name;
    }
    EXPECT_EQ(SensorTempEffect("TS-101", -1), std::nullopt);
    EXPECT_EQ(SensorTempEffect("TS-101", 4), std::nullopt);
}

TEST(Log10, DecimalLogarithm) {
    const std::pair<double, double> kCases[] = {
        {0.02, -1.69897}, {30, 1.47712}, {1, 0}, {1E-10, -10}, {1000, 3}};
    for (const auto& [x, expected] : kCases)
        EXPECT_NEAR(Log10(x), expected, 1e-5) << x;
}

TEST(FilterNoiseFactor, EndsOfTheTable) {
    const std::pair<int, double> kCases[] = {{0, 51}, {4, 11.3}, {11, 1}, {12, 0.7}};
    for (const auto& [filter, expected] : kCases)
        EXPECT_EQ(FilterNoiseFactor(filter), expected) << "filter " << filter;
    for (const int filter : {13, -1})
        EXPECT_EQ(FilterNoiseFactor(filter), std::nullopt) << "filter " << filter;
}

// Basic-unit errors of the three temperature bands (18 ... 28, 10 ... 40, 0 ... 50 °C).
TEST(BasicUnitError, KnownUnitsInBandsOneToThree) {
    const std::tuple<std::string_view, int, double> kCases[] = {
        {"BX-20", 1, 0.013}, {"BX-20", 3, 0.057}, {"BX-10", 2, 0.039}, {"VX-30", 3, 0.06}};
    for (const auto& [unit, band, expectedDb] : kCases)
        EXPECT_EQ(BasicUnitError(unit, band), expectedDb) << unit << " band " << band;
}

TEST(BasicUnitError, NoValueOutsideTheBandsOrForAnotherIdentifier) {
    const std::pair<std::string_view, int> kCases[] = {{"BX-10", 0}, {"VX-30", 4},  {"BX-20", -1},
                                                       {"bx-20", 1}, {"BX-200", 1}, {"TS-101", 1}};
    for (const auto& [unit, band] : kCases)
        EXPECT_EQ(BasicUnitError(unit, band), std::nullopt) << unit << " band " << band;
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
