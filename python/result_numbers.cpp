#include "python/result_numbers.h"

#include "budget/presentation.h"

namespace tarvex::python {

ResultNumbers NumbersInUnit(const MeasurementSetup& setup, const UncertaintyBudget& budget) {
    const ResultValues values = ShownValues(budget, setup.unit);
    const double scale = setup.unit == ResultUnit::percent ? 100.0 : 1.0; // the "%" patterns' factor
    ResultNumbers numbers;
    for (std::size_t i = 0; i < kContributionCount; ++i) {
        numbers.u[i] = scale * values.u[i];
    }
    numbers.uc = scale * values.uc;
    numbers.MU = scale * values.MU;
    if (budget.showSystematic) {
        numbers.systematicError = scale * values.systematicError;
    }
    return numbers;
}

} // namespace tarvex::python
