#include "budget/calculators.h"

#include "data/band_lookup.h"
#include "data/sensor_match_data.h"

#include <cmath>

namespace tarvex {

namespace {

constexpr double kDbPerReflectionProduct = 8.7; // dB per unit product of source and sensor |Γ|
constexpr double kProbableReduction = 0.77;     // the probable value relative to the conservative one

} // namespace

// The mismatch error 8.7 · Γs · ΓL dB is the bound of an error that varies with the unknown phases of both
// reflection coefficients: its distribution is U-shaped, and its standard uncertainty is the bound / √2.
double Calc_u_M(std::string_view sensor, double frequency, double sourceMatch, MismatchMode mismatchMode) {
    const double gammaL = ValueOrZero(SensorGamma(sensor, frequency));
    const double m = (kDbPerReflectionProduct * sourceMatch) * gammaL;
    double u = m / std::sqrt(2.0);
    if (mismatchMode == MismatchMode::probable) {
        u = u * kProbableReduction;
    }
    return u;
}

} // namespace tarvex
