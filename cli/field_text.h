#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tarvex::cli {

// How the texts of a batch field or an option are read and quoted back in messages.

// The text without the blanks (spaces and tabs) around it. Inline: a batch trims every field of every row,
// and nearly all of them have no blanks.
inline std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Whether two texts are equal apart from the letter case of A ... Z.
bool SameIgnoringCase(std::string_view a, std::string_view b);

// A number as people and spreadsheets write it: optional sign, digits with an optional fraction (or a
// fraction alone), optional exponent. No hexadecimal, infinity or NaN.
bool IsDecimalNumber(std::string_view text);

// Whether text is well-formed UTF-8 (no overlong forms, surrogates or code points above U+10FFFF).
bool IsUtf8(std::string_view text);

// A text shortened for a message: blanks around it dropped, control characters (and every byte of text
// that is not UTF-8) escaped, and cut after 40 characters with an ellipsis.
std::string Quoted(std::string_view text);

// The closest of `choices` to a mistyped `text`: the one that is the same apart from letter case, blanks,
// hyphens and underscores; else the only one that is one edit away or begins with the text. Empty when
// there is none.
std::string_view NearestChoice(std::string_view text, std::span<const std::string_view> choices);

} // namespace tarvex::cli
