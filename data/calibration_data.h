#pragma once

#include <optional>
#include <string_view>

namespace tarvex {

// Expanded calibration uncertainty in dB at frequency f (GHz); TS-201, TS-202A, TS-202B and TS-203 also
// read the level (dBm) against a threshold. No value outside the sensor's bands or for unknown sensors.
std::optional<double> SensorCalUncertainty(std::string_view sensor, double frequencyGHz, double levelDbm);

} // namespace tarvex
