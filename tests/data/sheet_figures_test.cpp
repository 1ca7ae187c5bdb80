// Frequency-independent tables at their ends, and no value from every lookup for an identifier outside
// the catalogue. The sensors' scalar data is checked through the worked examples of the calculators.
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
#include "data/sensor_catalogue.h"
#include "data/sensor_match_data.h"
#include "data/sheet_figures.h"
#include "data/temperature_data.h"

namespace tarvex {
namespace {

// The catalogue's order is the window's list order: the start selection (row 13) is TS-301.
static_assert(kSensorModels.front() == "TS-101" && kSensorModels[13] == "TS-301" &&
              kSensorModels.back() == "TS-305");

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
