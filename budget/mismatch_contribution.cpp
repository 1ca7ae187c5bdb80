#include "budget/calculators.h"
#include "budget/distribution.h"

#include "data/band_lookup.h"
#include "data/sensor_match_data.h"

#include <cmath>

namespace tarvex {

namespace {

constexpr double kDbPerReflectionProduct = 8.7; // dB per unit product of source and sensor |Γ|
constexpr double kProbableReduction = 0.77;     // the probable value relative to the conservative one

} // namespace

// The mismatch error 8.7 · Γs · ΓL dB is the bound of an error that varies with the unknown phases of both
// reflection coefficients: its distribution is U-shaped (arcsine), and the product is its bound.
double Calc_u_M(std::string_view sensor, double frequency, double sourceMatch, MismatchMode mismatchMode) {
    const double gammaL = ValueOrZero(SensorGamma(sensor, frequency));
    const double m = (kDbPerReflectionProduct * sourceMatch) * gammaL;
    double u = m / Divisor(Contribution::M);
    if (mismatchMode == MismatchMode::probable) {
        u = u * kProbableReduction;
    }
    return u;
}

} // namespace tarvex
