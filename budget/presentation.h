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

// Writes a budget in dB or in percent of power.
ResultTexts PresentBudget(const UncertaintyBudget& budget, ResultUnit unit,
                          std::string_view decimalSeparator = ".");

} // namespace tarvex
