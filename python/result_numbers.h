#pragma once

#include "budget/contribution.h"
#include "budget/measurement_setup.h"
#include "budget/uncertainty_budget.h"

#include <optional>

namespace tarvex::python {

// The results of a budget as numbers in the setup's unit, exactly those that the command line writes as
// exact values: dB, or in percent 100 times the fraction that the window's "%" patterns are given. The
// systematic error has no value while the window hides its row.
struct ResultNumbers {
    PerContribution<double> u{};
    double uc = 0.0;
    double MU = 0.0;
    std::optional<double> systematicError;
};
ResultNumbers NumbersInUnit(const MeasurementSetup& setup, const UncertaintyBudget& budget);

} // namespace tarvex::python
