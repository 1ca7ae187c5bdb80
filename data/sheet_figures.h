#pragma once

#include <optional>
#include <string_view>

namespace tarvex {

// Data-sheet figures of a sensor that depend on nothing but the sensor. Zeros are real zeros, not missing
// values.
std::optional<double> SensorLinearity(std::string_view sensor);  // linearity error, dB
std::optional<double> SensorNoise(std::string_view sensor);      // noise power, W
std::optional<double> SensorZeroDrift(std::string_view sensor);  // zero drift, W
std::optional<double> SensorPowerCoeff(std::string_view sensor); // power coefficient, dB per W

// Factor by which the filter number (0 ... 12) scales the sensor noise; no value outside 0 ... 12.
std::optional<double> FilterNoiseFactor(int filterNumber);

} // namespace tarvex
