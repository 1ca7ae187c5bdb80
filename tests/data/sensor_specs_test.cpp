// Frequency-independent sensor specifications: catalogue ranges, scalar specifications, temperature
// effect, the filter noise factor and the basic units.
#include <cmath>
#include <cstddef>
#include <optional>
#include <string_view>

#include <gtest/gtest.h>

#include "data/basic_unit_data.h"
#include "data/scalar_specs.h"
#include "data/sensor_catalogue.h"
#include "data/temperature_data.h"
#include "tests/data/data_test_support.h"

namespace tarvex {
namespace {

using test::ExpectLookup;
using test::ExpectNear;

// Single-precision constants (power limits, noise, drift) may differ from their decimals by 1e-7.
void ExpectSinglePrecision(std::optional<double> actual, double expected) {
    ExpectNear(actual, expected, 1e-7 * expected);
}

struct SensorRow {
    std::string_view sensor;
    double freqMinGHz, freqMaxGHz, powerMinW, powerMaxW; // range
    double linearityDb, noiseW, zeroDriftW, powerCoeffDbPerW;
    double tempBand1Db, tempBand2Db, tempBand3Db; // band 0 is 0 for every sensor
};

// Data sheet values of every sensor, in catalogue order.
constexpr SensorRow kSensorRows[] = {
    {"TS-101", 0.01, 18, 2E-10, 0.02, 0.03, 4E-11, 1E-10, 0, 0.015, 0.05, 0.09},
    {"TS-102", 0.01, 18, 2E-8, 0.5, 0.03, 4E-9, 1E-8, 0, 0.015, 0.05, 0.09},
    {"TS-103", 0.001, 2.5, 1E-10, 0.013, 0.03, 1.6E-11, 4E-11, 0, 0.015, 0.05, 0.09},
    {"TS-104", 0.0001, 6, 1E-10, 0.02, 0.03, 2E-11, 5E-11, 0, 0.015, 0.05, 0.09},
    {"TS-105", 0.0001, 6, 1E-8, 0.5, 0.03, 2E-9, 5E-9, 0, 0.015, 0.05, 0.09},
    {"TS-106", 0.05, 26.5, 4E-10, 0.02, 0.04, 8E-11, 2E-10, 0, 0.005, 0.02, 0.05},
    {"TS-107", 0.01, 13, 2E-10, 0.02, 0.03, 4E-11, 1E-10, 0, 0.015, 0.05, 0.09},
    {"TS-108", 0.01, 13, 2E-8, 0.5, 0.03, 4E-9, 1E-8, 0, 0.015, 0.05, 0.09},
    {"TS-109", 0.05, 40, 4E-10, 0.02, 0.04, 8E-11, 2E-10, 0, 0.005, 0.02, 0.05},
    {"TS-201", 0.03, 6, 1E-6, 0.02, 0, 3E-9, 3E-8, 0, 0.015, 0.05, 0.09},
    {"TS-202A", 0.03, 6, 1E-4, 2, 0, 3E-7, 3E-6, 0.044, 0.02, 0.06, 0.1},
    {"TS-202B", 0.03, 6, 1E-4, 2, 0, 4E-7, 4E-6, 0.044, 0.02, 0.06, 0.1},
    {"TS-203", 0.03, 6, 1E-3, 20, 0, 3E-6, 3E-5, 0.015, 0.02, 0.06, 0.11},
    {"TS-301", 0, 18, 1E-6, 0.1, 0.02, 2.2E-8, 6E-8, 0, 0.005, 0.02, 0.02},
    {"TS-302", 0, 26.5, 1E-6, 0.1, 0.02, 2.2E-8, 6E-8, 0, 0.005, 0.02, 0.02},
    {"TS-303", 0, 18, 1E-4, 10, 0.03, 2.2E-6, 6E-6, 0.011, 0.01, 0.03, 0.05},
    {"TS-304", 0, 18, 3E-4, 30, 0.03, 7E-6, 2E-5, 0.007, 0.01, 0.03, 0.05},
    {"TS-305", 0, 40, 1E-6, 0.1, 0.02, 2.2E-8, 6E-8, 0, 0.005, 0.02, 0.02},
};

void PrintTo(const SensorRow& row, std::ostream* out) {
    *out << row.sensor;
}

class SensorSpecs : public ::testing::TestWithParam<SensorRow> {};

TEST_P(SensorSpecs, CatalogueRange) {
    const SensorRow& row = GetParam();
    ExpectLookup(SensorFreqMin(row.sensor), row.freqMinGHz);
    ExpectLookup(SensorFreqMax(row.sensor), row.freqMaxGHz);
    ExpectSinglePrecision(SensorPowerMin(row.sensor), row.powerMinW);
    ExpectLookup(SensorPowerMax(row.sensor), row.powerMaxW);
}

TEST_P(SensorSpecs, ScalarSpecifications) {
    const SensorRow& row = GetParam();
    ExpectLookup(SensorLinearity(row.sensor), row.linearityDb);
    ExpectSinglePrecision(SensorNoise(row.sensor), row.noiseW);
    ExpectSinglePrecision(SensorZeroDrift(row.sensor), row.zeroDriftW);
    ExpectLookup(SensorPowerCoeff(row.sensor), row.powerCoeffDbPerW);
}

TEST_P(SensorSpecs, TemperatureEffectPerBand) {
    const SensorRow& row = GetParam();
    ExpectLookup(SensorTempEffect(row.sensor, 0), 0.0);
    ExpectLookup(SensorTempEffect(row.sensor, 1), row.tempBand1Db);
    ExpectLookup(SensorTempEffect(row.sensor, 2), row.tempBand2Db);
    ExpectLookup(SensorTempEffect(row.sensor, 3), row.tempBand3Db);
}

TEST_P(SensorSpecs, TemperatureBandOutsideZeroToThreeHasNoValue) {
    for (const int band : {-1, 4, 100}) {
        SCOPED_TRACE(band);
        ExpectLookup(SensorTempEffect(GetParam().sensor, band), std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(AllSensors, SensorSpecs, ::testing::ValuesIn(kSensorRows),
                         [](const auto& info) { return test::TestName(info.param.sensor); });

TEST(SensorCatalogue, ListOrderAndPositions) {
    ASSERT_EQ(std::size(kSensorRows), kSensorModels.size());
    for (std::size_t position = 0; position < kSensorModels.size(); ++position) {
        const std::string_view sensor = kSensorRows[position].sensor;
        SCOPED_TRACE(sensor);
        EXPECT_EQ(kSensorModels.at(position), sensor);
        EXPECT_EQ(SensorIndex(sensor), position);
    }
}

TEST(SensorCatalogueNoValue, UnknownIdentifiers) {
    for (const std::string_view sensor : test::kUnknownSensors) {
        SCOPED_TRACE(sensor);
        EXPECT_FALSE(SensorIndex(sensor).has_value());
        for (const auto& lookup : {SensorFreqMin, SensorFreqMax, SensorPowerMin, SensorPowerMax,
                                   SensorLinearity, SensorNoise, SensorZeroDrift, SensorPowerCoeff})
            ExpectLookup(lookup(sensor), std::nullopt);
        for (const int band : {0, 1, 2, 3})
            ExpectLookup(SensorTempEffect(sensor, band), std::nullopt);
    }
}

TEST(Log10, DecimalLogarithmAndLevelLimits) {
    struct Case {
        double x, expected;
    };
    constexpr Case kCases[] = {{0.02, -1.69897}, {30, 1.47712}, {1, 0}, {1E-10, -10}, {1000, 3}};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.x);
        EXPECT_NEAR(Log10(c.x), c.expected, 1e-5);
    }
    // Upper power limits of TS-101 and TS-304 as levels in dBm.
    EXPECT_NEAR(10 * Log10(0.02) + 30, 13.0103, 1e-4);
    EXPECT_NEAR(10 * Log10(30) + 30, 44.7712, 1e-4);
}

TEST(FilterNoiseFactor, EveryFilterNumber) {
    constexpr double kFactors[] = {51, 32, 23, 16, 11.3, 8, 5.6, 4, 2.8, 2, 1.4, 1, 0.7};
    for (int filter = 0; filter <= 12; ++filter) {
        SCOPED_TRACE(filter);
        ExpectLookup(FilterNoiseFactor(filter), kFactors[filter]);
    }
}

TEST(FilterNoiseFactorNoValue, OutsideZeroToTwelve) {
    for (const int filter : {-1, 13, 100})
        ExpectLookup(FilterNoiseFactor(filter), std::nullopt);
}

TEST(BasicUnitError, EveryUnitAndBand) {
    struct Row {
        std::string_view unit;
        double band1Db, band2Db, band3Db;
    };
    constexpr Row kRows[] = {
        {"BX-20", 0.013, 0.035, 0.057}, {"BX-10", 0.017, 0.039, 0.06}, {"VX-30", 0.017, 0.039, 0.06}};
    ASSERT_EQ(std::size(kRows), kBasicUnitModels.size());
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        const Row& row = kRows[i];
        SCOPED_TRACE(row.unit);
        EXPECT_EQ(kBasicUnitModels.at(i), row.unit);
        ExpectLookup(BasicUnitError(row.unit, 1), row.band1Db);
        ExpectLookup(BasicUnitError(row.unit, 2), row.band2Db);
        ExpectLookup(BasicUnitError(row.unit, 3), row.band3Db);
    }
}

TEST(BasicUnitErrorNoValue, UnknownUnitOrBand) {
    for (const std::string_view unit : kBasicUnitModels) {
        SCOPED_TRACE(unit);
        for (const int band : {0, -1, 4})
            ExpectLookup(BasicUnitError(unit, band), std::nullopt);
    }
    for (const std::string_view unit : {"", "bx-20", "BX-2", "BX-200", "TS-101"}) {
        SCOPED_TRACE(unit);
        ExpectLookup(BasicUnitError(unit, 1), std::nullopt);
    }
}

} // namespace
} // namespace tarvex
