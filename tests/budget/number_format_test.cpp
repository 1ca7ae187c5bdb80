#include "budget/number_format.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

namespace tarvex {
namespace {

TEST(FormatNumber, WritesExpectedText) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    // value, pattern, decimal separator, text
    const std::tuple<double, std::string_view, std::string_view, std::string> cases[] = {
        {0.05, " 0.000 dB", ".", " 0.050 dB"},         // text around the number is kept
        {989.99999999, "0 MHz", ".", "990 MHz"},       // no decimals
        {10, "0 \u00b5W", ".", "10 \u00b5W"},          // UTF-8 unit copied
        {-0.05, " 0.000 dB", ".", "- 0.050 dB"},       // the minus leads the whole text
        {7, "000", ".", "007"},                        // integer places pad
        {1.5, "0.0 / 0.0", ".", "1.5 / 0.0"},          // only the first field is the number
        {3.0, "infinite", ".", "infinite"},            // no digit place
        {0.0075, "0.000", ".", "0.008"},               // half judged on the decimal value
        {2.675, "0.00", ".", "2.68"},                  // half stored just below
        {2.5, "0", ".", "3"},                          // half away from zero, not to even
        {-0.0075, "0.000", ".", "-0.008"},             // negative half away from zero
        {9.9996, "0.000", ".", "10.000"},              // carry into a new digit
        {0.0006, "0.000", ".", "0.001"},               // carry from nothing
        {-0.0001, "0.000", ".", "0.000"},              // rounds to zero: no sign
        {-0.0, "0.00 dB", ".", "0.00 dB"},             // negative zero
        {1e20, "0.0", ".", "100000000000000000000.0"}, // zeros beyond 15 digits
        {1e300, "0 dB", ".", "1" + std::string(300, '0') + " dB"},
        {std::numeric_limits<double>::max(), "0.00", ".", "179769313486232" + std::string(294, '0') + ".00"},
        {0.5, "0.0000000000000000000", ".", "0.5000000000000000000"},
        {0.0069, "0.00 %", ".", "0.69 %"},     // percent scales by 100
        {0.000125, "0.000 %", ".", "0.013 %"}, // percent half
        {0.011513, "0.00 %", ",", "1,15 %"},   // separator
        {2.5, "0.0", "\u066b", "2\u066b5"},    // multi-byte separator
        {kInf, "0 dB", ".", "inf dB"},         // non-finite
        {-kInf, "0.000 dB", ".", "-inf dB"},
        {std::numeric_limits<double>::quiet_NaN(), " 0.000 dB", ".", " nan dB"},
        {1e307, "0 %", ".", "inf %"}, // percent overflows
    };
    for (const auto& [value, pattern, separator, expected] : cases) {
        SCOPED_TRACE(testing::Message() << value << " as " << pattern);
        EXPECT_EQ(FormatNumber(value, pattern, separator), expected);
    }
}

// A shown text read back: the digits as written, their value and the unit after one blank; anything that
// is not a number followed by nothing or a unit reads as none.
TEST(ReadShownNumber, ReadsNumberAndUnitOrNothing) {
    // text, decimal separator, digits|decimals|unit or "" for none, value
    const std::tuple<std::string_view, std::string_view, std::string, double> cases[] = {
        {"0.060 dB", ".", "0.060|3|dB", 0.06},
        {"1,38 %", ",", "1,38|2|%", 1.38},
        {"-40 dBc", ".", "-40|0|dBc", -40.0},
        {"0.079", ".", "0.079|3|", 0.079},
        {"22 \u00b0C", ".", "22|0|\u00b0C", 22.0},
        {"2\u066b5 mW", "\u066b", "2\u066b5|1|mW", 2.5},
        {"7.", ".", "", 0},       // a separator without decimals is no number
        {"0,060 dB", ".", "", 0}, // another separator than the one written with
        {"TS-301", ".", "", 0},   // identifiers, keywords and non-finite texts stay texts
        {"infinite", ".", "", 0},
        {"1.0 / 2.0", ".", "", 0}, // more than a unit after the number
        {"5  dB", ".", "", 0},
    };
    for (const auto& [text, separator, expected, value] : cases) {
        SCOPED_TRACE(text);
        const std::optional<ShownNumber> shown = ReadShownNumber(text, separator);
        EXPECT_EQ(shown ? shown->digits + '|' + std::to_string(shown->decimals) + '|' + shown->unit : "",
                  expected);
        if (shown) {
            EXPECT_EQ(shown->value, value);
        }
    }
}

} // namespace
} // namespace tarvex
