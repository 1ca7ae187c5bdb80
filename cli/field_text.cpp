#include "cli/field_text.h"

#include <algorithm>

namespace tarvex::cli {
namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Letter case, blanks, hyphens and underscores do not tell identifiers apart for a suggestion.
std::string Normalised(std::string_view text) {
    std::string normal;
    for (const char c : text) {
        if (c != ' ' && c != '-' && c != '_' && c != '\t') {
            normal.push_back(Lower(c));
        }
    }
    return normal;
}

// True when b is a with one character inserted, removed or replaced.
bool OneEditApart(std::string_view a, std::string_view b) {
    if (a.size() > b.size()) {
        std::swap(a, b);
    }
    if (b.size() - a.size() > 1) {
        return false;
    }
    const auto [ia, ib] = std::ranges::mismatch(a, b);
    const auto restA = static_cast<std::size_t>(ia - a.begin());
    const std::size_t skipA = a.size() == b.size() ? restA + 1 : restA;
    return skipA >= a.size() ? true : a.substr(skipA) == b.substr(restA + 1);
}

} // namespace

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return Lower(x) == Lower(y); });
}

bool IsDecimalNumber(std::string_view text) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
        }
        return i - start;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t mantissaDigits = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (digits() == 0) {
            return false;
        }
    }
    return i == text.size();
}

bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80U) {
            ++i;
            continue;
        }
        // Length of the sequence and the range its second byte must fall in (this excludes overlong
        // forms, surrogates and code points above U+10FFFF).
        std::size_t length = 0;
        unsigned char low = 0x80U;
        unsigned char high = 0xBFU;
        if (lead >= 0xC2U && lead <= 0xDFU) {
            length = 2;
        } else if (lead >= 0xE0U && lead <= 0xEFU) {
            length = 3;
            low = lead == 0xE0U ? 0xA0U : 0x80U;
            high = lead == 0xEDU ? 0x9FU : 0xBFU;
        } else if (lead >= 0xF0U && lead <= 0xF4U) {
            length = 4;
            low = lead == 0xF0U ? 0x90U : 0x80U;
            high = lead == 0xF4U ? 0x8FU : 0xBFU;
        } else {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            if (byte < (k == 1 ? low : 0x80U) || byte > (k == 1 ? high : 0xBFU)) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

std::string Quoted(std::string_view text) {
    text = Trimmed(text);
    constexpr std::size_t kLongest = 40; // characters
    std::string quoted = "'";
    const bool utf8 = IsUtf8(text);
    std::size_t characters = 0;
    for (const char byte : text) {
        const auto c = static_cast<unsigned char>(byte);
        if (((c & 0xC0U) != 0x80U || !utf8) && ++characters > kLongest) {
            quoted += "\u2026";
            break;
        }
        if (c < 0x20U || c == 0x7FU || (c >= 0x80U && !utf8)) {
            constexpr std::string_view kHex = "0123456789abcdef";
            quoted.append("\\x").append(1, kHex[c >> 4U]).append(1, kHex[c & 0xFU]);
        } else {
            quoted.push_back(static_cast<char>(c));
        }
    }
    return quoted + "'";
}

std::string_view NearestChoice(std::string_view text, std::span<const std::string_view> choices) {
    const std::string normal = Normalised(text);
    std::string_view near;
    int nearCount = 0;
    for (const std::string_view choice : choices) {
        const std::string choiceNormal = Normalised(choice);
        if (choiceNormal == normal) {
            return choice;
        }
        // One typing error, or the start of a longer name ("0.01" for "0.01 dB", "level" for "level_dbm").
        if (OneEditApart(normal, choiceNormal) || (normal.size() >= 3 && choiceNormal.starts_with(normal))) {
            near = choice;
            ++nearCount;
        }
    }
    return nearCount == 1 ? near : std::string_view();
}

} // namespace tarvex::cli
