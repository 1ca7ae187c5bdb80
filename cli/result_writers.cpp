#include "cli/result_writers.h"

#include <algorithm>
#include <vector>

namespace tarvex::cli {
namespace {

void Put(std::string_view text, std::FILE* out) {
    std::fwrite(text.data(), 1, text.size(), out);
}

class CsvWriter final : public RowWriter {
public:
    explicit CsvWriter(std::FILE* out)
        : m_out(out) {}

    void Begin() override {
        Put("id", m_out);
        for (const std::string& column : BatchResultColumns()) {
            Put(",", m_out);
            Put(column, m_out);
        }
        Put("\n", m_out);
    }

    void Row(std::string_view id, std::span<const std::string> results, std::string_view error) override {
        Field(id);
        for (std::size_t i = 0; i < kResultCount; ++i) {
            Put(",", m_out);
            Field(results.empty() ? std::string_view() : results[i]);
        }
        Put(",", m_out);
        Field(error);
        Put("\n", m_out);
    }

private:
    static constexpr std::size_t kResultCount = kContributionCount + 3;

    // Quoted when it holds a comma, quote or line break, or when a reader could drop its outer blanks
    // (" 0.075 dB" keeps its leading blank).
    void Field(std::string_view text) {
        const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                           (!text.empty() && (text.front() == ' ' || text.back() == ' ' ||
                                              text.front() == '\t' || text.back() == '\t'));
        if (!quote) {
            Put(text, m_out);
            return;
        }
        Put("\"", m_out);
        for (std::size_t quoteAt = text.find('"'); quoteAt != std::string_view::npos;
             quoteAt = text.find('"')) {
            Put(text.substr(0, quoteAt + 1), m_out);
            Put("\"", m_out);
            text.remove_prefix(quoteAt + 1);
        }
        Put(text, m_out);
        Put("\"", m_out);
    }

    std::FILE* m_out;
};

class JsonLinesWriter final : public RowWriter {
public:
    JsonLinesWriter(ValueStyle style, std::FILE* out)
        : m_style(style)
        , m_out(out)
        , m_keys(BatchResultColumns()) {}

    void Begin() override {}

    void Row(std::string_view id, std::span<const std::string> results, std::string_view error) override {
        Put("{\"id\":", m_out);
        String(id);
        for (std::size_t i = 0; i + 1 < m_keys.size(); ++i) {
            Put(",\"", m_out);
            Put(m_keys[i], m_out);
            Put("\":", m_out);
            const std::string_view value = results.empty() ? std::string_view() : results[i];
            if (value.empty()) {
                Put("null", m_out);
            } else if (m_style == ValueStyle::display) {
                String(value);
            } else {
                Number(value);
            }
        }
        Put(",\"error\":", m_out);
        if (error.empty()) {
            Put("null", m_out);
        } else {
            String(error);
        }
        Put("}\n", m_out);
    }

private:
    // A JSON string; the texts are UTF-8, so only quotes, backslashes and control characters need escapes.
    void String(std::string_view text) {
        Put("\"", m_out);
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                const char escaped[] = {'\\', c};
                Put(std::string_view(escaped, 2), m_out);
            } else if (byte < 0x20U) {
                constexpr std::string_view kHex = "0123456789abcdef";
                const char escaped[] = {'\\', 'u', '0', '0', kHex[byte >> 4U], kHex[byte & 0xFU]};
                Put(std::string_view(escaped, sizeof escaped), m_out);
            } else {
                std::fputc(c, m_out);
            }
        }
        Put("\"", m_out);
    }

    // A shortest decimal is a JSON number, except for the infinities and NaN, which JSON cannot hold.
    void Number(std::string_view text) {
        const bool finite = text.find_first_of("in") == std::string_view::npos;
        Put(finite ? text : "null", m_out);
    }

    ValueStyle m_style;
    std::FILE* m_out;
    std::vector<std::string> m_keys; // result columns, error last
};

// Characters a terminal shows, for aligning columns: every UTF-8 lead byte starts one.
std::size_t Width(std::string_view text) {
    return static_cast<std::size_t>(
        std::ranges::count_if(text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U; }));
}

} // namespace

std::unique_ptr<RowWriter> MakeRowWriter(OutputFormat format, ValueStyle style, std::FILE* out) {
    if (format == OutputFormat::jsonl) {
        return std::make_unique<JsonLinesWriter>(style, out);
    }
    return std::make_unique<CsvWriter>(out);
}

std::string BudgetTable(const BudgetDescription& description) {
    struct Line {
        std::string_view caption;
        std::string_view mark;
        std::string_view text;
    };
    std::vector<Line> lines;
    for (const DescribedRow& row : description.inputs) {
        lines.push_back({row.caption, "", row.text});
    }
    lines.push_back({});
    for (const DescribedContribution& row : description.contributions) {
        lines.push_back({row.caption, row.included ? "[x]" : "[ ]", row.text});
    }
    lines.push_back({});
    lines.push_back({description.combined.caption, "", description.combined.text});
    lines.push_back({description.expanded.caption, "", description.expanded.text});
    if (description.systematic) {
        lines.push_back({description.systematic->caption, "", description.systematic->text});
    }

    std::size_t captionWidth = 0;
    for (const Line& line : lines) {
        captionWidth = std::max(captionWidth, Width(line.caption));
    }
    std::string table;
    for (const Line& line : lines) {
        if (!line.caption.empty()) {
            table.append(line.caption).append(captionWidth - Width(line.caption) + 2, ' ');
            table.append(line.mark).append(4 - line.mark.size(), ' ').append(line.text);
        }
        table += '\n';
    }
    return table;
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

} // namespace tarvex::cli
