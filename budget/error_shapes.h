#pragma once

#include "budget/distribution.h"

#include <vector>

namespace tarvex {

// One independent random error: its distribution (symmetric about 0) and its standard deviation u > 0.
struct ErrorTerm {
    Distribution distribution;
    double u;
};

struct Interval {
    double low;
    double high;
};

// A distribution function's value and the density at one point.
struct CdfAndDensity {
    double cdf;
    double density;
};

// The integral of a distribution function from -∞ to x, E[(x - X)₊], and the distribution function there.
struct IntegralAndCdf {
    double integral;
    double cdf;
};

// The closed forms of one term, and of a normal term plus rectangular ones.

// The half-width beyond which a term holds nothing worth counting: the normal's tail beyond 8.5 u holds
// 1e-17; the bounded shapes end at their half-width.
double ReachOf(const ErrorTerm& term);
CdfAndDensity TermAt(const ErrorTerm& term, double x);
CdfAndDensity ArcsineAt(double u, double x);
// A normal term of standard deviation sigma (0: none) plus rectangular terms of the given half-widths.
CdfAndDensity NormalWithRectanglesAt(double sigma, const std::vector<double>& halfWidths, double x);

// The integrals of the distribution functions from -∞ to x, E[(x - X)₊]: their differences average a
// distribution function over a cell exactly, however sharp its corners or end singularities.
double TermCdfIntegral(const ErrorTerm& term, double x);
IntegralAndCdf ArcsineCdfIntegral(double u, double x);
IntegralAndCdf NormalWithRectanglesCdfIntegral(double sigma, const std::vector<double>& halfWidths, double x);

} // namespace tarvex
