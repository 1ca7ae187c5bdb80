#pragma once

#include "budget/error_shapes.h"

#include <vector>

namespace tarvex {

// The distribution of a sum of independent error terms. All normal terms form one normal term; terms far
// below the whole standard deviation (u < 0.02 of it, whose shape changes a probability by less than
// 1e-8) join it as well. The normal term and the rectangular ones are summed in closed form. An arcsine
// term b·cos(φ) is the mean over its phase φ: the closed form is averaged over equally spaced phases of
// every arcsine term (the midpoint rule, whose error falls exponentially with the number of phases for a
// smooth periodic function; the number follows from b against the closed form's width). Where the closed
// form is too narrow against the arcsine terms for that (a budget of nearly only arcsine terms), the widest
// arcsine term stays continuous and every other term goes on a lattice of step h, each point carrying its
// term's probability weighted by a hat function of width 2h (exact mass and mean); the continuous part is
// averaged over each point's cell by the exact integral of its distribution function, so that the
// arcsines' end singularities are integrated, not sampled. Two lattices (h and h/2) are extrapolated to
// h = 0; the fallback is good to about 1e-6 in a probability, 1e-4 right where two terms' edges meet. A sum
// without arcsine terms is its closed form. Deterministic; nothing changes after construction.
class SumDistribution {
public:
    // terms: at least one, every u finite and > 0.
    explicit SumDistribution(const std::vector<ErrorTerm>& terms);

    double StandardDeviation() const { return m_sd; }
    // Beyond ±Reach() lies a probability below 1e-15.
    double Reach() const { return m_reach; }
    using CdfAndDensity = tarvex::CdfAndDensity;
    using IntegralAndCdf = tarvex::IntegralAndCdf;
    // The distribution function and the density at x, in one pass.
    CdfAndDensity At(double x) const;
    double Cdf(double x) const { return At(x).cdf; }
    double Density(double x) const { return At(x).density; }
    // P(-x <= X <= x).
    double ProbabilityWithin(double x) const;
    // The half-width h of the probabilistically symmetric interval: P(-h <= X <= h) = p.
    double SymmetricHalfWidth(double p) const;
    // The shortest interval of probability p. Where two mirror images are shortest, the lower one.
    Interval ShortestInterval(double p) const;

    struct Lattice {
        double step = 0.0;
        double first = 0.0;           // position of mass[0]
        std::vector<double> mass;     // probability at first + k·step
        std::vector<double> below;    // below[k]: the sum of mass[0 .. k-1]
        std::vector<double> position; // when not empty: the points' positions instead, ascending
    };

private:
    // The part kept continuous: a normal term with the rectangular ones in closed form, or one arcsine term.
    struct Continuous {
        double sigma = 0.0;
        std::vector<double> halfWidths; // of the rectangular terms
        double arcsineU = 0.0;          // > 0: the part is this arcsine term alone
        double reach = 0.0;
        CdfAndDensity At(double x) const;
        IntegralAndCdf IntegralAt(double x) const;
    };

    CdfAndDensity LatticeAt(const Lattice& lattice, double x) const;
    CdfAndDensity CellAveragedAt(const Lattice& lattice, double x) const;
    double QuantileNear(double probability, double start) const;
    bool MayHaveInnerMinimum() const { return m_hasArcsine; }

    Continuous m_continuous;
    Lattice m_coarse;
    Lattice m_fine;
    double m_sd = 0.0;
    double m_reach = 0.0;
    double m_excessKurtosis = 0.0;
    bool m_hasArcsine = false;
    bool m_extrapolate = true; // the lattices differ in step and are extrapolated
};

} // namespace tarvex
