#pragma once

#include <optional>
#include <string_view>

namespace tarvex {

// Temperature bands: 0 = 22 ... 24 °C, 1 = 18 ... 28 °C, 2 = 10 ... 40 °C, 3 = 0 ... 50 °C.
// The sensor's temperature effect in dB for a band; no value for an unknown sensor or band.
std::optional<double> SensorTempEffect(std::string_view sensor, int tempBand);

} // namespace tarvex
