#pragma once

#include "budget/coverage.h"
#include "budget/input_table.h"
#include "budget/measurement_setup.h"
#include "budget/uncertainty_budget.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

// The columns of a batch of setups as the command line reads and writes them, and a report exports one
// row of: the inputs, then the results. Fields are plain texts with "." as the decimal separator whatever
// the locale; quoting them for a file is the writer's business.

// Input columns, in the order a written row gives them (that of kInputs). A reader accepts them in any
// order.
inline constexpr std::array<std::string_view, kInputCount> kBatchInputColumns = [] {
    std::array<std::string_view, kInputCount> columns{};
    std::ranges::transform(kInputs, columns.begin(), &InputInfo::column);
    return columns;
}();

// Result columns after the id: u_<key> of the twelve contributions in evaluation order, then uc, MU,
// systematic_error, with a coverage method its coverage columns, and error (empty on success).
std::vector<std::string> BatchResultColumns(std::optional<CoverageMethod> coverage = std::nullopt);

// The coverage columns: coverage_of_MU, half_width_95, k95, and for the Monte Carlo trials.
std::vector<std::string> CoverageColumns(CoverageMethod method);

// Keywords of the settings as a batch writes them.
std::string_view MismatchKeyword(MismatchMode mode);     // "probable" / "conservative"
std::string_view LinearityKeyword(bool fdLinSystematic); // "statistical" / "systematic"
std::string_view UnitKeyword(ResultUnit unit);           // "dB" / "percent"

// The shortest decimal text that reads back to exactly the same double ("0.1", "1e-05", "20.3").
std::string ShortestDecimal(double value);

// A setup as the input fields of one row, in the order of kBatchInputColumns; exclude lists the keys of
// the contributions left out, separated by blanks.
std::vector<std::string> BatchInputFields(const MeasurementSetup& setup, std::string_view id);

// How result numbers are written: exact, as the shortest decimal of the number in the row's unit (dB, or
// in percent 100 times the number the window hands to its "%" pattern); or display, as the very text of
// the window's label (leading blank included).
enum class ValueStyle : std::uint8_t { exact, display };

// The keywords by which the command line and the Python module name a value style and a coverage method.
constexpr std::string_view ValueStyleKeyword(ValueStyle style) {
    return style == ValueStyle::display ? "display" : "exact";
}
constexpr std::string_view CoverageMethodKeyword(CoverageMethod method) {
    return method == CoverageMethod::monteCarlo ? "montecarlo" : "exact";
}

// The fifteen results of a budget (twelve contributions, uc, MU, systematic error) in the order of
// BatchResultColumns; the systematic error is empty while the window would hide its row. The error
// column is not included.
std::vector<std::string> BatchResultFields(const MeasurementSetup& setup, const UncertaintyBudget& budget,
                                           ValueStyle style);
// The same into `fields`, reusing their storage: a batch of a million rows then allocates nothing per row.
void AssignBatchResultFields(const MeasurementSetup& setup, const UncertaintyBudget& budget, ValueStyle style,
                             std::vector<std::string>& fields);

// The coverage fields of a budget appended to `fields`, in the order of CoverageColumns: exact, the
// coverage in percent, the half-width in the row's unit as MU is written, k95 and the trials; display, the
// description's texts. Empty fields when the budget has no distribution (nothing ticked or all zero).
void AppendCoverageFields(const MeasurementSetup& setup, const UncertaintyBudget& budget,
                          CoverageMethod method, ValueStyle style, std::vector<std::string>& fields);

} // namespace tarvex
