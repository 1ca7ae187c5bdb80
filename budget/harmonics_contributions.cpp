#include "budget/calculators.h"
#include "budget/distribution.h"

#include "data/band_lookup.h"
#include "data/harmonics_data.h"
#include "data/sensor_catalogue.h"

#include <cmath>
#include <optional>

namespace tarvex {

namespace {

// Below this reading error (percent) a harmonic contributes nothing; this also covers the thermal sensors.
constexpr double kNegligibleErrorPercent = 1e-10;

// Mean magnitude in dB of the two level deviations of a reading that is e percent of power too low or
// too high.
double MeanLevelDeviationDb(double e) {
    const double dMinus = -10.0 * Log10(1.0 - e / 100.0); // reading too low: positive
    const double dPlus = -10.0 * Log10(1.0 + e / 100.0);  // reading too high: negative
    return (std::fabs(dMinus) + std::fabs(dPlus)) / 2.0;
}

// The reading error of a harmonic swings between its two bounds with the harmonic's unknown phase
// relative to the carrier: a U-shaped (arcsine) distribution whose bound is the mean deviation.
double HarmonicUncertainty(Contribution key, std::optional<double> errorPercent) {
    const double e = ValueOrZero(errorPercent);
    const double h = e < kNegligibleErrorPercent ? 0.0 : MeanLevelDeviationDb(e);
    return h / Divisor(key);
}

} // namespace

double Calc_u_Harmonics2f(std::string_view sensor, double powerW, int harmonic2f) {
    return HarmonicUncertainty(Contribution::Harmonics2f, Harmonics2fError(sensor, powerW, harmonic2f));
}

double Calc_u_Harmonics3f(std::string_view sensor, double powerW, int harmonic3f) {
    return HarmonicUncertainty(Contribution::Harmonics3f, Harmonics3fError(sensor, powerW, harmonic3f));
}

} // namespace tarvex
