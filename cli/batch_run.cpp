#include "cli/batch_run.h"

#include "cli/field_text.h"
#include "cli/setup_inputs.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

namespace tarvex::cli {
namespace {

constexpr std::size_t kColumnCount = kBatchInputColumns.size();

// Where each input column stands in the file's rows, if it does.
struct ColumnPlaces {
    std::array<std::optional<std::size_t>, kColumnCount> place{};
    std::size_t fieldCount = 0;
};

// A result column of this tool, as an earlier run or a saved report writes it: its values are worked out
// afresh, so that such a file can be read back as it stands.
bool IsResultColumn(std::string_view name) {
    static const std::vector<std::string> resultColumns = BatchResultColumns(CoverageMethod::monteCarlo);
    return std::ranges::find(resultColumns, name) != resultColumns.end();
}

ColumnPlaces ReadHeader(const CsvRecord& header) {
    if (header.blank) {
        throw InputError(header.line, "the first line must name the columns, it is blank");
    }
    if (!header.malformed.empty()) {
        throw InputError(header.line, header.malformed);
    }
    ColumnPlaces places;
    places.fieldCount = header.fieldCount;
    for (std::size_t field = 0; field < header.fieldCount; ++field) {
        const std::string_view name =
            field < header.fields.size() ? header.fields[field] : std::string_view();
        const auto* known = std::ranges::find(kBatchInputColumns, name);
        if (known == kBatchInputColumns.end() && IsResultColumn(name)) {
            continue;
        }
        if (known == kBatchInputColumns.end()) {
            std::string message = "unknown column " + Quoted(name);
            const std::string_view near = NearestChoice(name, kBatchInputColumns);
            message += near.empty() ? " (columns: " : " (did you mean ";
            if (near.empty()) {
                for (const std::string_view column : kBatchInputColumns) {
                    message.append(column).append(column == kBatchInputColumns.back() ? ")" : ", ");
                }
            } else {
                message.append(near).append("?)");
            }
            throw InputError(header.line, message);
        }
        auto& place = places.place[static_cast<std::size_t>(known - kBatchInputColumns.begin())];
        if (place) {
            throw InputError(header.line, "column " + std::string(name) + " appears twice");
        }
        place = field;
    }
    return places;
}

// The problems of a row's shape and encoding, before its values are read; empty when there are none.
void CheckShape(const CsvRecord& row, const ColumnPlaces& places, std::string& problems) {
    if (!row.malformed.empty()) {
        problems = row.malformed;
        return;
    }
    // A blank line is one empty field, which only a single-column header accepts.
    const std::size_t fields = row.blank ? 1 : row.fieldCount;
    if (fields != places.fieldCount) {
        problems = row.blank
                       ? "blank line where the header names " + std::to_string(places.fieldCount) + " columns"
                       : std::to_string(fields) + (fields == 1 ? " field" : " fields") +
                             " where the header names " + std::to_string(places.fieldCount) +
                             (places.fieldCount == 1 ? " column" : " columns");
        return;
    }
    for (std::size_t column = 0; column < kColumnCount; ++column) {
        if (!places.place[column] || row.blank) {
            continue;
        }
        const std::string& field = row.fields[*places.place[column]];
        // Nearly every field is ASCII without NUL, which one look at each byte shows.
        if (std::ranges::all_of(field,
                                [](char c) { return c != '\0' && static_cast<unsigned char>(c) < 0x80U; })) {
            continue;
        }
        const char* trouble = field.find('\0') != std::string::npos ? "holds a NUL character"
                              : !IsUtf8(field)                      ? "holds bytes that are not UTF-8"
                                                                    : nullptr;
        if (trouble != nullptr) {
            problems.append(problems.empty() ? "" : "; ").append(kBatchInputColumns[column]).append(": ");
            problems.append(trouble);
        }
    }
}

std::string_view FieldOf(const CsvRecord& row, const ColumnPlaces& places, std::size_t column) {
    return places.place[column] && !row.blank ? std::string_view(row.fields[*places.place[column]])
                                              : std::string_view();
}

// A row's id: its id field, else its line number (written without a string of its own).
void AssignId(std::string& id, std::string_view field, std::uint64_t line) {
    if (!field.empty()) {
        id.assign(field);
        return;
    }
    std::array<char, 24> digits{};
    id.assign(digits.data(), std::to_chars(digits.data(), digits.data() + digits.size(), line).ptr);
}

} // namespace

BatchSummary RunBatch(ByteSource& input, std::string_view inputName, ValueStyle style, RowWriter& writer,
                      std::FILE* diagnostics, std::optional<CoverageMethod> coverage) {
    CsvRecordReader reader(input);
    CsvRecord row;
    BatchSummary summary;
    if (!reader.Next(row)) {
        writer.Begin();
        return summary; // an empty input has no rows
    }
    const ColumnPlaces places = ReadHeader(row);
    writer.Begin();

    MeasurementSetup setup;
    std::string problems;
    std::string id;
    SetupTexts texts{};
    std::vector<std::string> results;
    while (reader.Next(row)) {
        ++summary.rows;
        problems.clear();
        CheckShape(row, places, problems);
        const std::string_view rowId = problems.empty() ? Trimmed(FieldOf(row, places, 0)) : "";
        AssignId(id, rowId, row.line);
        if (problems.empty()) {
            for (std::size_t i = 0; i < kSetupInputCount; ++i) {
                texts[i] = FieldOf(row, places, i + 1);
            }
            ReadSetup(texts, ColumnNames(), setup, problems);
        }
        if (problems.empty()) {
            const UncertaintyBudget budget = EvaluateBudget(setup);
            AssignBatchResultFields(setup, budget, style, results);
            if (coverage) {
                AppendCoverageFields(setup, budget, *coverage, style, results);
            }
            writer.Row(id, results, "");
            continue;
        }
        writer.Row(id, {}, problems);
        if (++summary.invalidRows <= kReportedInvalidRows) {
            std::fprintf(diagnostics, "%.*s:%llu: %s\n", static_cast<int>(inputName.size()), inputName.data(),
                         static_cast<unsigned long long>(row.line), problems.c_str());
        }
    }
    if (summary.invalidRows > kReportedInvalidRows) {
        const std::uint64_t more = summary.invalidRows - kReportedInvalidRows;
        std::fprintf(diagnostics, "\u2026 and %llu more invalid %s\n", static_cast<unsigned long long>(more),
                     more == 1 ? "row" : "rows");
    }
    return summary;
}

} // namespace tarvex::cli
