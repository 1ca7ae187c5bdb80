#include "budget/value_mappings.h"

#include "budget/measurement_setup.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

namespace tarvex {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(FrequencyPositions, GridPointsBothWaysAndNoValueOutside) {
    const std::pair<double, int> cases[] = {{0.0, 0},    {0.0001, 1},  {0.0009, 9},  {0.001, 10},
                                            {0.009, 18}, {0.01, 19},   {0.03, 21},   {1.0, 118},
                                            {2.5, 268},  {18.0, 1818}, {26.5, 2668}, {49.82, 5000}};
    for (const auto& [frequencyGHz, position] : cases) {
        SCOPED_TRACE(position);
        EXPECT_NEAR(Freq_to_vsb(frequencyGHz).value_or(-1.0), position, 1e-9);
        EXPECT_DOUBLE_EQ(vsb_to_Freq(position).value_or(-1.0), frequencyGHz);
    }
    for (double f : {0.00005, -0.0001, kNaN, -kInf}) {
        EXPECT_FALSE(Freq_to_vsb(f).has_value()) << f;
    }
    EXPECT_FALSE(vsb_to_Freq(-1).has_value());
    EXPECT_FALSE(vsb_to_Freq(std::numeric_limits<int>::min()).has_value());
}

TEST(FrequencyPositions, EveryPositionSurvivesTheRoundTrip) {
    for (int v = 0; v <= 5000; ++v) {
        const double f = vsb_to_Freq(v).value_or(kNaN);
        ASSERT_EQ(pos(Freq_to_vsb(f).value_or(-1.0)), v) << "frequency " << f;
    }
}

// Halves to the even neighbour, then the 16-bit clamp; NaN gives 0. A power limit's level position is
// defined for every power.
TEST(PositionRounding, NearestEvenClampedToSixteenBits) {
    const std::pair<double, std::int16_t> cases[] = {
        {0.5, 0},        {1.5, 2},         {2.5, 2},      {-0.5, 0},          {-1.5, -2},      {0.50001, 1},
        {-66.9897, -67}, {32767.6, 32767}, {kInf, 32767}, {-32768.5, -32768}, {-kInf, -32768}, {kNaN, 0}};
    for (const auto& [x, expected] : cases) {
        SCOPED_TRACE(x);
        EXPECT_EQ(pos(x), expected);
    }
    EXPECT_EQ(LevelPosition(0.0), -32768);
    EXPECT_EQ(LevelPosition(-0.001), 0);
    EXPECT_EQ(LevelPosition(kNaN), 0);
}

// Frequency positions, levels (whole, or with the decimals they need) and powers; each power decade
// boundary belongs to the row above it.
TEST(Readouts, FrequencyLevelAndPower) {
    using Readout = std::string (*)(double, std::string_view);
    constexpr Readout FrequencyAt = [](double position, std::string_view separator) {
        return FrequencyReadout(static_cast<int>(position), separator);
    };
    const std::tuple<Readout, double, std::string_view, std::string_view> cases[] = {
        {FrequencyAt, 118, ".", "1.00 GHz"},     {FrequencyAt, 117, ".", "990 MHz"},
        {FrequencyAt, 10, ".", "1 MHz"},         {FrequencyAt, 9, ".", "900 kHz"},
        {FrequencyAt, -3, ".", "0 kHz"},         {FrequencyAt, 2668, ",", "26,50 GHz"},
        {LevelReadout, -30, ",", "-30 dBm"},     {PowerReadout, 45, ".", "31623 mW"},
        {PowerReadout, 10, ".", "10 mW"},        {PowerReadout, 9, ".", "7.9 mW"},
        {PowerReadout, 0, ".", "1.0 mW"},        {PowerReadout, -1, ".", "794 \u00b5W"},
        {PowerReadout, -20, ".", "10 \u00b5W"},  {PowerReadout, -30, ".", "1.0 \u00b5W"},
        {PowerReadout, -50, ".", "10 nW"},       {PowerReadout, -60, ".", "1.0 nW"},
        {PowerReadout, -61, ".", "794 pW"},      {PowerReadout, -32768, ".", "0 pW"},
        {PowerReadout, -25, ",", "3,2 \u00b5W"}, {LevelReadout, -10.5, ".", "-10.5 dBm"},
        {LevelReadout, 3.25, ",", "3,25 dBm"},   {LevelReadout, 0.1234, ".", "0.123 dBm"},
        {PowerReadout, 9.5, ".", "8.9 mW"}};
    for (const auto& [readout, input, separator, expected] : cases) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(readout(input, separator), expected);
    }
}

// Return-loss positions in tenths of a dB: return loss, reflection coefficient and VSWR.
TEST(Readouts, Impedance) {
    const std::tuple<int, std::string_view, std::string_view> cases[] = {{0, ".", "0.0 dB 1.000 infinite"},
                                                                         {200, ".", "20.0 dB 0.100 1.222"},
                                                                         {600, ".", "60.0 dB 0.001 1.002"},
                                                                         {200, ",", "20,0 dB 0,100 1,222"}};
    for (const auto& [position, separator, expected] : cases) {
        const ImpedanceReadouts r = ImpedanceReadout(position, separator);
        EXPECT_EQ(r.returnLoss + ' ' + r.reflectionCoefficient + ' ' + r.vswr, expected);
    }
    EXPECT_NEAR(SourceMatch(ReturnLossFromPosition(200)), 0.1, 1e-15);
    EXPECT_EQ(SourceMatch(ReturnLossFromPosition(std::numeric_limits<int>::min())), kInf);
}

} // namespace
} // namespace tarvex
