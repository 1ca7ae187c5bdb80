#pragma once

#include <optional>
#include <string_view>

namespace tarvex {

// Magnitude of the sensor's input reflection coefficient at frequency f (GHz); no value outside its bands.
std::optional<double> SensorGamma(std::string_view sensor, double frequencyGHz);

} // namespace tarvex
