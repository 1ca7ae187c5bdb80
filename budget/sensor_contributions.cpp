#include "budget/calculators.h"
#include "budget/distribution.h"
#include "budget/inputs.h"

#include "data/band_lookup.h"
#include "data/calibration_data.h"
#include "data/fd_linearity_data.h"
#include "data/sensor_catalogue.h"
#include "data/sheet_figures.h"

#include <array>
#include <cmath>
#include <optional>

namespace tarvex {

namespace {

// Level change in dB when an additive power error of errorW adds to the measured power P.
double AdditivePowerErrorDb(double errorW, double powerW) {
    return 10.0 * Log10(1.0 + errorW / powerW);
}

struct ResolutionStep {
    std::string_view text;
    double stepDb;
};

// The display resolutions offered, in the order the window lists them and the lookup tests them.
constexpr std::array<ResolutionStep, 3> kResolutionSteps{{
    {"0.1 dB", 0.1},
    {"0.01 dB", 0.01},
    {"0.001 dB", 0.001},
}};

std::optional<double> ResolutionStepDb(std::string_view resolution) {
    for (const ResolutionStep& step : kResolutionSteps) {
        if (step.text == resolution) {
            return step.stepDb;
        }
    }
    return std::nullopt;
}

constexpr auto kResolutionTexts = [] {
    std::array<std::string_view, kResolutionSteps.size()> texts{};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        texts[i] = kResolutionSteps[i].text;
    }
    return texts;
}();

} // namespace

std::span<const std::string_view> Resolutions() {
    return kResolutionTexts;
}

// Each figure is divided by its distribution's divisor (budget/distribution.h): the calibration table,
// zero drift, noise, linearity and power coefficient are expanded uncertainties of a normal distribution
// at k = 2; a reading quantised to a display step lies anywhere within half a step (rectangular).

// The calibration table holds expanded uncertainties (k = 2).
double Calc_u_cal(std::string_view sensor, double frequency, double level) {
    const double c = ValueOrZero(SensorCalUncertainty(sensor, frequency, level));
    return c / Divisor(Contribution::cal);
}

// The zero drift is an additive power error relative to the measured power, quoted at k = 2.
double Calc_u_drift(std::string_view sensor, double level) {
    const double z = ValueOrZero(SensorZeroDrift(sensor));
    const double p = PowerW(level);
    return AdditivePowerErrorDb(z, p) / Divisor(Contribution::drift);
}

// The sensor noise scaled by the filter factor is an additive power error like the zero drift, at k = 2.
double Calc_u_noise(std::string_view sensor, double level, int filterNumber) {
    const double f = ValueOrZero(FilterNoiseFactor(filterNumber));
    const double n = ValueOrZero(SensorNoise(sensor));
    const double noiseW = n * f;
    const double p = PowerW(level);
    return AdditivePowerErrorDb(noiseW, p) / Divisor(Contribution::noise);
}

// The data sheet's linearity figure in dB, at k = 2.
double Calc_u_lin(std::string_view sensor) {
    const double l = ValueOrZero(SensorLinearity(sensor));
    return l / Divisor(Contribution::lin);
}

// Rectangular distribution over one display step: its half-width is half a step.
double Calc_u_res(std::string_view resolution) {
    const double r = ValueOrZero(ResolutionStepDb(resolution));
    return (r / 2.0) / Divisor(Contribution::res);
}

// The power coefficient (dB per W) times the power, at k = 2.
double Calc_u_P_Coeff(std::string_view sensor, double level) {
    const double p = PowerW(level);
    const double k = ValueOrZero(SensorPowerCoeff(sensor));
    return (k * p) / Divisor(Contribution::P_Coeff);
}

// The error itself in dB, not a standard uncertainty: the evaluation halves it when it is systematic.
double Calc_fd_Lin(std::string_view sensor, double frequency, double level) {
    const double e = ValueOrZero(SensorFdLinearity(sensor, frequency, level));
    return 10.0 * Log10(1.0 + e / 100.0);
}

} // namespace tarvex
