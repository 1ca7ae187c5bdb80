#pragma once

#include "budget/contribution.h"
#include "budget/measurement_setup.h"
#include "budget/uncertainty_budget.h"

#include <string>
#include <string_view>

namespace tarvex {

// The texts of the fifteen result labels.
struct ResultTexts {
    PerContribution<std::string> u; // lbl_u_<key>, evaluation order
    std::string uc;                 // lbl_uc
    std::string MU;                 // lbl_MU
    std::string systematicError;    // lbl_Systematic_Error
};

// The numbers that the result labels' patterns are given: dB, or in percent the relative power deviation
// as a fraction (the "%" patterns multiply by 100). In percent every value is converted on its own, and MU
// is twice the converted uc.
struct ResultValues {
    PerContribution<double> u{};
    double uc = 0.0;
    double MU = 0.0;
    double systematicError = 0.0;
};
ResultValues ShownValues(const UncertaintyBudget& budget, ResultUnit unit);

// Writes a budget in dB or in percent of power.
ResultTexts PresentBudget(const UncertaintyBudget& budget, ResultUnit unit,
                          std::string_view decimalSeparator = ".");

// Captions of the rows below the contributions; the last two name what the results are expressed in.
inline constexpr std::string_view kCombinedCaption = "Combined Standard Uncertainty";
std::string_view ExpandedCaption(ResultUnit unit);   // "Expanded Uncertainty of Level (k=2)" / "of Power"
std::string_view SystematicCaption(ResultUnit unit); // "Systematic Error of Level" / "of Power"

// The mismatch row's caption, which carries the mismatch mode.
std::string_view MismatchCaption(MismatchMode mode);

// The number pattern of the expanded uncertainty's label in a unit ("0.00 dB", "0.0 %"); an interval that
// compares with it is written with it.
std::string_view ExpandedPattern(ResultUnit unit);

} // namespace tarvex
