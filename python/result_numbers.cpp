#include "python/result_numbers.h"

#include "budget/presentation.h"

namespace tarvex::python {

ResultNumbers NumbersInUnit(const MeasurementSetup& setup, const UncertaintyBudget& budget) {
    const ResultValues values = ShownValues(budget, setup.unit);
    ResultNumbers numbers;
    for (std::size_t i = 0; i < kContributionCount; ++i) {
        numbers.u[i] = InResultUnit(values.u[i], setup.unit);
    }
    numbers.uc = InResultUnit(values.uc, setup.unit);
    numbers.MU = InResultUnit(values.MU, setup.unit);
    if (budget.showSystematic) {
        numbers.systematicError = InResultUnit(values.systematicError, setup.unit);
    }
    return numbers;
}

double InResultUnit(double shown, ResultUnit unit) {
    return unit == ResultUnit::percent ? 100.0 * shown : shown; // the "%" patterns' factor
}

} // namespace tarvex::python
