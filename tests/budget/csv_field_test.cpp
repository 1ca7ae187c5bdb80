#include "budget/csv_field.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvex {
namespace {

// Quotes only where a reader needs them; an apostrophe before what a spreadsheet would run as a formula.
TEST(CsvField, QuotingAndFormulaGuard) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"", ""},
        {"TS-301", "TS-301"},
        {"0.01 dB", "0.01 dB"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {" 0.075 dB", "\" 0.075 dB\""},
        {"x\t", "\"x\t\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\r", "\"cr\r\""},
        {"-40", "-40"},
        {"+1.5e3", "+1.5e3"},
        {"-.5", "-.5"},
        {"-0.5 dB", "'-0.5 dB"},
        {"=1+1", "'=1+1"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"+", "'+"},
        {"-inf", "'-inf"},
        {"\tx", "'\tx"},
        {"\rx", "\"'\rx\""},
        {"=A1,\"b\"", "\"'=A1,\"\"b\"\"\""},
    };
    for (const auto& [text, field] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(CsvField(text), field);
    }
}

} // namespace
} // namespace tarvex
