#include "cli/batch_run.h"

#include "cli/batch_setups.h"

#include <string>
#include <vector>

namespace tarvex::cli {

BatchSummary RunBatch(ByteSource& input, std::string_view inputName, ValueStyle style, RowWriter& writer,
                      std::FILE* diagnostics) {
    BatchSetupReader reader(input); // reads the header, so that a broken one stops the run before output
    writer.Begin();
    BatchSummary summary;
    BatchSetupRow row;
    std::vector<std::string> results;
    while (reader.Next(row)) {
        ++summary.rows;
        if (row.problems.empty()) {
            AssignBatchResultFields(row.setup, EvaluateBudget(row.setup), style, results);
            writer.Row(row.id, results, "");
            continue;
        }
        writer.Row(row.id, {}, row.problems);
        if (++summary.invalidRows <= kReportedInvalidRows) {
            std::fprintf(diagnostics, "%.*s:%llu: %s\n", static_cast<int>(inputName.size()), inputName.data(),
                         static_cast<unsigned long long>(row.line), row.problems.c_str());
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
