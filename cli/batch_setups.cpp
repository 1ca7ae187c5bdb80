#include "cli/batch_setups.h"

#include "cli/field_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <vector>

namespace tarvex::cli {
namespace {

// A result column of this tool, as an earlier run or a saved report writes it: its values are worked out
// afresh, so that such a file can be read back as it stands.
bool IsResultColumn(std::string_view name) {
    static const std::vector<std::string> resultColumns = BatchResultColumns(CoverageMethod::monteCarlo);
    return std::ranges::any_of(resultColumns,
                               [name](const std::string& column) { return SameIgnoringCase(name, column); });
}

// A column the batch does not know: carried through, unless it looks like a mistyped input column, which
// silently left out would give wrong numbers.
void CarryColumn(std::string_view name, std::size_t field, std::uint64_t line,
                 BatchSetupReader::Columns& places) {
    const std::string_view near = NearestChoice(name, kBatchInputColumns);
    if (!near.empty()) {
        throw InputError(line,
                         "unknown column " + Quoted(name) + " (did you mean " + std::string(near) + "?)");
    }
    places.carried.push_back(field);
    places.carriedName.emplace_back(name);
}

BatchSetupReader::Columns ReadHeader(const CsvRecord& header) {
    if (header.blank) {
        throw InputError(header.line, "the first line must name the columns, it is blank");
    }
    if (!header.malformed.empty()) {
        throw InputError(header.line, header.malformed);
    }
    BatchSetupReader::Columns places;
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
void CheckShape(const CsvRecord& row, const BatchSetupReader::Columns& places, std::string& problems) {
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
    for (std::size_t column = 0; column < kBatchInputColumns.size(); ++column) {
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
void UseDecimalPoints(CsvRecord& row, const BatchSetupReader::Columns& places) {
    for (const InputInfo& info : kSetupInputs) {
        const auto place = places.place[Index(info.input)];
        if (info.number && place && !row.blank && *place < row.fields.size()) {
            std::ranges::replace(row.fields[*place], ',', '.');
        }
    }
}

} // namespace

BatchSetupReader::BatchSetupReader(ByteSource& input, const BatchReading& reading)
    : m_reader(input, reading.separator) {
    m_hasHeader = m_reader.Next(m_record);
    if (m_hasHeader) {
        m_columns = ReadHeader(m_record);
        m_carried.resize(m_columns.carried.size());
    }
    m_decimalComma = reading.decimalComma || m_reader.Separator() != ',';
}

bool BatchSetupReader::Next(BatchSetupRow& row) {
    if (!m_hasHeader || !m_reader.Next(m_record)) {
        return false;
    }
    row.line = m_record.line;
    row.problems.clear();
    CheckShape(m_record, m_columns, row.problems);
    const bool shaped = row.problems.empty();
    AssignId(row.id, shaped ? Trimmed(FieldAt(m_record, m_columns.place[0])) : "", m_record.line);
    for (std::size_t i = 0; i < m_carried.size(); ++i) {
        m_carried[i] = shaped ? FieldAt(m_record, m_columns.carried[i]) : std::string_view();
    }
    row.carried = m_carried;
    if (shaped) {
        if (m_decimalComma) {
            UseDecimalPoints(m_record, m_columns);
        }
        for (const InputInfo& info : kSetupInputs) {
            m_texts[SetupSlot(info.input)] = FieldAt(m_record, m_columns.place[Index(info.input)]);
        }
        ReadSetup(m_texts, ColumnNames(), row.setup, row.problems);
    }
    return true;
}

} // namespace tarvex::cli
