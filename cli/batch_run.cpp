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

// Where each input column stands in the file's rows, if it does, and the columns carried through.
struct ColumnPlaces {
    std::array<std::optional<std::size_t>, kColumnCount> place{};
    std::vector<std::size_t> carried;     // places of the columns the batch does not know
    std::vector<std::string> carriedName; // their names as the header gives them, trimmed
    std::size_t fieldCount = 0;
};

// A result column of this tool, as an earlier run or a saved report writes it: its values are worked out
// afresh, so that such a file can be read back as it stands.
bool IsResultColumn(std::string_view name) {
    static const std::vector<std::string> resultColumns = BatchResultColumns(CoverageMethod::monteCarlo);
    return std::ranges::any_of(resultColumns,
                               [name](const std::string& column) { return SameIgnoringCase(name, column); });
}

// A column the batch does not know: carried through, unless it looks like a mistyped input column, which
// silently left out would give wrong numbers.
void CarryColumn(std::string_view name, std::size_t field, std::uint64_t line, ColumnPlaces& places) {
    const std::string_view near = NearestChoice(name, kBatchInputColumns);
    if (!near.empty()) {
        throw InputError(line,
                         "unknown column " + Quoted(name) + " (did you mean " + std::string(near) + "?)");
    }
    places.carried.push_back(field);
    places.carriedName.emplace_back(name);
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
            Trimmed(field < header.fields.size() ? header.fields[field] : std::string_view());
        const auto* known = std::ranges::find_if(
            kBatchInputColumns, [name](std::string_view column) { return SameIgnoringCase(name, column); });
        if (known == kBatchInputColumns.end()) {
            if (!IsResultColumn(name)) {
                CarryColumn(name, field, header.line, places);
            }
            continue;
        }
        auto& place = places.place[static_cast<std::size_t>(known - kBatchInputColumns.begin())];
        if (place) {
            throw InputError(header.line, "column " + std::string(*known) + " appears twice");
        }
        place = field;
    }
    return places;
}

// Why a field cannot be used as text, or nothing.
const char* EncodingTrouble(const std::string& field) {
    // Nearly every field is ASCII without NUL, which one look at each byte shows.
    if (std::ranges::all_of(field,
                            [](char c) { return c != '\0' && static_cast<unsigned char>(c) < 0x80U; })) {
        return nullptr;
    }
    return field.find('\0') != std::string::npos ? "holds a NUL character"
           : !IsUtf8(field)                      ? "holds bytes that are not UTF-8"
                                                 : nullptr;
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
    const auto check = [&](std::optional<std::size_t> place, std::string_view name) {
        const char* trouble = place && !row.blank ? EncodingTrouble(row.fields[*place]) : nullptr;
        if (trouble != nullptr) {
            problems.append(problems.empty() ? "" : "; ").append(name).append(": ").append(trouble);
        }
    };
    for (std::size_t column = 0; column < kColumnCount; ++column) {
        check(places.place[column], kBatchInputColumns[column]);
    }
    for (std::size_t i = 0; i < places.carried.size(); ++i) {
        check(places.carried[i], places.carriedName[i]);
    }
}

std::string_view FieldAt(const CsvRecord& row, std::optional<std::size_t> place) {
    return place && !row.blank && *place < std::min(row.fieldCount, row.fields.size())
               ? std::string_view(row.fields[*place])
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

// With a decimal comma, the number fields' commas become points (a field is the row's own copy).
void UseDecimalPoints(CsvRecord& row, const ColumnPlaces& places) {
    for (const InputInfo& info : kSetupInputs) {
        const auto place = places.place[Index(info.input)];
        if (info.number && place && !row.blank && *place < row.fields.size()) {
            std::ranges::replace(row.fields[*place], ',', '.');
        }
    }
}

void ReportCarried(const ColumnPlaces& places, std::string_view inputName, std::FILE* diagnostics) {
    if (places.carried.empty()) {
        return;
    }
    std::string names;
    for (const std::string& name : places.carriedName) {
        names.append(names.empty() ? "" : ", ").append(Quoted(name));
    }
    std::fprintf(diagnostics, "%.*s: columns carried through unread: %s\n",
                 static_cast<int>(inputName.size()), inputName.data(), names.c_str());
}

// The state of one batch run: its reading rules, column places, reused row storage and counts.
class BatchRun {
public:
    BatchRun(ColumnPlaces places, bool decimalComma, ValueStyle style, RowWriter& writer,
             std::optional<CoverageMethod> coverage)
        : m_places(std::move(places))
        , m_decimalComma(decimalComma)
        , m_style(style)
        , m_writer(writer)
        , m_coverage(coverage)
        , m_carried(m_places.carried.size()) {}

    // Evaluates a row and writes its result; the problems of an invalid row, else an empty text.
    const std::string& Row(CsvRecord& row) {
        m_problems.clear();
        CheckShape(row, m_places, m_problems);
        const bool shaped = m_problems.empty();
        AssignId(m_id, shaped ? Trimmed(FieldAt(row, m_places.place[0])) : "", row.line);
        for (std::size_t i = 0; i < m_carried.size(); ++i) {
            m_carried[i] = shaped ? FieldAt(row, m_places.carried[i]) : std::string_view();
        }
        if (shaped) {
            if (m_decimalComma) {
                UseDecimalPoints(row, m_places);
            }
            for (const InputInfo& info : kSetupInputs) {
                m_texts[SetupSlot(info.input)] = FieldAt(row, m_places.place[Index(info.input)]);
            }
            ReadSetup(m_texts, ColumnNames(), m_setup, m_problems);
        }
        if (m_problems.empty()) {
            const UncertaintyBudget budget = EvaluateBudget(m_setup);
            AssignBatchResultFields(m_setup, budget, m_style, m_results);
            if (m_coverage) {
                AppendCoverageFields(m_setup, budget, *m_coverage, m_style, m_results);
            }
            m_writer.Row({m_id, m_carried, UnitKeyword(m_setup.unit), m_results, ""});
        } else {
            m_writer.Row({m_id, m_carried, "", {}, m_problems});
        }
        return m_problems;
    }

private:
    ColumnPlaces m_places;
    bool m_decimalComma;
    ValueStyle m_style;
    RowWriter& m_writer;
    std::optional<CoverageMethod> m_coverage;
    std::vector<std::string_view> m_carried;
    MeasurementSetup m_setup;
    std::string m_problems;
    std::string m_id;
    SetupTexts m_texts{};
    std::vector<std::string> m_results;
};

} // namespace

BatchSummary RunBatch(ByteSource& input, std::string_view inputName, ValueStyle style, RowWriter& writer,
                      std::FILE* diagnostics, const BatchReading& reading,
                      std::optional<CoverageMethod> coverage) {
    CsvRecordReader reader(input, reading.separator);
    CsvRecord row;
    BatchSummary summary;
    if (!reader.Next(row)) {
        writer.Begin({});
        return summary; // an empty input has no rows
    }
    ColumnPlaces places = ReadHeader(row);
    ReportCarried(places, inputName, diagnostics);
    writer.Begin(places.carriedName);
    BatchRun run(std::move(places), reading.decimalComma || reader.Separator() != ',', style, writer,
                 coverage);
    while (reader.Next(row)) {
        ++summary.rows;
        const std::string& problems = run.Row(row);
        if (!problems.empty() && ++summary.invalidRows <= kReportedInvalidRows) {
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
