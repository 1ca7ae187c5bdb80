#pragma once

#include <optional>
#include <string_view>

namespace tarvex {

// Frequency-dependent linearity error of a diode sensor in percent of power at frequency f (GHz) and
// level (dBm), interpolated bilinearly over frequency and power in mW. Sensors without a grid give 0;
// TS-103 and unknown identifiers give no value.
std::optional<double> SensorFdLinearity(std::string_view sensor, double frequencyGHz, double levelDbm);

// Bilinear interpolation in the cell f1 < f2 (GHz), P1 < P2 (mW) with corner values c11 = (f1, P1),
// c21 = (f2, P1), c22 = (f2, P2), c12 = (f1, P2). Extrapolates along the same surface outside the cell.
double BilinearInterpolate(double f1, double f2, double P1, double P2, double c11, double c21, double c22,
                           double c12, double P, double f);

} // namespace tarvex
