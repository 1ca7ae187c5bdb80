#include "budget/value_mappings.h"

#include "data/sensor_catalogue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Frequency in GHz and its scroll position; every row lies on the position grid.
struct GridPoint {
    double frequencyGHz;
    int position;
};

constexpr GridPoint kGridPoints[] = {
    {0.0, 0},     {0.0001, 1},  {0.0009, 9},  {0.001, 10},   {0.009, 18}, {0.01, 19},
    {0.03, 21},   {0.05, 23},   {1.0, 118},   {2.5, 268},    {6.0, 618},  {13.0, 1318},
    {18.0, 1818}, {26.5, 2668}, {40.0, 4018}, {49.82, 5000},
};

TEST(FrequencyPositions, FrequencyToPositionOnGrid) {
    for (const GridPoint& p : kGridPoints) {
        SCOPED_TRACE(p.frequencyGHz);
        const std::optional<double> position = Freq_to_vsb(p.frequencyGHz);
        ASSERT_TRUE(position.has_value());
        EXPECT_NEAR(*position, p.position, 1e-9);
    }
}

TEST(FrequencyPositions, PositionToFrequencyOnGrid) {
    for (const GridPoint& p : kGridPoints) {
        SCOPED_TRACE(p.position);
        const std::optional<double> f = vsb_to_Freq(p.position);
        ASSERT_TRUE(f.has_value());
        EXPECT_DOUBLE_EQ(*f, p.frequencyGHz);
    }
}

TEST(FrequencyPositions, OutsideTheScaleHasNoValue) {
    for (const double f : {0.00005, 1e-300, -0.0001, -18.0, kNaN, -kInf}) {
        SCOPED_TRACE(f);
        EXPECT_FALSE(Freq_to_vsb(f).has_value());
    }
    for (const int v : {-1, -5000, std::numeric_limits<int>::min()}) {
        SCOPED_TRACE(v);
        EXPECT_FALSE(vsb_to_Freq(v).has_value());
    }
}

TEST(FrequencyPositions, EveryPositionSurvivesTheRoundTrip) {
    for (int v = 0; v <= 5000; ++v) {
        const std::optional<double> f = vsb_to_Freq(v);
        ASSERT_TRUE(f.has_value()) << v;
        ASSERT_EQ(pos(Freq_to_vsb(*f).value_or(-1.0)), v) << "frequency " << *f;
    }
}

struct PosCase {
    double x;
    std::int16_t expected;
};

// Halves to the even neighbour, then the 16-bit clamp; NaN has no position and gives 0.
TEST(PositionRounding, NearestEvenClampedToSixteenBits) {
    const PosCase cases[] = {
        {0.5, 0},      {1.5, 2},           {2.5, 2},        {-0.5, 0},        {-1.5, -2},
        {0.50001, 1},  {44.7712, 45},      {-66.9897, -67}, {32767.4, 32767}, {32767.6, 32767},
        {kInf, 32767}, {-32768.5, -32768}, {-kInf, -32768}, {kNaN, 0},
    };
    for (const PosCase& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(pos(c.x), c.expected);
    }
}

// The scroll ranges of every sensor: frequency top ... bottom and level top ... bottom (dBm).
struct SensorRange {
    std::string_view sensor;
    int frequencyTop;
    int frequencyBottom;
    int levelTop;
    int levelBottom;
};

constexpr SensorRange kSensorRanges[] = {
    {"TS-101", 1818, 19, 13, -67}, {"TS-102", 1818, 19, 27, -47}, {"TS-103", 268, 10, 11, -70},
    {"TS-104", 618, 1, 13, -70},   {"TS-105", 618, 1, 27, -50},   {"TS-106", 2668, 23, 13, -64},
    {"TS-107", 1318, 19, 13, -67}, {"TS-108", 1318, 19, 27, -47}, {"TS-109", 4018, 23, 13, -64},
    {"TS-201", 618, 21, 13, -30},  {"TS-202A", 618, 21, 33, -10}, {"TS-202B", 618, 21, 33, -10},
    {"TS-203", 618, 21, 43, 0},    {"TS-301", 1818, 0, 20, -30},  {"TS-302", 2668, 0, 20, -30},
    {"TS-303", 1818, 0, 40, -10},  {"TS-304", 1818, 0, 45, -5},   {"TS-305", 4018, 0, 20, -30},
};

