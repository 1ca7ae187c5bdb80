#pragma once

#include <optional>
#include <span>

namespace tarvex {

// One band of a frequency table: every f with lo <= f <= hi (GHz, both ends included) gives value.
struct Band {
    double lo;
    double hi;
    double value;
};

// The value of the first band, in listed order, that contains f; no value when none does (also for NaN).
// Shared edges therefore belong to the band listed first.
std::optional<double> FirstBandContaining(std::span<const Band> bands, double f);

// A data-sheet figure without value takes part in arithmetic as 0.
constexpr double ValueOrZero(std::optional<double> value) {
    return value.value_or(0.0);
}

} // namespace tarvex
