// The twelve contribution calculators against worked examples and hand calculations. Sensor data used:
// TS-101 zero drift 1e-10 W, noise 4e-11 W, temperature effects 0 / 0.015 / 0.05 / 0.09 dB; BX-20
// basic-unit errors 0.013 / 0.035 / 0.057 dB.
#include "budget/calculators.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <utility>

namespace tarvex {
namespace {

constexpr auto kProbable = MismatchMode::probable;
constexpr auto kConservative = MismatchMode::conservative;

// The tolerance allows for the single-precision zero drift and noise constants.
TEST(Calculators, WorkedExamples) {
    const std::tuple<const char*, double, double> cases[] = {
        {"PowerW 30 dBm", PowerW(30), 1.0},
        {"PowerW INT_MIN does not overflow", PowerW(std::numeric_limits<int>::min()), 0.0},
        {"cal TS-101 2 GHz, band edge (0.07)", Calc_u_cal("TS-101", 2.0, 0), 0.035},
        {"cal TS-301 DC (0.088)", Calc_u_cal("TS-301", 0.0, 0), 0.044},
        {"cal TS-202B above its level threshold", Calc_u_cal("TS-202B", 5.0, 31), 0.14},
        {"drift at -70 dBm: 10 log10(2) / 2", Calc_u_drift("TS-101", -70), 1.5051499783},
        {"noise TS-101 filter 9 (factor 2)", Calc_u_noise("TS-101", -70, 9), 1.2763625255},
        {"noise TS-301 filter 7 (factor 4)", Calc_u_noise("TS-301", 0, 7), 1.9108116459e-4},
        {"lin TS-106 (0.04 dB)", Calc_u_lin("TS-106"), 0.02},
        {"res 0.1 dB", Calc_u_res("0.1 dB"), 0.028867513459},
        {"res 0.001 dB", Calc_u_res("0.001 dB"), 0.00028867513459},
        {"P_Coeff TS-303 0.011 dB/W at 40 dBm", Calc_u_P_Coeff("TS-303", 40), 0.055},
        {"fd_Lin TS-101 5 GHz 0 dBm (0.2474747 %)", Calc_fd_Lin("TS-101", 5.0, 0), 0.0107344147},
        {"fd_Lin TS-106 20 GHz 8 dBm (1.8447659 %)", Calc_fd_Lin("TS-106", 20.0, 8), 0.0793871414},
        {"M 0.1 x 0.05 conservative", Calc_u_M("TS-103", 0.5, 0.1, kConservative), 0.0307591450},
        {"M 0.1 x 0.05 probable", Calc_u_M("TS-103", 0.5, 0.1, kProbable), 0.0236845416},
        // 8.7 x 0.1 x |Γ| / √2 inside a middle band of the sensor's match table.
        {"M TS-301 5 GHz (0.07)", Calc_u_M("TS-301", 5.0, 0.1, kConservative), 0.0430628030},
        {"M TS-106 10 GHz (0.09)", Calc_u_M("TS-106", 10.0, 0.1, kConservative), 0.0553664610},
        {"M TS-102 10 GHz (0.07)", Calc_u_M("TS-102", 10.0, 0.1, kConservative), 0.0430628030},
        {"temp 20 ... 26: both limits 0.0075", Calc_u_temp("TS-101", 20, 26), 0.0075},
        {"temp 15 ... 35: upper beats lower", Calc_u_temp("TS-101", 15, 35), 0.0354166666667},
        {"temp 15 ... 24: lower limit alone", Calc_u_temp("TS-101", 15, 24), 0.028125},
        {"temp 17 ... 24: a step into band 2", Calc_u_temp("TS-101", 17, 24), 0.019375},
        {"temp 0 ... 50: band 3", Calc_u_temp("TS-101", 0, 50), 0.09},
        {"temp TS-301 0 ... 50 stays flat", Calc_u_temp("TS-301", 0, 50), 0.02},
        {"temp -1 ... 30: lower limit without value", Calc_u_temp("TS-101", -1, 30), 0.0208333333333},
        // Inside the lowest band the lower limit moves from 0.05 at 10 °C to 0.09 at 0 °C, 0.004 per °C.
        {"temp 1 ... 24", Calc_u_temp("TS-101", 1, 24), 0.086},
        {"temp 5 ... 24", Calc_u_temp("TS-101", 5, 24), 0.07},
        {"temp 9 ... 24", Calc_u_temp("TS-101", 9, 24), 0.054},
        {"GG 18 ... 28: band 1", Calc_u_GG("BX-20", 18, 28), 0.00750555349947},
        {"GG 17 ... 24: lower limit jumps to band 2", Calc_u_GG("BX-20", 17, 24), 0.0202072594216},
        {"GG 22 ... 29: upper limit jumps to band 2", Calc_u_GG("BX-20", 22, 29), 0.0202072594216},
        {"GG 0 ... 50: band 3", Calc_u_GG("BX-20", 0, 50), 0.0329089653438},
        {"GG -1 ... 24: lower limit without value", Calc_u_GG("BX-20", -1, 24), 0.00750555349947},
        // BX-10 and VX-30: 0.017, 0.039, 0.06 dB over √3.
        {"GG BX-10 18 ... 28", Calc_u_GG("BX-10", 18, 28), 0.00981495457622},
        {"GG BX-10 0 ... 50", Calc_u_GG("BX-10", 0, 50), 0.0346410161514},
        {"GG VX-30 18 ... 28", Calc_u_GG("VX-30", 18, 28), 0.00981495457622},
        {"GG VX-30 10 ... 40", Calc_u_GG("VX-30", 10, 40), 0.0225166604984},
        {"2f TS-104 0 dBm -20 dBc (2.5 %)", Calc_u_Harmonics2f("TS-104", 0.001, -20), 0.0767891437},
        {"3f TS-101 0 dBm -20 dBc (16.7946 %)", Calc_u_Harmonics3f("TS-101", 0.001, -20), 0.5206830535}};
    for (const auto& [name, actual, expected] : cases) {
        SCOPED_TRACE(name);
        EXPECT_NEAR(actual, expected, 1e-6 * expected);
    }
}

// An input that a table has no value for makes the contribution exactly 0.
TEST(Calculators, NoValueGivesZero) {
    const std::pair<const char*, double> cases[] = {
        {"cal diode sensor at DC", Calc_u_cal("TS-101", 0.0, 0)},
        {"cal above the last band", Calc_u_cal("TS-101", 18.5, 0)},
        {"noise filter 13", Calc_u_noise("TS-101", -70, 13)},
        {"res without blank", Calc_u_res("0.01dB")},
        {"fd_Lin TS-101 above 13 dBm", Calc_fd_Lin("TS-101", 10.0, 14)},
        {"M diode sensor at DC", Calc_u_M("TS-101", 0.0, 0.1, kConservative)},
        {"temp -1 ... 51", Calc_u_temp("TS-101", -1, 51)},
        {"GG -1 ... 51", Calc_u_GG("BX-20", -1, 51)},
        {"2f thermal sensor", Calc_u_Harmonics2f("TS-301", 0.001, -10)}};
    for (const auto& [name, actual] : cases) {
        EXPECT_EQ(actual, 0.0) << name;
    }
}

} // namespace
} // namespace tarvex
