#include "budget/calculators.h"
#include "budget/uncertainty_budget.h"

namespace tarvex {

// The three contributions that depend on the frequency; this is the one place that says which they are.
void SetFrequencyContributions(const MeasurementSetup& setup, PerContribution<double>& u) {
    u[Index(Contribution::cal)] = Calc_u_cal(setup.sensor, setup.frequency, setup.level);
    u[Index(Contribution::M)] =
        Calc_u_M(setup.sensor, setup.frequency, SourceMatch(setup.returnLossDb), setup.mismatchMode);
    u[Index(Contribution::fd_Lin)] = Calc_fd_Lin(setup.sensor, setup.frequency, setup.level);
}

PerContribution<double> EvaluateContributions(const MeasurementSetup& setup) {
    // Only the harmonics lookups take the power in W; the other calculators convert the level themselves.
    const double powerW = PowerW(setup.level);
    PerContribution<double> u{};
    SetFrequencyContributions(setup, u);
    u[Index(Contribution::drift)] = Calc_u_drift(setup.sensor, setup.level);
    u[Index(Contribution::noise)] = Calc_u_noise(setup.sensor, setup.level, setup.filterNumber);
    u[Index(Contribution::lin)] = Calc_u_lin(setup.sensor);
    u[Index(Contribution::temp)] = Calc_u_temp(setup.sensor, setup.tempMin, setup.tempMax);
    u[Index(Contribution::GG)] = Calc_u_GG(setup.basicUnit, setup.tempMin, setup.tempMax);
    u[Index(Contribution::res)] = Calc_u_res(setup.resolution);
    u[Index(Contribution::P_Coeff)] = Calc_u_P_Coeff(setup.sensor, setup.level);
    u[Index(Contribution::Harmonics2f)] = Calc_u_Harmonics2f(setup.sensor, powerW, setup.harmonic2f);
    u[Index(Contribution::Harmonics3f)] = Calc_u_Harmonics3f(setup.sensor, powerW, setup.harmonic3f);
    return u;
}

PerContribution<double> EvaluateContributionsAtFrequency(const MeasurementSetup& setup,
                                                         const PerContribution<double>& atOtherFrequency) {
    PerContribution<double> u = atOtherFrequency;
    SetFrequencyContributions(setup, u);
    return u;
}

// The systematic error is the unhalved fd_Lin contribution: the lookups are pure, so evaluating
// Calc_fd_Lin a second time for the systematic-error label would give the same number.
UncertaintyBudget EvaluateBudget(const MeasurementSetup& setup) {
    return CombineBudget(EvaluateContributions(setup), setup.include, setup.fdLinSystematic);
}

} // namespace tarvex
