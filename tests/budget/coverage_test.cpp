// The distribution of the total error: closed forms, JCGM 101's additive examples, an independent
// numerical check, the exact method against the Monte Carlo, and budgets without a distribution.
#include "budget/coverage.h"
#include "budget/inputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace tarvex {
namespace {

using D = Distribution;
constexpr double kSqrt2 = std::numbers::sqrt2;
constexpr double kSqrt3 = std::numbers::sqrt3;

// Closed forms of the probability within ±MU (MU = 2 uc) and the 95 % half-width, by hand:
// normal: erf(√2) and 1.959964 u; rectangle of half-width a = √3 u: ±MU lies outside ±a, half-width 0.95 a;
// arcsine of bound b = √2 u: half-width b sin(0.95 π/2); two rectangles of half-width a: a triangle on
// ±2a, P(|X| <= x) = 1 - (2a - x)² / 4a², so the half-width is 2a (1 - √0.05).
struct ClosedForm {
    const char* name;
    std::vector<ErrorTerm> terms;
    double coverageOfMU;
    double halfWidth95;
};

std::vector<ClosedForm> ClosedForms() {
    const double a = kSqrt3 * 0.2;
    const double mu = 2.0 * kSqrt2 * 0.2;
    return {
        {"lone normal", {{D::normal, 0.2}}, std::erf(kSqrt2), 1.959963984540054 * 0.2},
        {"lone rectangle", {{D::rectangular, 0.2}}, 1.0, 0.95 * a},
        {"lone arcsine", {{D::arcsine, 0.2}}, 1.0, kSqrt2 * 0.2 * std::sin(0.95 * std::numbers::pi / 2.0)},
        {"two equal rectangles",
         {{D::rectangular, 0.2}, {D::rectangular, 0.2}},
         1.0 - (2.0 * a - mu) * (2.0 * a - mu) / (4.0 * a * a),
         2.0 * a * (1.0 - std::sqrt(0.05))},
    };
}

TEST(Coverage, ClosedFormsExactlyAndByMonteCarlo) {
    for (const ClosedForm& c : ClosedForms()) {
        SCOPED_TRACE(c.name);
        const auto exact = ExactCoverage(c.terms);
        ASSERT_TRUE(exact.has_value());
        EXPECT_NEAR(exact->coverageOfMU, c.coverageOfMU, 1e-9);
        EXPECT_NEAR(exact->halfWidth95, c.halfWidth95, 1e-9 * c.halfWidth95);
        const auto mc = MonteCarloCoverage(c.terms);
        ASSERT_TRUE(mc.has_value());
        EXPECT_NEAR(mc->figures.halfWidth95, c.halfWidth95, 2.0 * mc->figures.tolerance);
        EXPECT_NEAR(mc->figures.coverageOfMU, c.coverageOfMU, 0.005);
    }
}

// The Monte Carlo histogram and the exact density describe the same distribution: bin by bin within the
// counts' noise, both normalised to unit area.
TEST(Coverage, HistogramFollowsTheDensity) {
    const std::vector<ErrorTerm> terms{{D::normal, 0.3}, {D::arcsine, 1.0}, {D::rectangular, 0.4}};
    MonteCarloOptions options;
    options.fixedTrials = 400'000;
    const auto mc = MonteCarloCoverage(terms, options);
    ASSERT_TRUE(mc.has_value());
    const auto histogram = Histogram(mc->values, -3.5, 3.5, 35);
    ASSERT_EQ(histogram.size(), 35U);
    double area = 0.0;
    for (const DensityPoint& bin : histogram) {
        const auto exact = ExactDensityCurve(terms, bin.x - 0.1, bin.x + 0.1, 21); // the bin's mean density
        double mean = 0.0;
        for (std::size_t i = 0; i < exact.size(); ++i) {
            mean += exact[i].density * ((i == 0 || i + 1 == exact.size()) ? 0.5 : 1.0) / 20.0;
        }
        EXPECT_NEAR(bin.density, mean, 0.02 + 0.02 * mean) << bin.x;
        area += bin.density * 0.2;
    }
    EXPECT_NEAR(area, 1.0, 1e-3);
}

// A lone arcsine term's shortest 95 % interval starts at its bound: [-b, b sin(0.45 π)].
TEST(Coverage, ShortestIntervalOfALoneArcsine) {
    const double b = kSqrt2 * 0.2;
    const auto shortest = ExactShortestInterval({{D::arcsine, 0.2}});
    ASSERT_TRUE(shortest.has_value());
    EXPECT_NEAR(shortest->low, -b, 1e-6 * b);
    EXPECT_NEAR(shortest->high, b * std::sin(0.45 * std::numbers::pi), 1e-6 * b);
}

// JCGM 101:2008, 9.2: Y = X1 + X2 + X3 + X4, with the results as printed there (u(y) and the 95 % coverage
// interval, symmetric about 0).
TEST(Coverage, AdditiveModelExamplesOfJcgm101) {
    const struct {
        const char* name;
        std::vector<ErrorTerm> terms;
        double u, interval; // printed: u(y) and the interval's upper end (symmetric)
        double digits;      // half a unit of the printed last digit
    } cases[] = {
        {"9.2.2 normal", {{D::normal, 1}, {D::normal, 1}, {D::normal, 1}, {D::normal, 1}}, 2.00, 3.92, 0.005},
        {"9.2.3 rectangular",
         {{D::rectangular, 1}, {D::rectangular, 1}, {D::rectangular, 1}, {D::rectangular, 1}},
         2.00,
         3.88,
         0.005},
        {"9.2.4 one wide rectangle",
         {{D::rectangular, 1}, {D::rectangular, 1}, {D::rectangular, 1}, {D::rectangular, 10}},
         10.15,
         17.0,
         0.05},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto exact = ExactCoverage(c.terms);
        ASSERT_TRUE(exact.has_value());
        EXPECT_NEAR(exact->halfWidth95 / exact->k95, c.u, 0.005);
        EXPECT_NEAR(exact->halfWidth95, c.interval, c.digits);
        MonteCarloOptions options;
        options.fixedTrials = 1'000'000;
        const auto mc = MonteCarloCoverage(c.terms, options);
        ASSERT_TRUE(mc.has_value());
        // The shortest interval's length is well determined; where it lies, much less so (its length is
        // stationary in its position).
        EXPECT_NEAR(mc->figures.halfWidth95, c.interval, 2.0 * c.digits);
        EXPECT_NEAR(mc->shortest95.high - mc->shortest95.low, 2.0 * c.interval, 4.0 * c.digits);
    }
}

// An independent check of the exact method: a normal term plus arcsine terms, the arcsines averaged over
// 20,000 phases each way by the midpoint rule, the normal in closed form.
double NormalPlusArcsinesWithin(double sigma, double b1, double b2, double x) {
    constexpr int kPhases = 400;
    double sum = 0.0;
    for (int i = 0; i < kPhases; ++i) {
        for (int j = 0; j < kPhases; ++j) {
            const double s = b1 * std::cos(std::numbers::pi * (i + 0.5) / kPhases) +
                             b2 * std::cos(std::numbers::pi * (j + 0.5) / kPhases);
            sum += 0.5 * (std::erfc((-x - s) / (sigma * kSqrt2)) - std::erfc((x - s) / (sigma * kSqrt2)));
        }
    }
    return sum / (kPhases * kPhases);
}

TEST(Coverage, ExactAgainstDirectPhaseAveraging) {
    const struct { double sigma, u1, u2; } cases[] = {{0.2, 1.0, 0.0}, {0.5, 1.0, 0.4}, {1.0, 0.3, 0.3}};
    for (const auto& c : cases) {
        std::vector<ErrorTerm> terms{{D::normal, c.sigma}, {D::arcsine, c.u1}};
        if (c.u2 > 0.0) {
            terms.push_back({D::arcsine, c.u2});
        }
        const auto exact = ExactCoverage(terms);
        ASSERT_TRUE(exact.has_value());
        const double uc = exact->halfWidth95 / exact->k95;
        SCOPED_TRACE(c.sigma);
        EXPECT_NEAR(NormalPlusArcsinesWithin(c.sigma, kSqrt2 * c.u1, kSqrt2 * c.u2, exact->halfWidth95), 0.95,
                    1e-6);
        EXPECT_NEAR(NormalPlusArcsinesWithin(c.sigma, kSqrt2 * c.u1, kSqrt2 * c.u2, 2.0 * uc),
                    exact->coverageOfMU, 1e-6);
    }
}

// A second independent check, for sums without a normal term, where the exact method works on a lattice:
// P(b cos θ + Y <= x) = (1/π) ∫ F_Y(x - b cos θ) dθ over [0, π], with F_Y in closed form, split where
// x - b cos θ meets a corner of F_Y and each piece integrated by the tanh-sinh rule in long double (exact
// to about 1e-18 even with the arcsine's square-root ends).
using Cdf = std::function<long double(long double)>;

long double TanhSinh(const Cdf& f, long double from, long double to) {
    constexpr long double kStep = 1.0L / 64;
    constexpr long double kHalfPi = std::numbers::pi_v<long double> / 2;
    const long double half = (to - from) / 2;
    long double sum = 0;
    for (int k = -6 * 64; k <= 6 * 64; ++k) {
        const long double v = kHalfPi * std::sinh(k * kStep);
        const long double x = from + half + half * std::tanh(v);
        if (x > from && x < to) {
            sum += kHalfPi * std::cosh(k * kStep) / (std::cosh(v) * std::cosh(v)) * f(x);
        }
    }
    return sum * kStep * half;
}

long double ArcsineCdf(long double b, long double x) {
    return std::clamp(0.5L + std::asin(std::clamp(x / b, -1.0L, 1.0L)) / std::numbers::pi_v<long double>,
                      0.0L, 1.0L);
}

// ∫ ArcsineCdf from -b to x.
long double ArcsineCdfIntegralRef(long double b, long double x) {
    if (std::fabs(x) >= b) {
        return std::max(x, 0.0L);
    }
    return x / 2 + (x * std::asin(x / b) + std::sqrt(b * b - x * x)) / std::numbers::pi_v<long double>;
}

struct Other {
    Cdf cdf;
    std::vector<long double> corners;
};

long double ArcsinePlusOtherCdf(long double b, const Other& other, long double x) {
    std::vector<long double> cuts{0, std::numbers::pi_v<long double>};
    for (const long double corner : other.corners) {
        if (std::fabs(x - corner) < b) {
            cuts.push_back(std::acos((x - corner) / b));
        }
    }
    std::sort(cuts.begin(), cuts.end());
    long double sum = 0;
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        sum += TanhSinh([&](long double theta) { return other.cdf(x - b * std::cos(theta)); }, cuts[i],
                        cuts[i + 1]);
    }
    return sum / std::numbers::pi_v<long double>;
}

