// The Monte Carlo method of JCGM 101 (GUM Supplement 1) for the sum of independent error terms.
#include "budget/coverage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

namespace tarvex {
namespace {

// The batch size M = max(J, 10⁴), with J = 100 / (1 - p) = 2000 for p = 0.95 (JCGM 101, 7.9.4 b).
constexpr std::uint64_t kBatchTrials = 10'000;
// Significant digits of the standard deviation that the numerical tolerance refers to (7.9.2).
constexpr int kSignificantDigits = 2;

// Draws the total error: one normal term for all normal ones, then each bounded term.
class ErrorSampler {
public:
    ErrorSampler(const std::vector<ErrorTerm>& terms, std::uint64_t seed)
        : m_engine(seed) {
        double normalVariance = 0.0;
        for (const ErrorTerm& term : terms) {
            if (term.distribution == Distribution::normal) {
                normalVariance += term.u * term.u;
            } else {
                m_bounded.push_back({term.distribution, term.u * Info(term.distribution).divisor});
            }
        }
        m_normalSd = std::sqrt(normalVariance);
    }

    double Draw() {
        double sum = m_normalSd > 0.0 ? m_normalSd * m_normal(m_engine) : 0.0;
        for (const ErrorTerm& term : m_bounded) { // u holds the half-width here
            sum += term.u *
                   (term.distribution == Distribution::rectangular ? 2.0 * Uniform() - 1.0 : CosOfPhase());
        }
        return sum;
    }

private:
    // cos(φ) for a phase φ equally likely anywhere: cos(2θ) = (x² - y²) / (x² + y²) for a point (x, y)
    // equally likely anywhere in the unit disc, whose angle θ is uniform; cheaper than a cosine.
    double CosOfPhase() {
        for (;;) {
            // Both coordinates from one draw of the engine, 32 bits each.
            const std::uint64_t bits = m_engine();
            const double x = 2.0 * static_cast<double>(bits >> 32U) * 0x1.0p-32 - 1.0;
            const double y = 2.0 * static_cast<double>(bits & 0xFFFFFFFFU) * 0x1.0p-32 - 1.0;
            const double r2 = x * x + y * y;
            if (r2 < 1.0 && r2 > 0.0) {
                return (x * x - y * y) / r2;
            }
        }
    }

    // Uniform in [0, 1) from the engine's top 53 bits.
    double Uniform() { return static_cast<double>(m_engine() >> 11U) * 0x1.0p-53; }

