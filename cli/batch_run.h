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

// How a batch's text is read: its separator (',', ';' or tab; detected from the header line when none is
// given), and whether number fields may use a decimal comma, which they always may when the separator is
// not a comma.
struct BatchReading {
    std::optional<char> separator;
    bool decimalComma = false;
};

// At most this many invalid rows are reported on the diagnostics stream, then only how many more.
inline constexpr std::uint64_t kReportedInvalidRows = 20;

// Evaluates a batch: the header row names the input columns (each optional, any order, in any letter case
// and with blanks around), and every row after it gives exactly one result row, in order, written as soon
// as it is read. Columns the batch does not know are carried through to the output after the id, in their
// order, and named once on `diagnostics`; a name one typing error away from a known column is an error
// instead. An invalid row gets empty results and the reason in its error column, also reported as
// "NAME:LINE: reason" on `diagnostics`. The id of a row is its id field, else its line number. Throws
// InputError when the input cannot be read on (mistyped or repeated column, a line over 1 MiB).
// With a coverage method, each valid row's coverage fields follow its results.
BatchSummary RunBatch(ByteSource& input, std::string_view inputName, ValueStyle style, RowWriter& writer,
                      std::FILE* diagnostics, const BatchReading& reading = {},
                      std::optional<CoverageMethod> coverage = std::nullopt);

} // namespace tarvex::cli