// The rest beside the widest arcsine term: an arcsine of bound c, a rectangle of half-width a, or both
// (whose distribution function is the arcsine's averaged over ±a).
Other OtherTerms(long double c, long double a) {
    if (a == 0) {
        return {[c](long double x) { return ArcsineCdf(c, x); }, {-c, c}};
    }
    if (c == 0) {
        return {[a](long double x) { return std::clamp((x + a) / (2 * a), 0.0L, 1.0L); }, {-a, a}};
    }
    return {[a, c](long double x) {
                return (ArcsineCdfIntegralRef(c, x + a) - ArcsineCdfIntegralRef(c, x - a)) / (2 * a);
            },
            {-c - a, -c + a, c - a, c + a}};
}

TEST(Coverage, ExactWithoutNormalTermAgainstQuadrature) {
    const struct {
        double arcsine, otherArcsine, rectangle;
    } cases[] = {
        {1.0, 1.0, 0.0}, {1.0, 0.5, 0.0},  {1.0, 0.2, 0.0},  {1.0, 0.05, 0.0},
        {1.0, 0.0, 1.0}, {1.0, 0.0, 0.3},  {0.3, 0.0, 1.0},  {1.0, 0.0, 3.0},
        {1.0, 0.7, 0.4}, {1.0, 0.5, 0.05}, {1.0, 1.0, 0.25}, {1.0, 0.3, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.arcsine << " " << c.otherArcsine << " " << c.rectangle);
        std::vector<ErrorTerm> terms{{D::arcsine, c.arcsine}};
        if (c.otherArcsine > 0.0) {
            terms.push_back({D::arcsine, c.otherArcsine});
        }
        if (c.rectangle > 0.0) {
            terms.push_back({D::rectangular, c.rectangle});
        }
        const auto exact = ExactCoverage(terms);
        ASSERT_TRUE(exact.has_value());
        const Other other = OtherTerms(kSqrt2 * c.otherArcsine, kSqrt3 * c.rectangle);
        const auto within = [&](double x) {
            return static_cast<double>(ArcsinePlusOtherCdf(kSqrt2 * c.arcsine, other, x) -
                                       ArcsinePlusOtherCdf(kSqrt2 * c.arcsine, other, -x));
        };
        const double uc = exact->halfWidth95 / exact->k95;
        EXPECT_NEAR(within(exact->halfWidth95), 0.95, 1e-6);
        EXPECT_NEAR(within(2.0 * uc), exact->coverageOfMU, 1e-6);
        // Near the points where the widest arcsine's ends meet the other terms' corners the lattice is least
        // accurate: 2 % of the bound away, within 1e-6 (at the meeting points themselves up to about 1e-4).
        const SumDistribution distribution(terms);
        for (const long double corner : other.corners) {
            for (const double offset : {-0.02, 0.02}) {
                const double x = static_cast<double>(kSqrt2 * c.arcsine * (1.0 + offset) - corner);
                const auto reference = static_cast<double>(ArcsinePlusOtherCdf(kSqrt2 * c.arcsine, other, x));
                EXPECT_NEAR(distribution.Cdf(x), reference, 1e-6) << x;
            }
        }
    }
}

