#pragma once

#include "budget/measurement_setup.h"

#include <optional>
#include <span>
#include <string_view>

namespace tarvex {

// What an input of a measurement may be: the lists to choose from and the range of every number. The
// window builds its lists and scroll ranges from here and the command line checks its input against
// it, so that the two can never disagree on what is allowed.

// The choices, in the order the window lists them: the 18 sensors in catalogue order, the three basic
// units, and the display resolutions as the texts that the resolution contribution reads.
std::span<const std::string_view> SensorModels();
std::span<const std::string_view> BasicUnitModels();
std::span<const std::string_view> Resolutions();

// Whole numbers from lowest to highest, both included.
struct WholeRange {
    int lowest;
    int highest;

    constexpr bool Contains(int value) const { return lowest <= value && value <= highest; }
};

// The ranges that do not depend on the sensor: those of the window's filter, harmonics, temperature
// and source-match bars. The lower temperature limit may not exceed the upper one.
struct FixedInputLimits {
    WholeRange filterNumber;
    WholeRange harmonicDbc;  // both harmonics, dBc
    WholeRange temperatureC; // both limits, °C
    double returnLossMinDb;  // source return loss; any value in between, not only tenths
    double returnLossMaxDb;
    WholeRange returnLossTenths; // the source-match bar's positions, tenths of a dB
};

inline constexpr FixedInputLimits kFixedInputLimits{
    .filterNumber = {0, 12},
    .harmonicDbc = {-80, -10},
    .temperatureC = {0, 50},
    .returnLossMinDb = 0.0,
    .returnLossMaxDb = 60.0,
    .returnLossTenths = {0, 600},
};

// A sensor's range on the window's bars. The top end of each bar is the larger number: the frequency
// position of the upper frequency limit and the highest whole level in dBm.
struct SensorScrollRange {
    int frequencyTop;    // vsbFrequenz position of the upper frequency limit
    int frequencyBottom; // ... of the lower frequency limit (0 for a sensor down to DC)
    int levelTop;        // highest level, dBm: the upper power limit rounded to whole dBm
    int levelBottom;     // lowest level, dBm
};

// The bar ranges of a sensor from its catalogue limits. An unknown identifier has no limits, which count
// as 0 W and 0 GHz (frequency positions 0, levels clamped to the lowest position).
SensorScrollRange SensorScrollRangeOf(std::string_view sensor);

// The inputs of one sensor as values: the frequency in GHz anywhere between the catalogue limits (0 is
// DC), and the level in whole dBm inside the bar's range. No value for an unknown identifier.
struct SensorInputLimits {
    double frequencyMinGHz;
    double frequencyMaxGHz;
    WholeRange levelDbm;
};
std::optional<SensorInputLimits> SensorInputLimitsOf(std::string_view sensor);

// The setup the window shows after start: TS-301 on BX-20 at 0.01 dB resolution, 18 GHz, 0 dBm, 20 dB
// return loss, filter 7, harmonics -40 and -50 dBc, 22 ... 24 °C, every contribution included, dB,
// mismatch probable, linearity error statistical.
MeasurementSetup StartSetup();

} // namespace tarvex
