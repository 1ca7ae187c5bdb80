#pragma once

#include "budget/batch_columns.h"
#include "budget/budget_description.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarvex::cli {

enum class OutputFormat : std::uint8_t { text, csv, jsonl };

// One result row: the id, the fields carried through from the input, the unit of the results, the fifteen
// results of BatchResultFields followed by the coverage fields when asked for (none for an invalid setup)
// and the error (empty for a valid one).
struct ResultRow {
    std::string_view id;
    std::span<const std::string_view> carried;
    std::string_view unit;
    std::span<const std::string> results;
    std::string_view error;
};

// Writes one result row per setup, under a header of the id, the carried-through columns, unit, the
// results and error.
class RowWriter {
public:
    virtual ~RowWriter() = default;
    virtual void Begin(std::span<const std::string> carriedColumns) = 0;
    virtual void Row(const ResultRow& row) = 0;
};

// CSV (header row, fields as AppendCsvField writes them, CRLF line ends) or JSON Lines with the same keys
// (exact values as numbers, display values and every other field as strings, empty as null).
// With a coverage method, its columns stand before error (BatchResultColumns).
std::unique_ptr<RowWriter> MakeRowWriter(OutputFormat format, ValueStyle style, std::FILE* out,
                                         std::optional<CoverageMethod> coverage = std::nullopt);

// A budget description as an aligned table: inputs, the twelve contributions with their included marks,
// combined, expanded and (when shown) the systematic error, then the coverage rows the description holds,
// sections separated by a blank line.
std::string BudgetTable(const BudgetDescription& description);

} // namespace tarvex::cli
