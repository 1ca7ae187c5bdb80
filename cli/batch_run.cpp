#include "cli/batch_run.h"

#include "cli/batch_setups.h"
#include "cli/field_text.h"

#include <span>
#include <string>
#include <vector>

namespace tarvex::cli {
namespace {

void ReportCarried(std::span<const std::string> carriedNames, std::string_view inputName,
                   std::FILE* diagnostics) {
    if (carriedNames.empty()) {
        return;
    }
    std::string names;
    for (const std::string& name : carriedNames) {
        names.append(names.empty() ? "" : ", ").append(Quoted(name));
    }
    std::fprintf(diagnostics, "%.*s: columns carried through unread: %s\n",
                 static_cast<int>(inputName.size()), inputName.data(), names.c_str());
}

} // namespace

BatchSummary RunBatch(ByteSource& input, std::string_view inputName, ValueStyle style, RowWriter& writer,
                      std::FILE* diagnostics, const BatchReading& reading,
                      std::optional<CoverageMethod> coverage) {
    BatchSetupReader reader(input, reading); // reads the header: a broken one stops the run before output
    ReportCarried(reader.CarriedNames(), inputName, diagnostics);
    writer.Begin(reader.CarriedNames());
    BatchSummary summary;
    BatchSetupRow row;
    std::vector<std::string> results;
    while (reader.Next(row)) {
        ++summary.rows;
        if (row.problems.empty()) {
            const UncertaintyBudget budget = EvaluateBudget(row.setup);
            AssignBatchResultFields(row.setup, budget, style, results);
            if (coverage) {
                AppendCoverageFields(row.setup, budget, *coverage, style, results);
            }
            writer.Row({row.id, row.carried, UnitKeyword(row.setup.unit), results, ""});
            continue;
        }
        writer.Row({row.id, row.carried, "", {}, row.problems});
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
