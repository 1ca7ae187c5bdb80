#pragma once

#include "budget/error_distribution.h"
#include "budget/measurement_setup.h"
#include "budget/uncertainty_budget.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tarvex {

// What the expanded uncertainty ±MU (k = 2) of a budget really covers, and the 95 % interval, from the
// distribution of the total error: the sum of the contributions that enter uc, each an independent error
// in dB of its own distribution (budget/distribution.h) with its standard uncertainty as standard
// deviation. The systematic error is a known offset and takes no part. Everything lives in dB; the
// probabilities and k95 are the same whichever unit the window shows.

inline constexpr double kCoverageProbability = 0.95;

// Exactly the terms that enter uc, each with the value it enters with (the frequency-dependent linearity
// error halved while it is systematic); zero terms are left out. Their standard deviation is uc.
std::vector<ErrorTerm> BudgetErrorTerms(const MeasurementSetup& setup, const UncertaintyBudget& budget);

enum class CoverageMethod : std::uint8_t { exact, monteCarlo };

struct CoverageFigures {
    double coverageOfMU = 0.0; // probability (0 ... 1) that the error lies within ±MU, MU = 2 uc
    double halfWidth95 = 0.0;  // dB: the probabilistically symmetric 95 % interval is ±halfWidth95
    double k95 = 0.0;          // halfWidth95 / uc
    std::uint64_t trials = 0;  // Monte Carlo trials; 0 for the exact method
    double tolerance = 0.0;    // dB: the Monte Carlo's numerical tolerance; 0 for the exact method
};

// The Monte Carlo method of JCGM 101 (GUM Supplement 1), its adaptive procedure (clause 7.9): batches of
// 10⁴ trials until twice the standard deviation of every batch result (mean, standard deviation and both
// interval ends) is within the numerical tolerance. The generator is std::mt19937_64 with a fixed seed:
// the same terms and options always give the same result.
struct MonteCarloOptions {
    std::uint64_t seed = 101;
    // dB; 0: half a unit in the second significant digit of the standard deviation (JCGM 101, 7.9.2).
    double tolerance = 0.0;
    std::uint64_t fixedTrials = 0;        // > 0: exactly this many trials, no adaptive stopping
    std::uint64_t maxTrials = 10'000'000; // the adaptive procedure stops here at the latest
};

struct MonteCarloOutcome {
    CoverageFigures figures;
    Interval shortest95{};      // the shortest 95 % interval among the sorted values (clause 7.7.2)
    std::vector<double> values; // every trial's total error, dB, in no particular order
};

// Whether the terms have a distribution: at least one, every standard deviation finite and > 0, and the
// sum of their squares finite and > 0.
bool HasDistribution(const std::vector<ErrorTerm>& terms);

// None when there is no term (every contribution unticked or zero) or a value is not finite.
std::optional<CoverageFigures> ExactCoverage(const std::vector<ErrorTerm>& terms);
std::optional<Interval> ExactShortestInterval(const std::vector<ErrorTerm>& terms);
std::optional<MonteCarloOutcome> MonteCarloCoverage(const std::vector<ErrorTerm>& terms,
                                                    const MonteCarloOptions& options = {});

// The figures of a budget by either method (Monte Carlo with its default options).
std::optional<CoverageFigures> BudgetCoverage(const MeasurementSetup& setup, const UncertaintyBudget& budget,
                                              CoverageMethod method);

// The exact density on `count` equally spaced points from `from` to `to` (dB, 1/dB), for plotting; empty
// without terms.
struct DensityPoint {
    double x;
    double density;
};
std::vector<DensityPoint> ExactDensityCurve(const std::vector<ErrorTerm>& terms, double from, double to,
                                            std::size_t count);

// Monte Carlo values as a histogram of `bins` equal bins from `from` to `to`, each bin's count divided by
// the number of values and the bin width, so that it compares with the density; x is the bin's centre.
std::vector<DensityPoint> Histogram(const std::vector<double>& values, double from, double to,
                                    std::size_t bins);

} // namespace tarvex
