#pragma once

#include "budget/batch_columns.h"
#include "budget/measurement_setup.h"
#include "cli/csv_record_reader.h"
#include "cli/setup_inputs.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tarvex::cli {

// One row of a batch read as a setup.
struct BatchSetupRow {
    std::uint64_t line = 0; // line on which the row starts, from 1
    std::string id;         // the row's id field, else its line number
    MeasurementSetup setup; // usable only when there are no problems
    std::string problems;   // why the row is invalid ("column: message; ..."), empty when it is valid
};

// Reads a batch's rows as setups, one at a time, as the command line reads them: the header row names
// the input columns (each optional, any order; result columns of an earlier run or a saved report are
// passed over), and every row after it is checked for its shape and then by ReadSetup with the column
// names. The batch run and the window's Open Setup both read through here, so that a row one of them
// rejects the other rejects for the same reason.
class BatchSetupReader {
public:
    // Reads the header. Throws InputError for an unknown or repeated column or a broken header; an
    // empty input has no header and no rows.
    explicit BatchSetupReader(ByteSource& input);

    // The next row, reusing row's storage; false at the end. Throws InputError when the input cannot be
    // read on (broken quoting at the end, a line over 1 MiB).
    bool Next(BatchSetupRow& row);

    // Where each input column stands in the rows, if it does.
    struct Columns {
        std::array<std::optional<std::size_t>, kBatchInputColumns.size()> place{};
        std::size_t fieldCount = 0;
    };

private:
    CsvRecordReader m_reader;
    CsvRecord m_record;
    Columns m_columns;
    bool m_hasHeader = false;
    SetupTexts m_texts{};
};

} // namespace tarvex::cli
