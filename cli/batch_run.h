#pragma once

#include "budget/batch_columns.h"
#include "cli/csv_record_reader.h"
#include "cli/result_writers.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

namespace tarvex::cli {

struct BatchSummary {
    std::uint64_t rows = 0;
    std::uint64_t invalidRows = 0;
};

// At most this many invalid rows are reported on the diagnostics stream, then only how many more.
inline constexpr std::uint64_t kReportedInvalidRows = 20;

// Evaluates a batch: the header row names the input columns (each optional, any order), and every row
// after it gives exactly one result row, in order, written as soon as it is read. An invalid row gets
// empty results and the reason in its error column, also reported as "NAME:LINE: reason" on
// `diagnostics`. The id of a row is its id field, else its line number. Throws InputError when the input
// cannot be read on (unknown or repeated column, broken quoting at the end, a line over 1 MiB).
// With a coverage method, each valid row's coverage fields follow its results.
BatchSummary RunBatch(ByteSource& input, std::string_view inputName, ValueStyle style, RowWriter& writer,
                      std::FILE* diagnostics, std::optional<CoverageMethod> coverage = std::nullopt);

} // namespace tarvex::cli
