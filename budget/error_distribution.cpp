#include "budget/error_distribution.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <optional>
#include <utility>

namespace tarvex {
namespace {

using CdfDensity = SumDistribution::CdfAndDensity;

CdfDensity NormalAt(double u, double x) {
    const double z = x / u;
    return {0.5 * std::erfc(-z / std::numbers::sqrt2),
            std::exp(-0.5 * z * z) / (u * std::sqrt(2.0 * std::numbers::pi))};
}

CdfDensity RectangularAt(double u, double x) {
    const double a = u * Info(Distribution::rectangular).divisor;
    if (x <= -a || x >= a) {
        return {x <= -a ? 0.0 : 1.0, 0.0};
    }
    return {(x + a) / (2.0 * a), 1.0 / (2.0 * a)};
}

CdfDensity ArcsineAt(double u, double x) {
    const double b = u * Info(Distribution::arcsine).divisor;
    if (x <= -b || x >= b) {
        return {x <= -b ? 0.0 : 1.0, 0.0};
    }
    return {0.5 + std::asin(x / b) / std::numbers::pi,
            1.0 / (std::numbers::pi * std::sqrt((b - x) * (b + x)))};
}

// A term's reach in standard deviations: the normal's tail beyond 8.5 u holds 1e-17; the bounded shapes
// end at their half-width.
constexpr std::array<double, 3> kReachPerU{8.5, std::numbers::sqrt3, std::numbers::sqrt2};

double ReachOf(const ErrorTerm& term) {
    return kReachPerU[static_cast<std::size_t>(term.distribution)] * term.u;
}

// Lattice steps per standard deviation of the continuous part (the coarse lattice).
constexpr double kCoarseStepsPerSd = 64.0;
// Terms below this fraction of the whole standard deviation join the normal term.
constexpr double kNegligibleShare = 1e-3;
// The closed-form part stays continuous while its standard deviation is at least this share of the whole.
constexpr double kSmoothShare = 0.3;
// Phases per arcsine term for each ratio of its bound to the closed form's standard deviation, and the
// most phase combinations the averaging may take before the lattice takes over.
constexpr double kPhasesPerRatio = 4.0;
constexpr double kFewestPhases = 4.0;
constexpr double kMostPhasePoints = 6000.0;
// Masses below this are dropped from a lattice's ends.
constexpr double kNegligibleMass = 1e-18;

CdfDensity TermAt(const ErrorTerm& term, double x) {
    constexpr std::array<CdfDensity (*)(double, double), 3> kAt{NormalAt, RectangularAt, ArcsineAt};
    return kAt[static_cast<std::size_t>(term.distribution)](term.u, x);
}

// The n-th and (n-1)-th repeated integrals of the normal distribution function with standard deviation
// sigma, I_n(x) = E[(x - G)₊ⁿ] / n!, from the partial moments J_n(z) = E[(z - Z)₊ⁿ] of a standard normal:
// J_0 = Φ, J_1 = zΦ + φ, J_n = z J_(n-1) + (n - 1) J_(n-2). With sigma 0, I_n(x) = x₊ⁿ / n!.
std::pair<double, double> RepeatedIntegrals(double sigma, double x, int n) {
    if (sigma == 0.0) {
        const auto power = [x](int k) { return x <= 0.0 ? 0.0 : std::pow(x, k) / std::tgamma(k + 1.0); };
        return {power(n), power(n - 1)};
    }
    const double z = x / sigma;
    const CdfDensity standard = NormalAt(1.0, z);
    double previous = standard.cdf;                       // J_0
    double current = z * standard.cdf + standard.density; // J_1
    for (int k = 2; k <= n; ++k) {
        previous = std::exchange(current, z * current + (k - 1) * previous);
    }
    double scale = 1.0; // sigma^(n-1) / (n-1)!
    for (int k = 1; k < n; ++k) {
        scale *= sigma / k;
    }
    return {scale * sigma / n * current, scale * previous};
}

// A normal term plus rectangular terms in closed form: adding a rectangle of half-width a turns a
// distribution function F into (∫ F from x - a to x + a) / 2a, so m rectangles give a signed sum of the
// m-th repeated integral over the 2^m corners x ± a_1 ± ... ± a_m, divided by the product of the 2a.
CdfDensity NormalWithRectanglesAt(double sigma, const std::vector<double>& halfWidths, double x) {
    const auto m = static_cast<int>(halfWidths.size());
    if (m == 0) {
        return NormalAt(sigma, x);
    }
    CdfDensity sum{0.0, 0.0};
    double scale = 1.0;
    for (const double a : halfWidths) {
        scale *= 2.0 * a;
    }
    for (unsigned corner = 0; corner < (1U << halfWidths.size()); ++corner) {
        double shift = 0.0;
        double sign = 1.0;
        for (std::size_t j = 0; j < halfWidths.size(); ++j) {
            const bool minus = ((corner >> j) & 1U) != 0;
            shift += minus ? -halfWidths[j] : halfWidths[j];
            sign = minus ? -sign : sign;
        }
        const auto [integral, lower] = RepeatedIntegrals(sigma, x + shift, m);
        sum.cdf += sign * integral;
        sum.density += sign * lower;
    }
    return {sum.cdf / scale, sum.density / scale};
}

SumDistribution::Lattice Delta() {
    return {1.0, 0.0, {1.0}, {}, {}};
}

// The exact probability of each cell [(k - 1/2) h, (k + 1/2) h] of one term.
SumDistribution::Lattice CellMasses(const ErrorTerm& term, double step) {
    const auto half = static_cast<long>(std::ceil(ReachOf(term) / step));
    SumDistribution::Lattice cells{step, -static_cast<double>(half) * step, {}, {}, {}};
    cells.mass.reserve(static_cast<std::size_t>(2 * half + 1));
    double lower = 0.0;
    for (long k = -half; k <= half; ++k) {
        const double upper = TermAt(term, (static_cast<double>(k) + 0.5) * step).cdf;
        cells.mass.push_back(upper - lower);
        lower = upper;
    }
    cells.mass.back() += 1.0 - lower;
    return cells;
}

void TrimEnds(SumDistribution::Lattice& lattice) {
    auto& mass = lattice.mass;
    const auto first = std::find_if(mass.begin(), mass.end(), [](double m) { return m > kNegligibleMass; });
    const auto skipped = std::distance(mass.begin(), first);
    mass.erase(mass.begin(), first);
    while (mass.size() > 1 && mass.back() <= kNegligibleMass) {
        mass.pop_back();
    }
    lattice.first += static_cast<double>(skipped) * lattice.step;
}

SumDistribution::Lattice Convolve(const SumDistribution::Lattice& a, const SumDistribution::Lattice& b) {
    SumDistribution::Lattice sum{
        b.step, a.first + b.first, std::vector<double>(a.mass.size() + b.mass.size() - 1), {}, {}};
    for (std::size_t i = 0; i < a.mass.size(); ++i) {
        for (std::size_t j = 0; j < b.mass.size(); ++j) {
            sum.mass[i + j] += a.mass[i] * b.mass[j];
        }
    }
    TrimEnds(sum);
    return sum;
}

SumDistribution::Lattice BuildLattice(const std::vector<ErrorTerm>& terms, double step) {
    SumDistribution::Lattice lattice = Delta();
    lattice.step = step;
    for (const ErrorTerm& term : terms) {
        lattice = Convolve(lattice, CellMasses(term, step));
    }
    lattice.below.assign(lattice.mass.size() + 1, 0.0);
    for (std::size_t k = 0; k < lattice.mass.size(); ++k) {
        lattice.below[k + 1] = lattice.below[k] + lattice.mass[k];
    }
    return lattice;
}

struct Split {
    std::vector<ErrorTerm> closedForm; // one normal term (u may be 0) and the rectangular ones
    std::vector<ErrorTerm> arcsines;
};

double SumOfSquares(const std::vector<ErrorTerm>& terms) {
    double sum = 0.0;
    for (const ErrorTerm& term : terms) {
        sum += term.u * term.u;
    }
    return sum;
}

Split SplitTerms(const std::vector<ErrorTerm>& terms, double sd) {
    double normalVariance = 0.0;
    Split split;
    for (const ErrorTerm& term : terms) {
        if (term.distribution == Distribution::normal || term.u < kNegligibleShare * sd) {
            normalVariance += term.u * term.u;
        } else {
            (term.distribution == Distribution::rectangular ? split.closedForm : split.arcsines)
                .push_back(term);
        }
    }
    split.closedForm.insert(split.closedForm.begin(), {Distribution::normal, std::sqrt(normalVariance)});
    return split;
}

// The fallback: the widest arcsine term continuous, every other term on the lattice.
Split WidestArcsineApart(Split split) {
    const auto widest = std::max_element(split.arcsines.begin(), split.arcsines.end(),
                                         [](const ErrorTerm& a, const ErrorTerm& b) { return a.u < b.u; });
    Split apart{{*widest}, {}};
    split.arcsines.erase(widest);
    apart.arcsines = std::move(split.arcsines);
    std::copy_if(split.closedForm.begin(), split.closedForm.end(), std::back_inserter(apart.arcsines),
                 [](const ErrorTerm& term) { return term.u > 0.0; });
    return apart;
}

std::size_t PhaseCount(const ErrorTerm& arcsine, double closedFormSd) {
    return static_cast<std::size_t>(kFewestPhases +
                                    std::ceil(kPhasesPerRatio * ReachOf(arcsine) / closedFormSd));
}

// The sums of every arcsine term's equally spaced phase points, each of equal weight, in ascending order;
// none when there would be too many.
std::optional<SumDistribution::Lattice> PhasePoints(const std::vector<ErrorTerm>& arcsines,
                                                    double closedFormSd) {
    double count = 1.0;
    for (const ErrorTerm& term : arcsines) {
        count *= static_cast<double>(PhaseCount(term, closedFormSd));
    }
    if (count > kMostPhasePoints) {
        return std::nullopt;
    }
    std::vector<double> sums{0.0};
    for (const ErrorTerm& term : arcsines) {
        const std::size_t n = PhaseCount(term, closedFormSd);
        std::vector<double> next;
        next.reserve(sums.size() * n);
        for (std::size_t i = 0; i < n; ++i) {
            const double point = ReachOf(term) * std::cos(std::numbers::pi * (static_cast<double>(i) + 0.5) /
                                                          static_cast<double>(n));
            for (const double sum : sums) {
                next.push_back(sum + point);
            }
        }
        sums = std::move(next);
    }
    std::sort(sums.begin(), sums.end());
    SumDistribution::Lattice points{
        0.0, 0.0, std::vector<double>(sums.size(), 1.0 / count), {}, std::move(sums)};
    points.below.resize(points.mass.size() + 1);
    for (std::size_t k = 0; k <= points.mass.size(); ++k) {
        points.below[k] = static_cast<double>(k) / count;
    }
    return points;
}

double PositionOf(const SumDistribution::Lattice& lattice, std::size_t k) {
    return lattice.position.empty() ? lattice.first + static_cast<double>(k) * lattice.step
                                    : lattice.position[k];
}

// The indices [begin, end) of the points within [from, to].
std::pair<std::size_t, std::size_t> Window(const SumDistribution::Lattice& lattice, double from, double to) {
    if (!lattice.position.empty()) {
        const auto begin = std::lower_bound(lattice.position.begin(), lattice.position.end(), from);
        const auto end = std::upper_bound(begin, lattice.position.end(), to);
        return {static_cast<std::size_t>(begin - lattice.position.begin()),
                static_cast<std::size_t>(end - lattice.position.begin())};
    }
    const auto count = static_cast<double>(lattice.mass.size());
    const double lowest = std::clamp(std::ceil((from - lattice.first) / lattice.step), 0.0, count);
    const double highest = std::clamp(std::floor((to - lattice.first) / lattice.step) + 1.0, lowest, count);
    return {static_cast<std::size_t>(lowest), static_cast<std::size_t>(highest)};
}

} // namespace

SumDistribution::SumDistribution(const std::vector<ErrorTerm>& terms) {
    for (const ErrorTerm& term : terms) {
        m_reach += ReachOf(term);
    }
    m_sd = std::sqrt(SumOfSquares(terms));
    Split split = SplitTerms(terms, m_sd);
    m_hasArcsine = !split.arcsines.empty();
    // The normal term smooths the rectangular ones' corners: its width sets the number of phases.
    const double normalSd = split.closedForm.front().u;
    auto points =
        normalSd > 0.0 || split.arcsines.empty() ? PhasePoints(split.arcsines, normalSd) : std::nullopt;
    if (!points) {
        split = WidestArcsineApart(std::move(split));
    }
    for (const ErrorTerm& term : split.closedForm) {
        m_continuous.reach += ReachOf(term);
        if (term.distribution == Distribution::arcsine) {
            m_continuous.arcsineU = term.u;
        } else if (term.distribution == Distribution::rectangular) {
            m_continuous.halfWidths.push_back(ReachOf(term));
        } else {
            m_continuous.sigma = term.u;
        }
    }
    if (points) {
        m_fine = std::move(*points);
        m_extrapolate = false;
        return;
    }
    const double coarseStep = std::sqrt(SumOfSquares(split.closedForm)) / kCoarseStepsPerSd;
    m_coarse = BuildLattice(split.arcsines, coarseStep);
    m_fine = BuildLattice(split.arcsines, coarseStep / 2.0);
}

SumDistribution::CdfAndDensity SumDistribution::Continuous::At(double x) const {
    return arcsineU > 0.0 ? ArcsineAt(arcsineU, x) : NormalWithRectanglesAt(sigma, halfWidths, x);
}

// The continuous part's distribution function and density summed over the lattice: points more than the
// part's reach below x count whole, points more than it above x nothing.
CdfDensity SumDistribution::LatticeAt(const Lattice& lattice, double x) const {
    const double reach = m_continuous.reach;
    const auto [lo, end] = Window(lattice, x - reach, x + reach);
    CdfDensity sum{lattice.below[lo], 0.0};
    for (auto k = lo; k < end; ++k) {
        const double position = PositionOf(lattice, k);
        const CdfDensity part = m_continuous.At(x - position);
        sum.cdf += lattice.mass[k] * part.cdf;
        sum.density += lattice.mass[k] * part.density;
    }
    return sum;
}

// Richardson's extrapolation of the two lattices to step 0: the error falls as the step squared.
CdfDensity SumDistribution::At(double x) const {
    if (!m_extrapolate) {
        return LatticeAt(m_fine, x);
    }
    const CdfDensity coarse = LatticeAt(m_coarse, x);
    const CdfDensity fine = LatticeAt(m_fine, x);
    return {std::clamp((4.0 * fine.cdf - coarse.cdf) / 3.0, 0.0, 1.0),
            std::max((4.0 * fine.density - coarse.density) / 3.0, 0.0)};
}

double SumDistribution::ProbabilityWithin(double x) const {
    if (x >= m_reach) {
        return 1.0;
    }
    return x <= 0.0 ? 0.0 : Cdf(x) - Cdf(-x);
}

namespace {

// The root of an increasing function g in [lo, hi] with g(lo) <= 0 <= g(hi), by Newton's steps from start,
// falling back on bisection when a step leaves the bracket. g returns the value and its derivative.
template <typename Function> double IncreasingRoot(Function g, double lo, double hi, double start) {
    double x = std::clamp(start, lo, hi);
    for (int iteration = 0; iteration < 100 && hi - lo > 1e-15 * (std::fabs(lo) + std::fabs(hi));
         ++iteration) {
        const auto [value, slope] = g(x);
        if (value == 0.0) {
            return x;
        }
        (value < 0.0 ? lo : hi) = x;
        const double newton = x - value / slope;
        const bool inside = slope > 0.0 && newton > lo && newton < hi;
        const double next = inside ? newton : 0.5 * (lo + hi);
        if (std::fabs(next - x) <= 1e-14 * std::fabs(x)) {
            return next;
        }
        x = next;
    }
    return x;
}

} // namespace

double SumDistribution::SymmetricHalfWidth(double p) const {
    const auto excess = [this, p](double x) {
        const CdfDensity upper = At(x);
        const CdfDensity lower = At(-x);
        return std::pair{upper.cdf - lower.cdf - p, upper.density + lower.density};
    };
    return IncreasingRoot(excess, 0.0, m_reach, 1.96 * m_sd);
}

double SumDistribution::QuantileNear(double probability, double start) const {
    const auto excess = [this, probability](double x) {
        const CdfDensity at = At(x);
        return std::pair{at.cdf - probability, at.density};
    };
    return IncreasingRoot(excess, -m_reach, m_reach, start);
}

// A sum of symmetric unimodal terms is symmetric and unimodal: its shortest interval is the symmetric one.
// With an arcsine term the density may dip in the middle; then the shortest interval is searched among
// those with the lower tail probability a in [0, (1 - p) / 2] (the mirror images have the same lengths),
// first on a grid of a, then by golden-section search around the best grid point.
Interval SumDistribution::ShortestInterval(double p) const {
    const double h = SymmetricHalfWidth(p);
    const Interval symmetric{-h, h};
    if (!MayHaveInnerMinimum()) {
        return symmetric;
    }
    const double tails = 1.0 - p;
    Interval guess = symmetric;
    const auto intervalAt = [&](double a) {
        guess = {QuantileNear(a, guess.low), QuantileNear(a + p, guess.high)};
        return guess;
    };
    constexpr int kGrid = 8;
    double bestA = tails / 2.0;
    Interval best = symmetric;
    for (int i = kGrid - 1; i >= 0; --i) {
        const double a = tails / 2.0 * i / kGrid;
        const Interval candidate = intervalAt(a);
        if (candidate.high - candidate.low < best.high - best.low) {
            best = candidate;
            bestA = a;
        }
    }
    double lo = std::max(0.0, bestA - tails / 2.0 / kGrid);
    double hi = std::min(tails / 2.0, bestA + tails / 2.0 / kGrid);
    constexpr double kGolden = 0.6180339887498949;
    for (int i = 0; i < 16; ++i) {
        const double a1 = hi - kGolden * (hi - lo);
        const double a2 = lo + kGolden * (hi - lo);
        const Interval i1 = intervalAt(a1);
        const Interval i2 = intervalAt(a2);
        ((i1.high - i1.low) <= (i2.high - i2.low) ? hi : lo) =
            ((i1.high - i1.low) <= (i2.high - i2.low) ? a2 : a1);
        const Interval& shorter = (i1.high - i1.low) <= (i2.high - i2.low) ? i1 : i2;
        if (shorter.high - shorter.low < best.high - best.low) {
            best = shorter;
        }
    }
    return best;
}

} // namespace tarvex
