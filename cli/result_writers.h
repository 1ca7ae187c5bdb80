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

// Writes one result row per setup: the id, the fifteen results and, with a coverage method, the coverage
// fields (none for an invalid setup) and the error.
class RowWriter {
public:
    virtual ~RowWriter() = default;
    virtual void Begin() = 0;
    // results: the fifteen fields of BatchResultFields and the coverage fields, or empty when the setup is
    // invalid.
    virtual void Row(std::string_view id, std::span<const std::string> results, std::string_view error) = 0;
};

// CSV (header row, fields as AppendCsvField writes them, CRLF line ends)
// or JSON Lines with the same keys (exact values as numbers, display values as strings, empty as null).
// With a coverage method, its columns stand before the error column (BatchResultColumns).
std::unique_ptr<RowWriter> MakeRowWriter(OutputFormat format, ValueStyle style, std::FILE* out,
                                         std::optional<CoverageMethod> coverage = std::nullopt);

// A budget description as an aligned table: inputs, the twelve contributions with their included marks,
// combined, expanded and (when shown) the systematic error, then the coverage rows the description holds,
// sections separated by a blank line.
std::string BudgetTable(const BudgetDescription& description);

} // namespace tarvex::cli