TEST(SensorRanges, LimitsBecomeScrollRanges) {
    for (const SensorRange& r : kSensorRanges) {
        SCOPED_TRACE(r.sensor);
        EXPECT_EQ(pos(Freq_to_vsb(SensorFreqMax(r.sensor).value_or(0.0)).value_or(0.0)), r.frequencyTop);
        EXPECT_EQ(pos(Freq_to_vsb(SensorFreqMin(r.sensor).value_or(0.0)).value_or(0.0)), r.frequencyBottom);
        EXPECT_EQ(LevelPosition(SensorPowerMax(r.sensor).value_or(0.0)), r.levelTop);
        EXPECT_EQ(LevelPosition(SensorPowerMin(r.sensor).value_or(0.0)), r.levelBottom);
    }
}

TEST(SensorRanges, PowersWithoutLogarithmStayDefined) {
    EXPECT_EQ(LevelPosition(0.0), -32768);
    EXPECT_EQ(LevelPosition(-0.001), 0);
    EXPECT_EQ(LevelPosition(kNaN), 0);
    EXPECT_EQ(LevelPosition(kInf), 32767);
}

TEST(SourceMatch, ReturnLossPositionToReflectionCoefficient) {
    const struct {
        int position;
        double expected;
    } cases[] = {{0, 1.0}, {60, 0.501187}, {200, 0.1}, {600, 0.001}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_NEAR(SourceMatchFromPosition(c.position), c.expected, c.expected * 1e-6);
    }
    EXPECT_EQ(SourceMatchFromPosition(std::numeric_limits<int>::min()), kInf);
}

struct ReadoutCase {
    int input;
    std::string_view separator;
    std::string_view expected;
};

TEST(Readouts, Frequency) {
    const ReadoutCase cases[] = {{1818, ".", "18.00 GHz"}, {118, ".", "1.00 GHz"},  {117, ".", "990 MHz"},
                                 {19, ".", "10 MHz"},      {10, ".", "1 MHz"},      {9, ".", "900 kHz"},
                                 {1, ".", "100 kHz"},      {0, ".", "0 kHz"},       {-3, ".", "0 kHz"},
                                 {2668, ",", "26,50 GHz"}, {4018, ",", "40,00 GHz"}};
    for (const ReadoutCase& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(FrequencyReadout(c.input, c.separator), c.expected);
    }
}

TEST(Readouts, PowerDecadeBoundariesBelongToTheRowAbove) {
    const ReadoutCase cases[] = {
        {45, ".", "31623 mW"},     {10, ".", "10 mW"},       {9, ".", "7.9 mW"},        {0, ".", "1.0 mW"},
        {-1, ".", "794 \u00b5W"},  {-20, ".", "10 \u00b5W"}, {-30, ".", "1.0 \u00b5W"}, {-50, ".", "10 nW"},
        {-60, ".", "1.0 nW"},      {-61, ".", "794 pW"},     {-70, ".", "100 pW"},      {-32768, ".", "0 pW"},
        {-25, ",", "3,2 \u00b5W"},
    };
    for (const ReadoutCase& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(PowerReadout(c.input, c.separator), c.expected);
    }
}

TEST(Readouts, Impedance) {
    const struct {
        int position;
        std::string_view separator;
        std::string_view returnLoss;
        std::string_view reflection;
        std::string_view vswr;
    } cases[] = {
        {200, ".", "20.0 dB", "0.100", "1.222"}, {600, ".", "60.0 dB", "0.001", "1.002"},
        {0, ".", "0.0 dB", "1.000", "infinite"}, {95, ".", "9.5 dB", "0.335", "2.007"},
        {200, ",", "20,0 dB", "0,100", "1,222"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        const ImpedanceReadouts readouts = ImpedanceReadout(c.position, c.separator);
        EXPECT_EQ(readouts.returnLoss, c.returnLoss);
        EXPECT_EQ(readouts.reflectionCoefficient, c.reflection);
        EXPECT_EQ(readouts.vswr, c.vswr);
    }
}

TEST(Readouts, WholeNumberInputs) {
    EXPECT_EQ(LevelReadout(-30, ","), "-30 dBm");
    EXPECT_EQ(HarmonicReadout(-40), "-40 dBc");
    EXPECT_EQ(TemperatureReadout(22), "22 \u00b0C");
    EXPECT_EQ(FilterReadout(7), "7");
}

} // namespace
} // namespace tarvex
