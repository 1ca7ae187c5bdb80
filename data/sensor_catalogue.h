#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace tarvex {

// The Tarvex sensor family in catalogue order. TS-1xx are diode sensors, TS-2xx diode sensors for
// high power, TS-3xx thermal sensors. Every per-sensor table tests the identifiers in this order.
inline constexpr std::array<std::string_view, 18> kSensorModels{
    "TS-101", "TS-102",  "TS-103",  "TS-104", "TS-105", "TS-106", "TS-107", "TS-108", "TS-109",
    "TS-201", "TS-202A", "TS-202B", "TS-203", "TS-301", "TS-302", "TS-303", "TS-304", "TS-305"};

// Catalogue position (0-based) of an identifier, matched exactly and case-sensitively; no value for
// any other text.
std::optional<std::size_t> SensorIndex(std::string_view sensor);

// Frequency range in GHz (a lower limit of 0 means down to DC) and power range in W.
std::optional<double> SensorFreqMin(std::string_view sensor);
std::optional<double> SensorFreqMax(std::string_view sensor);
std::optional<double> SensorPowerMin(std::string_view sensor);
std::optional<double> SensorPowerMax(std::string_view sensor);

// Decimal logarithm as ln(x) / ln(10), unrounded. Callers pass x > 0. Not std::log10: the two differ in
// the last bit for most arguments (Log10(1000) is 2.9999999999999996, Log10(0.02) -1.6989700043360185
// against -1.6989700043360187), and every contribution and the exact batch columns carry these digits;
// the quotient of natural logarithms is the computation the budget's values are defined by.
double Log10(double x);

} // namespace tarvex
