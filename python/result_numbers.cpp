#include "python/result_numbers.h"

#include "budget/presentation.h"

namespace tarvex::python {

ResultNumbers NumbersInUnit(const MeasurementSetup& setup, const UncertaintyBudget& budget) {
    const ResultValues values = ShownValues(budget, setup.unit);
    ResultNumbers numbers;
    for (std::size_t i = 0; i < kContributionCount; ++i) {
        numbers.u[i] = ValueInUnit(values.u[i], setup.unit);
    }
    numbers.uc = ValueInUnit(values.uc, setup.unit);
    numbers.MU = ValueInUnit(values.MU, setup.unit);
    if (budget.showSystematic) {
        numbers.systematicError = ValueInUnit(values.systematicError, setup.unit);
    }
    return numbers;
}

} // namespace tarvex::python
