#include "budget/csv_field.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace tarvex {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number as a spreadsheet reads one: optional sign, digits with an optional fraction, optional
// exponent.
bool IsNumber(std::string_view text) {
    const std::string_view digits =
        !text.empty() && (text.front() == '-' || text.front() == '+') ? text.substr(1) : text;
    if (digits.empty() || !(IsDigit(digits.front()) || digits.front() == '.')) {
        return false;
    }
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::general);
    return end == digits.data() + digits.size() &&
           (error == std::errc() || error == std::errc::result_out_of_range);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

bool LooksLikeFormula(std::string_view text) {
    constexpr std::string_view kFormulaStarts = "=+-@\t\r";
    return !text.empty() && kFormulaStarts.find(text.front()) != std::string_view::npos && !IsNumber(text);
}

void AppendCsvField(std::string& line, std::string_view text) {
    const bool guarded = LooksLikeFormula(text);
    const bool quoted = !text.empty() && ((!guarded && IsBlank(text.front())) || IsBlank(text.back()) ||
                                          std::ranges::any_of(text, [](char c) {
                                              return c == kCsvSeparator || c == '"' || c == '\r' || c == '\n';
                                          }));
    if (quoted) {
        line += '"';
    }
    if (guarded) {
        line += '\'';
    }
    if (!quoted) {
        line.append(text);
        return;
    }
    for (const char c : text) {
        line.append(c == '"' ? 2 : 1, c);
    }
    line += '"';
}

std::string CsvField(std::string_view text) {
    std::string field;
    AppendCsvField(field, text);
    return field;
}

} // namespace tarvex
