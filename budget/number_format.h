#pragma once

#include <optional>
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

// A text as FormatNumber writes it, read back as its number and the unit after it, for documents that hand
// a spreadsheet the number itself: "0.060 dB" is 0.06 with three decimals and the unit "dB", "-40 dBc" is
// -40 with none, "0.079" has no unit. Shown with `decimals` places, the value reads exactly as the text.
struct ShownNumber {
    double value = 0.0; // the digits as written: the number rounded as shown
    int decimals = 0;   // places after the decimal separator
    std::string digits; // the number as written, with its decimal separator ("0,060")
    std::string unit;   // what follows the number and one blank; empty when nothing follows
};

// None for a text that does not begin with a number ("TS-301", "infinite", "inf dB") or has more than a
// unit after it.
std::optional<ShownNumber> ReadShownNumber(std::string_view text, std::string_view decimalSeparator = ".");

} // namespace tarvex
