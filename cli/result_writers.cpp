#include "cli/result_writers.h"

#include "budget/csv_field.h"

#include <algorithm>
#include <vector>

namespace tarvex::cli {
namespace {

// Rows are put together in memory and written in one piece: a write call per field costs more than
// evaluating the budget.
void Flush(std::string& line, std::FILE* out) {
    std::fwrite(line.data(), 1, line.size(), out);
    line.clear();
}

class CsvWriter final : public RowWriter {
public:
    CsvWriter(ValueStyle style, std::FILE* out, std::optional<CoverageMethod> coverage)
        : m_style(style)
        , m_out(out)
        , m_columns(BatchResultColumns(coverage)) {}

    void Begin(std::span<const std::string> carriedColumns) override {
        m_line = "id";
        for (const std::string& column : carriedColumns) {
            m_line += kCsvSeparator;
            Field(column);
        }
        m_line.append(1, kCsvSeparator).append(InfoOf(Input::unit).column);
        for (const std::string& column : m_columns) {
            m_line.append(1, kCsvSeparator).append(column);
        }
        m_line += kCsvLineEnd;
        Flush(m_line, m_out);
    }

    void Row(const ResultRow& row) override {
        Field(row.id);
        for (const std::string_view field : row.carried) {
            m_line += kCsvSeparator;
            Field(field);
        }
        m_line.append(1, kCsvSeparator).append(row.unit);        // a keyword never needs quotes
        for (std::size_t i = 0; i + 1 < m_columns.size(); ++i) { // the error column comes last
            m_line += kCsvSeparator;
            if (row.results.empty()) {
                continue;
            }
            if (m_style == ValueStyle::exact) {
                m_line += row.results[i]; // a number never needs quotes
            } else {
                Field(row.results[i]);
            }
        }
        m_line += kCsvSeparator;
        Field(row.error);
        m_line += kCsvLineEnd;
        Flush(m_line, m_out);
    }

private:
    void Field(std::string_view text) { AppendCsvField(m_line, text); }

    ValueStyle m_style;
    std::FILE* m_out;
    std::vector<std::string> m_columns; // result columns, error last
    std::string m_line;
};

class JsonLinesWriter final : public RowWriter {
public:
    JsonLinesWriter(ValueStyle style, std::FILE* out, std::optional<CoverageMethod> coverage)
        : m_style(style)
        , m_out(out)
        , m_keys(BatchResultColumns(coverage)) {}

    void Begin(std::span<const std::string> carriedColumns) override {
        m_carriedKeys.assign(carriedColumns.begin(), carriedColumns.end());
    }

    void Row(const ResultRow& row) override {
        m_line = "{\"id\":";
        String(row.id);
        for (std::size_t i = 0; i < m_carriedKeys.size() && i < row.carried.size(); ++i) {
            Key(m_carriedKeys[i]);
            StringOrNull(row.carried[i]);
        }
        Key(InfoOf(Input::unit).column);
        StringOrNull(row.unit);
        for (std::size_t i = 0; i + 1 < m_keys.size(); ++i) {
            Key(m_keys[i]);
            const std::string_view value = row.results.empty() ? std::string_view() : row.results[i];
            if (value.empty()) {
                m_line += "null";
            } else if (m_style == ValueStyle::display) {
                String(value);
            } else {
                Number(value);
            }
        }
        Key("error");
        StringOrNull(row.error);
        m_line += "}\n";
        Flush(m_line, m_out);
    }

private:
    // A JSON string; the texts are UTF-8, so only quotes, backslashes and control characters need escapes.
    void String(std::string_view text) {
        m_line += '"';
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                m_line.append(1, '\\').append(1, c);
            } else if (byte < 0x20U) {
                constexpr std::string_view kHex = "0123456789abcdef";
                m_line.append("\\u00").append(1, kHex[byte >> 4U]).append(1, kHex[byte & 0xFU]);
            } else {
                m_line += c;
            }
        }
        m_line += '"';
    }

    void Key(std::string_view key) {
        m_line += ',';
        String(key);
        m_line += ':';
    }

    void StringOrNull(std::string_view text) {
        if (text.empty()) {
            m_line += "null";
        } else {
            String(text);
        }
    }

    // A shortest decimal is a JSON number, except for the infinities and NaN, which JSON cannot hold.
    void Number(std::string_view text) {
        const bool finite = text.find_first_of("in") == std::string_view::npos;
        m_line.append(finite ? text : "null");
    }

    ValueStyle m_style;
    std::FILE* m_out;
    std::vector<std::string> m_keys; // result columns, error last
    std::vector<std::string> m_carriedKeys;
    std::string m_line;
};

// Characters a terminal shows, for aligning columns: every UTF-8 lead byte starts one.
std::size_t Width(std::string_view text) {
    return static_cast<std::size_t>(
        std::ranges::count_if(text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U; }));
}

} // namespace

std::unique_ptr<RowWriter> MakeRowWriter(OutputFormat format, ValueStyle style, std::FILE* out,
                                         std::optional<CoverageMethod> coverage) {
    if (format == OutputFormat::jsonl) {
        return std::make_unique<JsonLinesWriter>(style, out, coverage);
    }
    return std::make_unique<CsvWriter>(style, out, coverage);
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
    if (description.coverage) {
        const DescribedCoverage& coverage = *description.coverage;
        lines.push_back({coverage.coverageOfMU.caption, "", coverage.coverageOfMU.text});
        lines.push_back({coverage.interval95.caption, "", coverage.interval95.text});
        if (coverage.trials) {
            lines.push_back({coverage.trials->caption, "", coverage.trials->text});
        }
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

} // namespace tarvex::cli
