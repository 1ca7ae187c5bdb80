#pragma once

#include <string>
#include <string_view>

namespace tarvex {

// Formats value with a pattern such as "0.000 dB", " 0.00 %", "0 °C" or "0.0 mW": the first run of '0'
// digit places (with an optional '.' and decimals) is replaced by the number, written with its whole
// integer part and exactly as many decimals as the pattern has; a '%' anywhere multiplies by 100; a
// negative result gets a leading '-'; every other character is copied unchanged. The decimal point is
// written as decimalSeparator. Halves round away from zero, judged on the value's 15 significant
// digits (the precision of a double), so that 0.0075 shows as 0.008 as a hand calculation would.
std::string FormatNumber(double value, std::string_view pattern, std::string_view decimalSeparator = ".");

} // namespace tarvex
