#pragma once

#include "budget/inputs.h"
#include "budget/measurement_setup.h"
#include "budget/uncertainty_budget.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tarvex {

// A sweep evaluates one setup over the positions of one input while every other input stays: the
// frequency bar's positions (x in GHz, as the window maps them) or whole levels (x in dBm).
enum class SweepAxis : std::uint8_t { frequency, level };

// One evaluated position of a sweep.
struct SweepPoint {
    int position; // frequency bar position, or level in dBm
    double x;     // GHz (0 is DC) or dBm
    UncertaintyBudget budget;
};

// The positions of a sensor's range on an axis, lowest first: the frequency positions between its
// catalogue limits, or every whole dBm of its level range. No value for an unknown sensor.
std::optional<WholeRange> SweepRangeOf(std::string_view sensor, SweepAxis axis);

// The setup evaluated at every position of `positions`, lowest first; positions without a value (the
// frequency bar has none below 0) are left out.
std::vector<SweepPoint> Sweep(const MeasurementSetup& setup, SweepAxis axis, WholeRange positions);

// The setup evaluated over its sensor's whole range on an axis; empty for an unknown sensor.
std::vector<SweepPoint> SweepSensorRange(const MeasurementSetup& setup, SweepAxis axis);

} // namespace tarvex