    std::mt19937_64 m_engine;
    std::normal_distribution<double> m_normal;
    std::vector<ErrorTerm> m_bounded;
    double m_normalSd = 0.0;
};

struct BatchResult {
    double mean;
    double sd;
    double low;
    double high;
};

double Mean(const double* begin, const double* end) {
    double sum = 0.0;
    for (const double* v = begin; v != end; ++v) {
        sum += *v;
    }
    return sum / static_cast<double>(end - begin);
}

double StandardDeviation(const double* begin, const double* end, double mean) {
    double sum = 0.0;
    for (const double* v = begin; v != end; ++v) {
        sum += (*v - mean) * (*v - mean);
    }
    return std::sqrt(sum / static_cast<double>(end - begin - 1));
}

// q = pM rounded: the number of values an interval of probability p holds.
std::size_t CoveredCount(std::size_t count) {
    return static_cast<std::size_t>(std::llround(kCoverageProbability * static_cast<double>(count)));
}

// The probabilistically symmetric interval (7.7.1): the values of rank (M - q)/2 and (M + q)/2 with
// q = pM rounded, found by selection. The values are reordered.
Interval SymmetricInterval(double* begin, double* end) {
    const auto count = static_cast<std::size_t>(end - begin);
    const std::size_t q = CoveredCount(count);
    const std::size_t low = (count - q) / 2;
    std::nth_element(begin, begin + low, end);
    std::nth_element(begin + low + 1, begin + low + q - 1, end);
    return {begin[low], begin[low + q - 1]};
}

BatchResult Summarise(double* begin, double* end) {
    const double mean = Mean(begin, end);
    const double sd = StandardDeviation(begin, end, mean);
    const Interval interval = SymmetricInterval(begin, end);
    return {mean, sd, interval.low, interval.high};
}

// The shortest interval (7.7.2): the least y(r+q) - y(r). Only the lowest and highest M - q values take
// part as ends, so only they are sorted (and left sorted, ranks 0 ... M - q and q - 1 ... M - 1).
Interval ShortestInterval(std::vector<double>& values) {
    const std::size_t count = values.size();
    const std::size_t q = CoveredCount(count);
    const std::size_t tail = count - q; // ranks 0 ... tail - 1 start an interval
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(tail), values.end());
    std::sort(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(tail) + 1);
    const auto highFrom = values.begin() + static_cast<std::ptrdiff_t>(q - 1);
    std::nth_element(values.begin() + static_cast<std::ptrdiff_t>(tail) + 1, highFrom, values.end());
    std::sort(highFrom, values.end());
    Interval best{values[0], values[q - 1]};
    for (std::size_t r = 1; r <= tail; ++r) {
        if (values[r + q - 1] - values[r] < best.high - best.low) {
            best = {values[r], values[r + q - 1]};
        }
    }
    return best;
}

// The standard deviation of all values so far, from the batches' means and standard deviations (equal
// batch sizes M): the mean of the batch variances plus the variance of the batch means, corrected for
// the whole count.
double PooledStandardDeviation(const std::vector<BatchResult>& batches) {
    const auto h = static_cast<double>(batches.size());
    const auto m = static_cast<double>(kBatchTrials);
    double mean = 0.0;
    for (const BatchResult& batch : batches) {
        mean += batch.mean / h;
    }
    double sum = 0.0;
    for (const BatchResult& batch : batches) {
        sum += (m - 1.0) * batch.sd * batch.sd + m * (batch.mean - mean) * (batch.mean - mean);
    }
    return std::sqrt(sum / (h * m - 1.0));
}

// Half a unit in the last of kSignificantDigits digits of u (7.9.2): u = 0.036 gives 0.0005.
double NumericalTolerance(double u) {
    const double exponent = std::floor(std::log10(u)) - (kSignificantDigits - 1);
    return 0.5 * std::pow(10.0, exponent);
}

// Twice the standard deviation of the batch means of each result is within the tolerance (7.9.4 f to i).
bool Stabilised(const std::vector<BatchResult>& batches, double tolerance) {
    const auto h = static_cast<double>(batches.size());
    const std::array<double BatchResult::*, 4> results{&BatchResult::mean, &BatchResult::sd,
                                                       &BatchResult::low, &BatchResult::high};
    for (const auto result : results) {
        double mean = 0.0;
        for (const BatchResult& batch : batches) {
            mean += batch.*result / h;
        }
        double sum = 0.0;
        for (const BatchResult& batch : batches) {
            sum += (batch.*result - mean) * (batch.*result - mean);
        }
        if (2.0 * std::sqrt(sum / (h * (h - 1.0))) > tolerance) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<MonteCarloOutcome> MonteCarloCoverage(const std::vector<ErrorTerm>& terms,
                                                    const MonteCarloOptions& options) {
    if (!HasDistribution(terms)) {
        return std::nullopt;
    }
    double variance = 0.0;
    for (const ErrorTerm& term : terms) {
        variance += term.u * term.u;
    }
    const double uc = std::sqrt(variance);
    ErrorSampler sampler(terms, options.seed);
    MonteCarloOutcome outcome;
    outcome.values.reserve(options.fixedTrials);
    std::vector<BatchResult> batches;
    double tolerance = options.tolerance;
    const std::uint64_t limit = options.fixedTrials > 0 ? options.fixedTrials : options.maxTrials;
    while (outcome.values.size() < limit) {
        const std::size_t start = outcome.values.size();
        const std::uint64_t size = std::min<std::uint64_t>(kBatchTrials, limit - start);
        for (std::uint64_t i = 0; i < size; ++i) {
            outcome.values.push_back(sampler.Draw());
        }
        if (options.fixedTrials > 0) {
            continue;
        }
        batches.push_back(
            Summarise(outcome.values.data() + start, outcome.values.data() + outcome.values.size()));
        if (options.tolerance == 0.0) {
            tolerance = NumericalTolerance(PooledStandardDeviation(batches));
        }
        if (batches.size() >= 2 && Stabilised(batches, tolerance)) {
            break;
        }
    }
    std::vector<double>& values = outcome.values;
    const auto within = static_cast<double>(
        std::count_if(values.begin(), values.end(), [uc](double v) { return std::fabs(v) <= 2.0 * uc; }));
    outcome.shortest95 = ShortestInterval(values);
    // Both ends of the symmetric interval lie in the tails that the shortest interval sorted.
    const std::size_t q = CoveredCount(values.size());
    const std::size_t low = (values.size() - q) / 2;
    const double halfWidth = (values[low + q - 1] - values[low]) / 2.0;
    outcome.figures = {within / static_cast<double>(values.size()), halfWidth, halfWidth / uc, values.size(),
                       tolerance};
    return outcome;
}

} // namespace tarvex
