#pragma once

#include "budget/contribution.h"
#include "budget/measurement_setup.h"

namespace tarvex {

// The results of one evaluation, all in dB.
struct UncertaintyBudget {
    PerContribution<double> u{};  // standard uncertainties; fd_Lin already halved when systematic
    double uc = 0.0;              // combined standard uncertainty (root-sum-square of the ticked ones)
    double MU = 0.0;              // expanded uncertainty, k = 2
    double systematicError = 0.0; // frequency-dependent linearity error, never halved
    bool showSystematic = false;  // the systematic-error row is visible
};

// Combines the twelve contributions u (fd_Lin unhalved, as Calc_fd_Lin returns it).
UncertaintyBudget CombineBudget(const PerContribution<double>& u, const PerContribution<int>& include,
                                bool fdLinSystematic);

// The twelve contributions of a setup, in evaluation order, fd_Lin unhalved.
PerContribution<double> EvaluateContributions(const MeasurementSetup& setup);

// The contributions of a setup that differs only in its frequency from the one that atOtherFrequency was
// evaluated for: only the frequency-dependent ones are evaluated again. A sweep over frequency uses it.
PerContribution<double> EvaluateContributionsAtFrequency(const MeasurementSetup& setup,
                                                         const PerContribution<double>& atOtherFrequency);

// The whole budget of a setup: contributions, then combination.
UncertaintyBudget EvaluateBudget(const MeasurementSetup& setup);

// Relative power deviation (a fraction, not percent) matching an uncertainty of x dB:
// (10^(x/10) - 10^(-x/10)) / 2.
double dB_to_pc(double x);

} // namespace tarvex
