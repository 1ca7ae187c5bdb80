#include "budget/error_distribution.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <optional>
#include <utility>

namespace tarvex {
namespace {

// Lattice steps per standard deviation of the continuous part (the coarse lattice).
constexpr double kCoarseStepsPerSd = 64.0;
// The same where the continuous part has sharp edges (an arcsine term, or rectangles without a normal
// term) and the lattice holds at most one arcsine term: the edges meet that term's ends (or a rectangle's
// edges), and the error left after the extrapolation falls only slowly there. Two arcsine terms on the
// lattice smooth each other's ends.
constexpr double kSharpEdgesStepsPerSd = 256.0;
// Terms below this fraction of the whole standard deviation join the normal term.
// (Its shape changes a probability by about its excess kurtosis times (u/sd)⁴ / 24 · 0.3: below 1e-8.)
constexpr double kNegligibleShare = 0.02;
// Phases per arcsine term for each ratio of its bound to the closed form's standard deviation, and the
// most phase combinations the averaging may take before the lattice takes over.
constexpr double kPhasesPerRatio = 3.0;
constexpr double kFewestPhases = 2.0;
constexpr double kMostPhasePoints = 20000.0;
// The lattice's fallback: the closed form stays continuous while its standard deviation is at least this
// share of the widest arcsine term's; the lattice step is never below this share of the whole standard
// deviation divided by kCoarseStepsPerSd, which bounds the work.
constexpr double kSmoothEnough = 0.3;
constexpr double kFinestStepShare = 0.1;
// Masses below this are dropped from a lattice's ends.
constexpr double kNegligibleMass = 1e-18;

SumDistribution::Lattice Delta() {
    return {1.0, 0.0, {1.0}, {}, {}};
}

// One term on the lattice k·h: each point carries the term's probability weighted by the hat function
// 1 - |y - k h| / h, the second difference of the distribution function's integral G:
// (G(kh + h) - 2 G(kh) + G(kh - h)) / h. This keeps the mass and the mean of every cell exact, so that a
// term's end singularity leaves an error of order h^2.5 only, against h^1.5 for masses at the cells'
// centres; the rest of the error falls as h², which the extrapolation removes.
SumDistribution::Lattice HatMasses(const ErrorTerm& term, double step) {
    const auto half = static_cast<long>(std::ceil(ReachOf(term) / step));
    SumDistribution::Lattice points{step, -static_cast<double>(half) * step, {}, {}, {}};
    points.mass.reserve(static_cast<std::size_t>(2 * half + 1));
    double below = TermCdfIntegral(term, points.first - step);
    double at = TermCdfIntegral(term, points.first);
    for (long k = -half; k <= half; ++k) {
        const double above = TermCdfIntegral(term, (static_cast<double>(k) + 1.0) * step);
        points.mass.push_back((above - 2.0 * at + below) / step);
        below = std::exchange(at, above);
    }
    return points;
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
    if (terms.empty()) {
        lattice.position = {0.0}; // the continuous part alone, taken as it is
    }
    for (const ErrorTerm& term : terms) {
        lattice = Convolve(lattice, HatMasses(term, step));
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

double PhaseCount(const ErrorTerm& arcsine, double closedFormSd) {
    return kFewestPhases + std::ceil(kPhasesPerRatio * ReachOf(arcsine) / closedFormSd);
}

// The sums of every arcsine term's equally spaced phase points, each of equal weight, in ascending order;
// none when there would be too many.
std::optional<SumDistribution::Lattice> PhasePoints(const std::vector<ErrorTerm>& arcsines,
                                                    double closedFormSd) {
    double count = 1.0;
    for (const ErrorTerm& term : arcsines) {
        count *= PhaseCount(term, closedFormSd);
    }
    if (!(count <= kMostPhasePoints)) {
        return std::nullopt;
    }
    std::vector<double> sums{0.0};
    for (const ErrorTerm& term : arcsines) {
        const auto n = static_cast<std::size_t>(PhaseCount(term, closedFormSd));
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
    constexpr std::array<double, 3> kExcessKurtosis{0.0, -1.2, -1.5}; // normal, rectangular, arcsine
    double fourthCumulant = 0.0;
    for (const ErrorTerm& term : terms) {
        m_reach += ReachOf(term);
        fourthCumulant += kExcessKurtosis[static_cast<std::size_t>(term.distribution)] * std::pow(term.u, 4);
    }
    m_sd = std::sqrt(SumOfSquares(terms));
    m_excessKurtosis = fourthCumulant / std::pow(m_sd, 4);
    Split split = SplitTerms(terms, m_sd);
    m_hasArcsine = !split.arcsines.empty();
    // The normal term smooths the rectangular ones' corners: its width sets the number of phases.
    const double normalSd = split.closedForm.front().u;
    auto points =
        normalSd > 0.0 || split.arcsines.empty() ? PhasePoints(split.arcsines, normalSd) : std::nullopt;
    const auto widest = std::max_element(split.arcsines.begin(), split.arcsines.end(),
                                         [](const ErrorTerm& a, const ErrorTerm& b) { return a.u < b.u; });
    if (!points && std::sqrt(SumOfSquares(split.closedForm)) < kSmoothEnough * widest->u) {
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
    const bool sharpEdges =
        (m_continuous.arcsineU > 0.0 || m_continuous.sigma == 0.0) &&
        std::count_if(split.arcsines.begin(), split.arcsines.end(),
                      [](const ErrorTerm& term) { return term.distribution == Distribution::arcsine; }) <= 1;
    const double stepsPerSd = sharpEdges ? kSharpEdgesStepsPerSd : kCoarseStepsPerSd;
    const double coarseStep =
        std::max(std::sqrt(SumOfSquares(split.closedForm)), kFinestStepShare * m_sd) / stepsPerSd;
    m_coarse = BuildLattice(split.arcsines, coarseStep);
    m_fine = BuildLattice(split.arcsines, coarseStep / 2.0);
}

SumDistribution::CdfAndDensity SumDistribution::Continuous::At(double x) const {
    return arcsineU > 0.0 ? ArcsineAt(arcsineU, x) : NormalWithRectanglesAt(sigma, halfWidths, x);
}

SumDistribution::IntegralAndCdf SumDistribution::Continuous::IntegralAt(double x) const {
    return arcsineU > 0.0 ? ArcsineCdfIntegral(arcsineU, x)
                          : NormalWithRectanglesCdfIntegral(sigma, halfWidths, x);
}

// The continuous part's distribution function and density summed over the lattice: points more than the
// part's reach below x count whole, points more than it above x nothing.
CdfAndDensity SumDistribution::LatticeAt(const Lattice& lattice, double x) const {
    if (lattice.position.empty()) {
        return CellAveragedAt(lattice, x);
    }
    const double reach = m_continuous.reach;
    const auto [lo, end] = Window(lattice, x - reach, x + reach);
    CdfAndDensity sum{lattice.below[lo], 0.0};
    for (auto k = lo; k < end; ++k) {
        const double position = PositionOf(lattice, k);
        const CdfAndDensity part = m_continuous.At(x - position);
        sum.cdf += lattice.mass[k] * part.cdf;
        sum.density += lattice.mass[k] * part.density;
    }
    return sum;
}

// On a lattice of step h, the continuous part is averaged over each point's cell [y - h/2, y + h/2] by
// the exact integral of its distribution function: the arcsine's end singularities then leave no error
// of lower order than h². Neighbouring cells share their edges.
CdfAndDensity SumDistribution::CellAveragedAt(const Lattice& lattice, double x) const {
    const double step = lattice.step;
    const double reach = m_continuous.reach + step;
    const auto [lo, end] = Window(lattice, x - reach, x + reach);
    CdfAndDensity sum{lattice.below[lo], 0.0};
    double edge = x - PositionOf(lattice, lo) + 0.5 * step;
    IntegralAndCdf upper = m_continuous.IntegralAt(edge);
    for (auto k = lo; k < end; ++k) {
        edge -= step;
        const IntegralAndCdf lower = m_continuous.IntegralAt(edge);
        sum.cdf += lattice.mass[k] * (upper.integral - lower.integral) / step;
        sum.density += lattice.mass[k] * (upper.cdf - lower.cdf) / step;
        upper = lower;
    }
    return sum;
}

// Richardson's extrapolation of the two lattices to step 0: the error falls as the step squared.
CdfAndDensity SumDistribution::At(double x) const {
    if (!m_extrapolate) {
        return LatticeAt(m_fine, x);
    }
    const CdfAndDensity coarse = LatticeAt(m_coarse, x);
    const CdfAndDensity fine = LatticeAt(m_fine, x);
    return {std::clamp((4.0 * fine.cdf - coarse.cdf) / 3.0, 0.0, 1.0),
            std::max((4.0 * fine.density - coarse.density) / 3.0, 0.0)};
}

double SumDistribution::ProbabilityWithin(double x) const {
    if (x >= m_reach) {
        return 1.0;
    }
    return x <= 0.0 ? 0.0 : 2.0 * Cdf(x) - 1.0; // symmetric about 0
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
        if (std::fabs(next - x) <= 1e-13 * std::fabs(x)) {
            return next;
        }
        x = next;
    }
    return x;
}

// erf⁻¹(y) for 0 < y < 1 by Newton's steps from a rough start.
double InverseErf(double y) {
    double x = 1.0;
    for (int i = 0; i < 60; ++i) {
        const double step = (std::erf(x) - y) / (2.0 / std::sqrt(std::numbers::pi) * std::exp(-x * x));
        x -= step;
        if (std::fabs(step) < 1e-15) {
            break;
        }
    }
    return x;
}

} // namespace

// Newton's steps from the Cornish-Fisher estimate z + γ₂ (z³ - 3z) / 24 of the normal quantile z, γ₂ the
// excess kurtosis; by symmetry P(-x <= X <= x) = 2 F(x) - 1.
double SumDistribution::SymmetricHalfWidth(double p) const {
    const auto excess = [this, p](double x) {
        const CdfAndDensity at = At(x);
        return std::pair{2.0 * at.cdf - 1.0 - p, 2.0 * at.density};
    };
    const double z = std::sqrt(2.0) * InverseErf(p);
    const double k = std::clamp(z + m_excessKurtosis * (z * z * z - 3.0 * z) / 24.0, 0.5 * z, z);
    return IncreasingRoot(excess, 0.0, m_reach, k * m_sd);
}

double SumDistribution::QuantileNear(double probability, double start) const {
    const auto excess = [this, probability](double x) {
        const CdfAndDensity at = At(x);
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
