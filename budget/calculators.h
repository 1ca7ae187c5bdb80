#pragma once

#include "budget/measurement_setup.h"

#include <string_view>

namespace tarvex {

// The twelve contribution calculators: each returns one standard uncertainty in dB. A data-sheet
// figure without value counts as 0. Calc_fd_Lin returns the error itself, not a standard uncertainty.
double Calc_u_cal(std::string_view sensor, double frequency, double level);
double Calc_u_drift(std::string_view sensor, double level);
double Calc_u_noise(std::string_view sensor, double level, int filterNumber);
double Calc_u_lin(std::string_view sensor);
double Calc_u_temp(std::string_view sensor, int tempMin, int tempMax);
double Calc_u_GG(std::string_view basicUnit, int tempMin, int tempMax);
double Calc_u_res(std::string_view resolution);
double Calc_u_M(std::string_view sensor, double frequency, double sourceMatch, MismatchMode mismatchMode);
double Calc_u_P_Coeff(std::string_view sensor, double level);
double Calc_fd_Lin(std::string_view sensor, double frequency, double level);
double Calc_u_Harmonics2f(std::string_view sensor, double powerW, int harmonic2f);
double Calc_u_Harmonics3f(std::string_view sensor, double powerW, int harmonic3f);

} // namespace tarvex