// Two equal arcsine terms of bound b: the density is K(√(1 - x²/4b²)) / (π² b), K the complete elliptic
// integral of the first kind (a logarithmic peak at 0 and a step at ±2b).
TEST(Coverage, TwoEqualArcsinesHaveTheEllipticDensity) {
    const double b = 1.5;
    const auto curve =
        ExactDensityCurve({{D::arcsine, b / kSqrt2}, {D::arcsine, b / kSqrt2}}, 0.15, 2.85, 10);
    ASSERT_EQ(curve.size(), 10U);
    for (const DensityPoint& point : curve) {
        const double k = std::sqrt(1.0 - point.x * point.x / (4.0 * b * b));
        const double density = std::comp_ellint_1(k) / (std::numbers::pi * std::numbers::pi * b);
        EXPECT_NEAR(point.density, density, 1e-4 * density) << point.x;
    }
}

// Budgets of the program: mismatch dominating at a poor source match, the start state, a few others.
std::vector<MeasurementSetup> VariedSetups() {
    std::vector<MeasurementSetup> setups(5, StartSetup());
    setups[0].returnLossDb = 6.0; // poor source match: mismatch dominates
    setups[1].sensor = "TS-106";
    setups[1].frequency = 20.0;
    setups[1].level = 8;
    setups[1].unit = ResultUnit::percent;
    setups[2].include.fill(0);
    setups[2].include[Index(Contribution::M)] = 1;
    setups[2].include[Index(Contribution::GG)] = 1;
    setups[3].resolution = "0.1 dB";
    setups[3].include[Index(Contribution::cal)] = 0;
    setups[4].fdLinSystematic = true;
    return setups;
}

