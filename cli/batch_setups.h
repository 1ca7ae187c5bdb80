#pragma once

#include "budget/batch_columns.h"
#include "budget/measurement_setup.h"
#include "cli/csv_record_reader.h"
#include "cli/setup_inputs.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::cli {

// How a batch's text is read: its separator (',', ';' or tab; detected from the header line when none is
// given), and whether number fields may use a decimal comma, which they always may when the separator is
// not a comma.
struct BatchReading {
    std::optional<char> separator;
    bool decimalComma = false;
};

// One row of a batch read as a setup.
struct BatchSetupRow {
    std::uint64_t line = 0;                    // line on which the row starts, from 1
    std::string id;                            // the row's id field, else its line number
    std::span<const std::string_view> carried; // fields of the columns carried through, until the next row
    MeasurementSetup setup;                    // usable only when there are no problems
    std::string problems; // why the row is invalid ("column: message; ..."), empty when it is valid
};

// Reads a batch's rows as setups, one at a time, as the command line reads them: the header row names
// the input columns (each optional, any order, in any letter case and with blanks around; result columns
// of an earlier run or a saved report are passed over, other unknown columns carried through unless one
// looks like a mistyped input column), and every row after it is checked for its shape and then by
// ReadSetup with the column names. The batch run and the window's Open Setup both read through here, so
// that a row one of them rejects the other rejects for the same reason.
class BatchSetupReader {
public:
    // Reads the header. Throws InputError for a mistyped or repeated column or a broken header; an empty
    // input has no header and no rows.
    explicit BatchSetupReader(ByteSource& input, const BatchReading& reading = {});

    // The names of the columns carried through, as the header gives them.
    std::span<const std::string> CarriedNames() const { return m_columns.carriedName; }

    // The next row, reusing row's storage; false at the end. Throws InputError when the input cannot be
    // read on (a line over 1 MiB).
    bool Next(BatchSetupRow& row);

    // Where each input column stands in the rows, if it does, and the columns carried through.
    struct Columns {
        std::array<std::optional<std::size_t>, kBatchInputColumns.size()> place{};
        std::vector<std::size_t> carried;     // places of the columns the batch does not know
        std::vector<std::string> carriedName; // their names as the header gives them, trimmed
        std::size_t fieldCount = 0;
    };

private:
    CsvRecordReader m_reader;
    CsvRecord m_record;
    Columns m_columns;
    bool m_hasHeader = false;
    bool m_decimalComma = false;
    std::vector<std::string_view> m_carried;
    SetupTexts m_texts{};
};

} // namespace tarvex::cli
