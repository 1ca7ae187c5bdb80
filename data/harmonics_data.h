#pragma once

#include <optional>
#include <string_view>

namespace tarvex {

// Reading error of a diode sensor, in percent of power, caused by a harmonic of level H (dBc, negative)
// at measured power P (W). Thermal sensors give 0; an unknown identifier gives no value.
std::optional<double> Harmonics2fError(std::string_view sensor, double powerW, double harmonicDbc);
std::optional<double> Harmonics3fError(std::string_view sensor, double powerW, double harmonicDbc);

// The three formulas behind the lookups; a is the sensor's harmonic scale.
double Harmonics3fFormula(double powerW, double a, double harmonicDbc);
double Harmonics2fFormulaA(double powerW, double a, double harmonicDbc);
double Harmonics2fFormulaB(double powerW, double a, double harmonicDbc);

} // namespace tarvex
