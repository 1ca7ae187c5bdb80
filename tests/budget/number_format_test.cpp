#include "budget/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace tarvex {
namespace {

struct FormatCase {
    const char* name;
    double value;
    std::string_view pattern;
    std::string_view separator;
    std::string_view expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.name;
}

class FormatNumberTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTest, WritesExpectedText) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatNumber(c.value, c.pattern, c.separator), c.expected);
}

std::string CaseName(const testing::TestParamInfo<FormatCase>& info) {
    return info.param.name;
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Digit places, decimals and the characters around the number.
INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatNumberTest,
    testing::Values(FormatCase{"ThreeDecimalsDb", 0.05, "0.000 dB", ".", "0.050 dB"},
                    FormatCase{"LeadingBlankKept", 0.05, " 0.000 dB", ".", " 0.050 dB"},
                    FormatCase{"WholeNumberRounded", 989.99999999, "0 MHz", ".", "990 MHz"},
                    FormatCase{"PlainDecimals", 1.2222222, "0.000", ".", "1.222"},
                    FormatCase{"MicroSignCopied", 10, "0 \u00b5W", ".", "10 \u00b5W"},
                    FormatCase{"NegativeDecimals", -0.25, "0.00 dB", ".", "-0.25 dB"},
                    FormatCase{"MinusLeadsWholeText", -0.05, " 0.000 dB", ".", "- 0.050 dB"},
                    FormatCase{"ExtraIntegerPlacesPad", 7, "000", ".", "007"},
                    FormatCase{"PointWithoutDecimalsCopied", 7, "0. dB", ".", "7. dB"},
                    FormatCase{"OnlyFirstFieldIsNumber", 1.5, "0.0 / 0.0", ".", "1.5 / 0.0"},
                    FormatCase{"NoDigitPlaceCopiesPattern", 3.0, "infinite", ".", "infinite"}),
    CaseName);

// Rounding to the shown decimals: halves away from zero on the decimal value, and a negative value that
// rounds to zero shows no sign.
INSTANTIATE_TEST_SUITE_P(
    Rounding, FormatNumberTest,
    testing::Values(FormatCase{"HalfUpThreeDecimals", 0.0075, "0.000", ".", "0.008"},
                    FormatCase{"HalfUpTwoDecimals", 0.125, "0.00", ".", "0.13"},
                    FormatCase{"HalfStoredBelow", 2.675, "0.00", ".", "2.68"},
                    FormatCase{"HalfToWholeOdd", 2.5, "0", ".", "3"},
                    FormatCase{"NegativeHalfAwayFromZero", -0.0075, "0.000", ".", "-0.008"},
                    FormatCase{"CarryIntoNewDigit", 9.9996, "0.000", ".", "10.000"},
                    FormatCase{"CarryFromNothing", 0.0006, "0.000", ".", "0.001"},
                    FormatCase{"NegativeRoundsToZero", -0.0001, "0.000", ".", "0.000"},
                    FormatCase{"NegativeZero", -0.0, "0.00 dB", ".", "0.00 dB"},
                    FormatCase{"Zero", 0.0, " 0.000 dB", ".", " 0.000 dB"},
                    FormatCase{"LargeIntegerInFull", 123456789012.0, "0 mW", ".", "123456789012 mW"},
                    FormatCase{"BeyondSignificantDigitsZeros", 1e20, "0.0", ".", "100000000000000000000.0"},
                    FormatCase{"ManyDecimalsPadded", 0.5, "0.0000000000000000000", ".",
                               "0.5000000000000000000"}),
    CaseName);

// Percent patterns scale by 100; the separator replaces the decimal point only.
INSTANTIATE_TEST_SUITE_P(PercentAndSeparator, FormatNumberTest,
                         testing::Values(FormatCase{"PercentTwoDecimals", 0.0069, "0.00 %", ".", "0.69 %"},
                                         FormatCase{"PercentOfUc", 0.011513, " 0.00 %", ".", " 1.15 %"},
                                         FormatCase{"PercentOneDecimal", 0.023026, "0.0 %", ".", "2.3 %"},
                                         FormatCase{"PercentHalf", 0.000125, "0.000 %", ".", "0.013 %"},
                                         FormatCase{"CommaSeparator", 0.05, " 0.000 dB", ",", " 0,050 dB"},
                                         FormatCase{"CommaPercent", 0.011513, "0.00 %", ",", "1,15 %"},
                                         FormatCase{"LongSeparator", 2.5, "0.0", "\u066b", "2\u066b5"}),
                         CaseName);

INSTANTIATE_TEST_SUITE_P(NonFinite, FormatNumberTest,
                         testing::Values(FormatCase{"PlusInfinity", kInf, "0 dB", ".", "inf dB"},
                                         FormatCase{"MinusInfinity", -kInf, "0.000 dB", ".", "-inf dB"},
                                         FormatCase{"NaNWithBlank", kNaN, " 0.000 dB", ".", " nan dB"},
                                         FormatCase{"PercentOverflow", 1e307, "0 %", ".", "inf %"}),
                         CaseName);

TEST(FormatNumberLargeValues, LargestIntegerPartWrittenInFull) {
    const std::string text = FormatNumber(1e300, "0 dB");
    ASSERT_EQ(text.size(), 301u + 3u);
    EXPECT_EQ(text.substr(0, 16), "1000000000000000");
    EXPECT_EQ(text.find_first_not_of('0', 1), 301u);

    const std::string largest = FormatNumber(std::numeric_limits<double>::max(), "0.00");
    EXPECT_EQ(largest.size(), 309u + 3u);
    EXPECT_EQ(largest.substr(0, 15), "179769313486232");
}

} // namespace
} // namespace tarvex
