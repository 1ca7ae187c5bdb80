#include "budget/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace tarvex {
namespace {

// Where the number goes in a pattern: the first run of '0' integer places, then optionally '.' and a run
// of '0' decimal places. A pattern without any '0' has no number field and is copied as it stands.
struct NumberField {
    std::size_t begin = std::string_view::npos; // first byte of the field
    std::size_t end = 0;                        // one past its last byte
    std::size_t integerPlaces = 0;
    std::size_t decimals = 0;
};

NumberField FindNumberField(std::string_view pattern) {
    NumberField field;
    field.begin = pattern.find('0');
    if (field.begin == std::string_view::npos) {
        return field;
    }
    std::size_t i = field.begin;
    while (i < pattern.size() && pattern[i] == '0') {
        ++i;
    }
    field.integerPlaces = i - field.begin;
    if (i + 1 < pattern.size() && pattern[i] == '.' && pattern[i + 1] == '0') {
        std::size_t j = i + 1;
        while (j < pattern.size() && pattern[j] == '0') {
            ++j;
        }
        field.decimals = j - i - 1;
        i = j;
    }
    field.end = i;
    return field;
}

// Significant decimal digits of a double: 15 is what a double holds reliably, so a value such as 0.0075
// (stored as 0.00749999...) rounds as the decimal number it was written as.
constexpr int kSignificantDigits = 15;

// The magnitude of a finite value rounded to `decimals` places, as the decimal digits of
// |value| * 10^decimals (at least one digit, no sign).
std::string RoundedDigits(double magnitude, std::size_t decimals) {
    // Scientific notation "d.dddddddddddddde+XXX"; std::to_chars ignores the locale.
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    std::array<char, kSignificantDigits> digits{};
    std::size_t count = 0;
    const char* p = buffer.data();
    for (; p != result.ptr && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && count < digits.size()) {
            digits[count++] = *p;
        }
    }
    // The exponent as to_chars writes it: a sign and at least two digits.
    long exponent = 0;
    if (p != result.ptr) {
        std::from_chars(p + 2, result.ptr, exponent);
        exponent = p[1] == '-' ? -exponent : exponent;
    }

    // The value is 0.d1d2...d15 * 10^(exponent + 1); keep the digits down to the last decimal place.
    const long keep = exponent + 1 + static_cast<long>(decimals);
    if (keep < 0) {
        return "0";
    }
    std::string kept(digits.data(), static_cast<std::size_t>(std::min<long>(keep, kSignificantDigits)));
    if (keep < kSignificantDigits) {
        // Half away from zero: the first dropped digit decides.
        if (digits[static_cast<std::size_t>(keep)] >= '5') {
            std::size_t i = kept.size();
            while (i > 0 && kept[i - 1] == '9') {
                kept[--i] = '0';
            }
            if (i == 0) {
                kept.insert(kept.begin(), '1');
            } else {
                ++kept[i - 1];
            }
        }
    } else {
        kept.append(static_cast<std::size_t>(keep - kSignificantDigits), '0');
    }
    return kept.empty() ? std::string("0") : kept;
}

bool AllZero(std::string_view digits) {
    return digits.find_first_not_of('0') == std::string_view::npos;
}

void AppendNumber(std::string& out, std::string_view digits, const NumberField& field,
                  std::string_view decimalSeparator) {
    // digits holds |value| * 10^decimals; split it into integer part and decimals.
    const std::size_t integerLength = digits.size() > field.decimals ? digits.size() - field.decimals : 0;
    const std::size_t integerWidth = std::max<std::size_t>(integerLength, field.integerPlaces);
    out.append(integerWidth - integerLength, '0');
    out.append(digits.substr(0, integerLength));
    if (field.decimals > 0) {
        out.append(decimalSeparator);
        out.append(field.decimals - (digits.size() - integerLength), '0');
        out.append(digits.substr(integerLength));
    }
}

} // namespace

std::string FormatNumber(double value, std::string_view pattern, std::string_view decimalSeparator) {
    const NumberField field = FindNumberField(pattern);
    if (field.begin == std::string_view::npos) {
        return std::string(pattern);
    }
    if (pattern.find('%') != std::string_view::npos) {
        value *= 100.0;
    }

    std::string out; // short enough to need no memory of its own, like nearly every shown value
    if (!std::isfinite(value)) {
        if (std::isinf(value) && value < 0) {
            out.push_back('-');
        }
        out.append(pattern.substr(0, field.begin));
        out.append(std::isnan(value) ? "nan" : "inf");
    } else {
        const std::string digits = RoundedDigits(std::fabs(value), field.decimals);
        // A value that rounds to zero is shown as zero, never as "-0.000".
        if (std::signbit(value) && !AllZero(digits)) {
            out.push_back('-');
        }
        out.append(pattern.substr(0, field.begin));
        AppendNumber(out, digits, field, decimalSeparator);
    }
    out.append(pattern.substr(field.end));
    return out;
}

namespace {

std::size_t DigitRun(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
        ++end;
    }
    return end - from;
}

} // namespace

std::optional<ShownNumber> ReadShownNumber(std::string_view text, std::string_view decimalSeparator) {
    const std::size_t sign = (!text.empty() && text.front() == '-') ? 1 : 0;
    const std::size_t integerLength = DigitRun(text, sign);
    if (integerLength == 0) {
        return std::nullopt;
    }
    std::size_t end = sign + integerLength;
    std::string plain(text.substr(0, end)); // with '.' as from_chars reads it
    ShownNumber shown;
    if (!decimalSeparator.empty() && text.substr(end, decimalSeparator.size()) == decimalSeparator) {
        const std::size_t decimals = DigitRun(text, end + decimalSeparator.size());
        if (decimals > 0) {
            plain += '.';
            plain += text.substr(end + decimalSeparator.size(), decimals);
            end += decimalSeparator.size() + decimals;
            shown.decimals = static_cast<int>(decimals);
        }
    }
    const std::string_view rest = text.substr(end);
    // A unit is one word after one blank, without digits: "dB", "%", "\u00b0C", "\u00b5W".
    const bool unitFollows = rest.size() > 1 && rest.front() == ' ' &&
                             rest.find_first_of(" 0123456789", 1) == std::string_view::npos;
    if (!rest.empty() && !unitFollows) {
        return std::nullopt;
    }
    const auto read = std::from_chars(plain.data(), plain.data() + plain.size(), shown.value);
    if (read.ec != std::errc() || !std::isfinite(shown.value)) {
        return std::nullopt;
    }
    shown.digits = std::string(text.substr(0, end));
    shown.unit = std::string(rest.empty() ? rest : rest.substr(1));
    return shown;
}

} // namespace tarvex
