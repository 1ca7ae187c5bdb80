#include "budget/error_shapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace tarvex {
namespace {

CdfAndDensity NormalAt(double u, double x) {
    const double z = x / u;
    return {0.5 * std::erfc(-z / std::numbers::sqrt2),
            std::exp(-0.5 * z * z) / (u * std::sqrt(2.0 * std::numbers::pi))};
}

CdfAndDensity RectangularAt(double u, double x) {
    const double a = u * Info(Distribution::rectangular).divisor;
    if (x <= -a || x >= a) {
        return {x <= -a ? 0.0 : 1.0, 0.0};
    }
    return {(x + a) / (2.0 * a), 1.0 / (2.0 * a)};
}

// Each shape's reach in standard deviations.
constexpr std::array<double, 3> kReachPerU{8.5, std::numbers::sqrt3, std::numbers::sqrt2};

// The n-th and (n-1)-th repeated integrals of the normal distribution function with standard deviation
// sigma, I_n(x) = E[(x - G)₊ⁿ] / n!, from the partial moments J_n(z) = E[(z - Z)₊ⁿ] of a standard normal:
// J_0 = Φ, J_1 = zΦ + φ, J_n = z J_(n-1) + (n - 1) J_(n-2). With sigma 0, I_n(x) = x₊ⁿ / n!.
std::pair<double, double> RepeatedIntegrals(double sigma, double x, int n) {
    if (sigma == 0.0) {
        if (x <= 0.0) {
            return {0.0, 0.0};
        }
        double lower = 1.0; // x^(n-1) / (n-1)!
        for (int k = 1; k < n; ++k) {
            lower *= x / k;
        }
        return {lower * x / n, lower};
    }
    const double z = x / sigma;
    const CdfAndDensity standard = NormalAt(1.0, z);
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

// The sum over the 2^m corners x ± a_1 ± ... ± a_m of the signed n-th and (n-1)-th repeated integrals,
// divided by the product of the 2a (n >= m, n >= 1).
CdfAndDensity CornerSum(double sigma, const std::vector<double>& halfWidths, double x, int n) {
    CdfAndDensity sum{0.0, 0.0};
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
        const auto [integral, lower] = RepeatedIntegrals(sigma, x + shift, n);
        sum.cdf += sign * integral;
        sum.density += sign * lower;
    }
    return {sum.cdf / scale, sum.density / scale};
}

} // namespace

CdfAndDensity ArcsineAt(double u, double x) {
    const double b = u * Info(Distribution::arcsine).divisor;
    if (x <= -b || x >= b) {
        return {x <= -b ? 0.0 : 1.0, 0.0};
    }
    return {0.5 + std::asin(x / b) / std::numbers::pi,
            1.0 / (std::numbers::pi * std::sqrt((b - x) * (b + x)))};
}

// ∫ (1/2 + asin(t/b)/π) dt from -b: x/2 + (x asin(x/b) + √(b² - x²))/π inside the bound, x₊ outside.
IntegralAndCdf ArcsineCdfIntegral(double u, double x) {
    const double b = u * Info(Distribution::arcsine).divisor;
    if (x <= -b || x >= b) {
        return {std::max(x, 0.0), x <= -b ? 0.0 : 1.0};
    }
    const double angle = std::asin(x / b);
    return {0.5 * x + (x * angle + std::sqrt((b - x) * (b + x))) / std::numbers::pi,
            0.5 + angle / std::numbers::pi};
}

double ReachOf(const ErrorTerm& term) {
    return kReachPerU[static_cast<std::size_t>(term.distribution)] * term.u;
}

CdfAndDensity TermAt(const ErrorTerm& term, double x) {
    constexpr std::array<CdfAndDensity (*)(double, double), 3> kAt{NormalAt, RectangularAt, ArcsineAt};
    return kAt[static_cast<std::size_t>(term.distribution)](term.u, x);
}

double TermCdfIntegral(const ErrorTerm& term, double x) {
    switch (term.distribution) {
    case Distribution::arcsine:
        return ArcsineCdfIntegral(term.u, x).integral;
    case Distribution::rectangular:
        return CornerSum(0.0, {term.u * Info(Distribution::rectangular).divisor}, x, 2).cdf;
    case Distribution::normal:
        break;
    }
    return RepeatedIntegrals(term.u, x, 1).first;
}

// A normal term plus rectangular terms in closed form: adding a rectangle of half-width a turns a
// distribution function F into (∫ F from x - a to x + a) / 2a, so m rectangles give a signed sum of the
// m-th repeated integral over the 2^m corners x ± a_1 ± ... ± a_m, divided by the product of the 2a.
CdfAndDensity NormalWithRectanglesAt(double sigma, const std::vector<double>& halfWidths, double x) {
    if (halfWidths.empty()) {
        return NormalAt(sigma, x);
    }
    return CornerSum(sigma, halfWidths, x, static_cast<int>(halfWidths.size()));
}

IntegralAndCdf NormalWithRectanglesCdfIntegral(double sigma, const std::vector<double>& halfWidths,
                                               double x) {
    const CdfAndDensity sum = CornerSum(sigma, halfWidths, x, static_cast<int>(halfWidths.size()) + 1);
    return {sum.cdf, sum.density};
}

} // namespace tarvex
