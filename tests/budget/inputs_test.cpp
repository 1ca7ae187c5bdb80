#include "budget/inputs.h"

#include "budget/value_mappings.h"

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>
#include <vector>

namespace tarvex {
namespace {

// The scroll ranges of every sensor: frequency top ... bottom and level top ... bottom (dBm).
TEST(SensorRanges, LimitsBecomeScrollRanges) {
    const std::tuple<std::string_view, int, int, int, int> cases[] = {
        {"TS-101", 1818, 19, 13, -67}, {"TS-102", 1818, 19, 27, -47}, {"TS-103", 268, 10, 11, -70},
        {"TS-104", 618, 1, 13, -70},   {"TS-105", 618, 1, 27, -50},   {"TS-106", 2668, 23, 13, -64},
        {"TS-107", 1318, 19, 13, -67}, {"TS-108", 1318, 19, 27, -47}, {"TS-109", 4018, 23, 13, -64},
        {"TS-201", 618, 21, 13, -30},  {"TS-202A", 618, 21, 33, -10}, {"TS-202B", 618, 21, 33, -10},
        {"TS-203", 618, 21, 43, 0},    {"TS-301", 1818, 0, 20, -30},  {"TS-302", 2668, 0, 20, -30},
        {"TS-303", 1818, 0, 40, -10},  {"TS-304", 1818, 0, 45, -5},   {"TS-305", 4018, 0, 20, -30}};
    for (const auto& [sensor, frequencyTop, frequencyBottom, levelTop, levelBottom] : cases) {
        SCOPED_TRACE(sensor);
        const SensorScrollRange range = SensorScrollRangeOf(sensor);
        EXPECT_EQ(range.frequencyTop, frequencyTop);
        EXPECT_EQ(range.frequencyBottom, frequencyBottom);
        EXPECT_EQ(range.levelTop, levelTop);
        EXPECT_EQ(range.levelBottom, levelBottom);
    }
}

// The values a client may enter for a sensor: the catalogue's frequency limits and the bar's whole levels.
TEST(SensorInputLimits, CatalogueFrequenciesAndBarLevels) {
    const std::tuple<std::string_view, double, double, int, int> cases[] = {
        {"TS-301", 0.0, 18.0, -30, 20}, {"TS-104", 0.0001, 6.0, -70, 13}, {"TS-203", 0.03, 6.0, 0, 43}};
    for (const auto& [sensor, frequencyMin, frequencyMax, levelLowest, levelHighest] : cases) {
        SCOPED_TRACE(sensor);
        const std::optional<SensorInputLimits> limits = SensorInputLimitsOf(sensor);
        ASSERT_TRUE(limits.has_value());
        EXPECT_EQ(limits->frequencyMinGHz, frequencyMin);
        EXPECT_EQ(limits->frequencyMaxGHz, frequencyMax);
        EXPECT_EQ(limits->levelDbm.lowest, levelLowest);
        EXPECT_EQ(limits->levelDbm.highest, levelHighest);
    }
}

TEST(SensorInputLimits, NoneForAnUnknownIdentifier) {
    for (const std::string_view sensor : {"", "ts-301", "TS-301 ", "TS-3010"}) {
        SCOPED_TRACE(sensor);
        EXPECT_FALSE(SensorInputLimitsOf(sensor).has_value());
    }
}

// The window lists exactly these, and the resolution contribution knows every listed resolution.
TEST(InputLists, ListOrderAndStartSetup) {
    EXPECT_EQ(std::vector<std::string_view>(Resolutions().begin(), Resolutions().end()),
              (std::vector<std::string_view>{"0.1 dB", "0.01 dB", "0.001 dB"}));
    EXPECT_EQ(std::vector<std::string_view>(BasicUnitModels().begin(), BasicUnitModels().end()),
              (std::vector<std::string_view>{"BX-20", "BX-10", "VX-30"}));
    ASSERT_EQ(SensorModels().size(), 18U);
    EXPECT_EQ(SensorModels()[13], "TS-301");

    MeasurementSetup start;
    start.sensor = "TS-301";
    start.basicUnit = "BX-20";
    start.resolution = "0.01 dB";
    start.frequency = 18.0;
    start.filterNumber = 7;
    start.returnLossDb = 20.0;
    EXPECT_EQ(StartSetup(), start);
}

} // namespace
} // namespace tarvex
