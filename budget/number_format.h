#pragma once

#include <string>
#include <string_view>

namespace tarvex {

// Formats value with a pattern such as "0.000 dB", " 0.00 %", "0 °C" or "0.0 mW": the first run of '0'
// digit places (with an optional '.' and decimals) is replaced by the number, written with its whole
// integer part (zero-padded to the number of integer places) and exactly as many decimals as the pattern
// has; a '%' anywhere multiplies by 100 (once); every other byte is copied unchanged, so UTF-8 units pass
// through. The decimal point is written as decimalSeparator. Halves round away from zero, judged on the
// value's 15 significant digits (the precision of a double), so that 0.0075 shows as 0.008 as a hand
// calculation would. A negative value gets a leading '-' in front of the whole text, unless it rounds to
// zero ("0.000", never "-0.000"). Infinities and NaN take the number's place as "inf" ("-inf") and
// "nan". A pattern without any '0' is returned as it stands.
std::string FormatNumber(double value, std::string_view pattern, std::string_view decimalSeparator = ".");

} // namespace tarvex
