#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tarvex {

// The basic units (power meters that read the sensor), in list order.
inline constexpr std::array<std::string_view, 3> kBasicUnitModels{"BX-20", "BX-10", "VX-30"};

// Uncertainty of the basic unit in dB for temperature band 1, 2 or 3 (18 ... 28, 10 ... 40, 0 ... 50 °C);
// no value for an unknown unit or any other band.
std::optional<double> BasicUnitError(std::string_view basicUnit, int tempBand);

} // namespace tarvex