TEST(Coverage, ExactAndMonteCarloAgreeOnBudgets) {
    for (const MeasurementSetup& setup : VariedSetups()) {
        const UncertaintyBudget budget = EvaluateBudget(setup);
        const std::vector<ErrorTerm> terms = BudgetErrorTerms(setup, budget);
        const auto exact = ExactCoverage(terms);
        const auto mc = MonteCarloCoverage(terms);
        ASSERT_TRUE(exact.has_value() && mc.has_value());
        SCOPED_TRACE(setup.returnLossDb);
        EXPECT_NEAR(exact->halfWidth95 / exact->k95, budget.uc, 1e-12);
        EXPECT_NEAR(mc->figures.halfWidth95, exact->halfWidth95, 2.0 * mc->figures.tolerance);
        EXPECT_NEAR(mc->figures.coverageOfMU, exact->coverageOfMU, 0.005);
        const auto again = MonteCarloCoverage(terms);
        EXPECT_EQ(again->figures.halfWidth95, mc->figures.halfWidth95); // same seed, same result
    }
}

TEST(Coverage, NoDistributionWithoutTerms) {
    MeasurementSetup setup = StartSetup();
    setup.include.fill(0);
    const UncertaintyBudget budget = EvaluateBudget(setup);
    EXPECT_FALSE(BudgetCoverage(setup, budget, CoverageMethod::exact).has_value());
    EXPECT_FALSE(BudgetCoverage(setup, budget, CoverageMethod::monteCarlo).has_value());
    EXPECT_TRUE(ExactDensityCurve(BudgetErrorTerms(setup, budget), -1.0, 1.0, 11).empty());
    EXPECT_FALSE(ExactCoverage({{D::normal, std::numeric_limits<double>::infinity()}}).has_value());
    EXPECT_FALSE(ExactCoverage({{D::arcsine, 1e200}, {D::normal, 1.0}}).has_value()); // u² overflows
    EXPECT_FALSE(MonteCarloCoverage({{D::normal, 1e-200}}).has_value());              // u² vanishes
}

// Only the mismatch term: the arcsine's closed form; the systematic error takes no part.
TEST(Coverage, OneTermBudgetIsItsClosedForm) {
    MeasurementSetup setup = StartSetup();
    setup.include.fill(0);
    setup.include[Index(Contribution::M)] = 1;
    const UncertaintyBudget budget = EvaluateBudget(setup);
    const auto figures = BudgetCoverage(setup, budget, CoverageMethod::exact);
    ASSERT_TRUE(figures.has_value());
    EXPECT_NEAR(figures->k95, kSqrt2 * std::sin(0.95 * std::numbers::pi / 2.0), 1e-12);
    EXPECT_EQ(figures->coverageOfMU, 1.0);
}

} // namespace
} // namespace tarvex
