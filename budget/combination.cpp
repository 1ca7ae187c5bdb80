#include "budget/uncertainty_budget.h"

#include <cmath>

namespace tarvex {

UncertaintyBudget CombineBudget(const PerContribution<double>& u, const PerContribution<int>& include,
                                bool fdLinSystematic) {
    UncertaintyBudget budget;
    budget.u = u;
    budget.systematicError = u[Index(Contribution::fd_Lin)];
    // A systematic error enters the sum at half its value.
    if (fdLinSystematic) {
        budget.u[Index(Contribution::fd_Lin)] /= 2.0;
    }
    // Root-sum-square in evaluation order. An unticked contribution is skipped rather than weighted by 0,
    // so that even an infinite value that is not ticked adds nothing.
    double sumOfSquares = 0.0;
    for (std::size_t i = 0; i < kContributionCount; ++i) {
        if (include[i] != 0) {
            sumOfSquares += static_cast<double>(include[i]) * (budget.u[i] * budget.u[i]);
        }
    }
    budget.uc = std::sqrt(sumOfSquares);
    budget.MU = 2.0 * budget.uc;
    budget.showSystematic = include[Index(Contribution::fd_Lin)] == 1 && fdLinSystematic;
    return budget;
}

// Mean of the relative power excess for +x dB and the relative shortfall for -x dB.
double dB_to_pc(double x) {
    const double a = std::pow(10.0, x / 10.0) - 1.0;
    const double b = 1.0 - std::pow(10.0, -x / 10.0);
    return (a + b) / 2.0;
}

} // namespace tarvex
