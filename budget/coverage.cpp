#include "budget/coverage.h"

#include <algorithm>
#include <cmath>

namespace tarvex {

std::vector<ErrorTerm> BudgetErrorTerms(const MeasurementSetup& setup, const UncertaintyBudget& budget) {
    std::vector<ErrorTerm> terms;
    for (const ContributionDistribution& row : kContributionDistributions) {
        const std::size_t i = Index(row.key);
        const double u = std::fabs(budget.u[i]);
        if (setup.include[i] != 0 && u != 0.0) {
            terms.push_back({row.distribution, u});
        }
    }
    return terms;
}

bool HasDistribution(const std::vector<ErrorTerm>& terms) {
    double variance = 0.0;
    for (const ErrorTerm& term : terms) {
        if (!std::isfinite(term.u) || !(term.u > 0.0)) {
            return false;
        }
        variance += term.u * term.u;
    }
    // Standard deviations whose squares overflow or vanish describe no measurement.
    return std::isfinite(variance) && variance > 0.0;
}

std::optional<CoverageFigures> ExactCoverage(const std::vector<ErrorTerm>& terms) {
    if (!HasDistribution(terms)) {
        return std::nullopt;
    }
    const SumDistribution distribution(terms);
    const double uc = distribution.StandardDeviation();
    const double halfWidth = distribution.SymmetricHalfWidth(kCoverageProbability);
    return CoverageFigures{distribution.ProbabilityWithin(2.0 * uc), halfWidth, halfWidth / uc, 0, 0.0};
}

std::optional<Interval> ExactShortestInterval(const std::vector<ErrorTerm>& terms) {
    if (!HasDistribution(terms)) {
        return std::nullopt;
    }
    return SumDistribution(terms).ShortestInterval(kCoverageProbability);
}

std::optional<CoverageFigures> BudgetCoverage(const MeasurementSetup& setup, const UncertaintyBudget& budget,
                                              CoverageMethod method) {
    const std::vector<ErrorTerm> terms = BudgetErrorTerms(setup, budget);
    if (method == CoverageMethod::exact) {
        return ExactCoverage(terms);
    }
    const auto outcome = MonteCarloCoverage(terms);
    return outcome ? std::optional(outcome->figures) : std::nullopt;
}

std::vector<DensityPoint> ExactDensityCurve(const std::vector<ErrorTerm>& terms, double from, double to,
                                            std::size_t count) {
    std::vector<DensityPoint> curve;
    if (!HasDistribution(terms) || count < 2) {
        return curve;
    }
    const SumDistribution distribution(terms);
    curve.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double x = from + (to - from) * static_cast<double>(i) / static_cast<double>(count - 1);
        curve.push_back({x, distribution.Density(x)});
    }
    return curve;
}

std::vector<DensityPoint> Histogram(const std::vector<double>& values, double from, double to,
                                    std::size_t bins) {
    std::vector<DensityPoint> histogram;
    if (values.empty() || bins == 0 || !(to > from)) {
        return histogram;
    }
    const double width = (to - from) / static_cast<double>(bins);
    std::vector<std::size_t> counts(bins, 0);
    for (const double v : values) {
        const double bin = std::floor((v - from) / width);
        if (bin >= 0.0 && bin < static_cast<double>(bins)) {
            ++counts[static_cast<std::size_t>(bin)];
        }
    }
    const double scale = 1.0 / (static_cast<double>(values.size()) * width);
    for (std::size_t i = 0; i < bins; ++i) {
        histogram.push_back(
            {from + (static_cast<double>(i) + 0.5) * width, static_cast<double>(counts[i]) * scale});
    }
    return histogram;
}

} // namespace tarvex
