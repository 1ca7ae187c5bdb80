// The twelve contribution calculators against worked examples and hand calculations. Sensor data used:
// TS-101 zero drift 1e-10 W, noise 4e-11 W, temperature effects 0 / 0.015 / 0.05 / 0.09 dB; BX-20
// basic-unit errors 0.013 / 0.035 / 0.057 dB.
#include "budget/calculators.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string_view>

namespace tarvex {
namespace {

struct Case {
    std::string_view name;
    double actual;
    double expected;
};

constexpr double kRelTolerance = 1e-8; // the expected values carry ten significant digits
// Noise and zero drift are single-precision constants, good to about 1 part in 1e7.
constexpr double kSinglePrecisionTolerance = 1e-6;

void ExpectCases(std::initializer_list<Case> cases, double relTolerance = kRelTolerance) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(c.actual, c.expected, relTolerance * std::fabs(c.expected));
    }
}

struct ZeroCase {
    std::string_view name;
    double actual;
};

void ExpectZero(std::initializer_list<ZeroCase> cases) {
    for (const ZeroCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.actual, 0.0);
    }
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();

TEST(PowerW, LevelInDbmToWatts) {
    ExpectCases({
        {"-70 dBm", PowerW(-70), 1e-10},
        {"0 dBm", PowerW(0), 0.001},
        {"30 dBm", PowerW(30), 1.0},
    });
}

TEST(PowerW, ExtremeLevelsDoNotOverflowTheInteger) {
    EXPECT_EQ(PowerW(kIntMin), 0.0);
    EXPECT_EQ(PowerW(kIntMax), kInf);
}

TEST(MismatchModeFromCaption, OnlyTheExactProbableCaptionIsProbable) {
    EXPECT_EQ(MismatchModeFromCaption("Mismatch Uncertainty (probable)"), MismatchMode::probable);
    for (std::string_view caption : {"Mismatch Uncertainty (conservative)", "mismatch uncertainty (probable)",
                                     "Mismatch Uncertainty (probable) ", ""}) {
        SCOPED_TRACE(caption);
        EXPECT_EQ(MismatchModeFromCaption(caption), MismatchMode::conservative);
    }
}

TEST(CalcUCal, HalfTheExpandedCalibrationUncertainty) {
    ExpectCases({
        {"TS-101 at 2 GHz, edge in the lower band (0.07)", Calc_u_cal("TS-101", 2.0, 0), 0.035},
        {"TS-101 at 3 GHz (0.08)", Calc_u_cal("TS-101", 3.0, 0), 0.04},
        {"TS-301 at 18 GHz (0.12)", Calc_u_cal("TS-301", 18.0, 0), 0.06},
        {"TS-301 at DC (0.088)", Calc_u_cal("TS-301", 0.0, 0), 0.044},
        {"TS-202B at 5 GHz above its level threshold (0.28)", Calc_u_cal("TS-202B", 5.0, 31), 0.14},
    });
}

TEST(CalcUCal, NoValueCountsAsZero) {
    ExpectZero({
        {"above the last band", Calc_u_cal("TS-101", 18.5, 0)},
        {"diode sensor at DC", Calc_u_cal("TS-101", 0.0, 0)},
        {"unknown sensor", Calc_u_cal("TS-999", 1.0, 0)},
        {"empty sensor", Calc_u_cal("", 1.0, 0)},
        {"NaN frequency", Calc_u_cal("TS-301", kNaN, 0)},
        {"infinite frequency", Calc_u_cal("TS-301", kInf, 0)},
        {"negative frequency", Calc_u_cal("TS-301", -1.0, 0)},
    });
}

TEST(CalcUDrift, ZeroDriftRelativeToMeasuredPower) {
    ExpectCases({{"1e-10 W at -70 dBm: 10 log10(2) / 2", Calc_u_drift("TS-101", -70), 1.5051499783},
                 {"1e-10 W at -60 dBm", Calc_u_drift("TS-101", -60), 0.2069634258}},
                kSinglePrecisionTolerance);
}

TEST(CalcUDrift, NoValueCountsAsZero) {
    ExpectZero({{"unknown sensor", Calc_u_drift("TS-999", -70)}, {"empty sensor", Calc_u_drift("", 0)}});
}

TEST(CalcUNoise, NoiseTimesFilterFactorRelativeToMeasuredPower) {
    ExpectCases({{"TS-101, filter 9 (factor 2) at -70 dBm", Calc_u_noise("TS-101", -70, 9), 1.2763625255},
                 {"TS-106, filter 11 (factor 1) at -70 dBm", Calc_u_noise("TS-106", -70, 11), 1.2763625255},
                 {"TS-301, filter 7 (factor 4) at 0 dBm", Calc_u_noise("TS-301", 0, 7), 1.9108116459e-4}},
                kSinglePrecisionTolerance);
}

TEST(CalcUNoise, NoValueCountsAsZero) {
    ExpectZero({
        {"filter 13", Calc_u_noise("TS-101", -70, 13)},
        {"filter -1", Calc_u_noise("TS-101", -70, -1)},
        {"filter INT_MIN", Calc_u_noise("TS-101", -70, kIntMin)},
        {"unknown sensor", Calc_u_noise("TS-999", -70, 11)},
    });
}

TEST(CalcULin, HalfTheLinearityError) {
    ExpectCases(
        {{"TS-106 (0.04 dB)", Calc_u_lin("TS-106"), 0.02}, {"TS-301 (0.02 dB)", Calc_u_lin("TS-301"), 0.01}});
    ExpectZero({{"TS-201 has none", Calc_u_lin("TS-201")}, {"unknown sensor", Calc_u_lin("ts-106")}});
}

TEST(CalcURes, HalfAStepOverSqrt3) {
    ExpectCases({
        {"0.1 dB", Calc_u_res("0.1 dB"), 0.028867513459},
        {"0.01 dB", Calc_u_res("0.01 dB"), 0.0028867513459},
        {"0.001 dB", Calc_u_res("0.001 dB"), 0.00028867513459},
    });
}

TEST(CalcURes, OtherTextsCountAsZero) {
    ExpectZero({
        {"empty", Calc_u_res("")},
        {"no blank", Calc_u_res("0.01dB")},
        {"other case", Calc_u_res("0.01 DB")},
        {"leading blank", Calc_u_res(" 0.01 dB")},
        {"other step", Calc_u_res("1 dB")},
    });
}

TEST(CalcUPCoeff, PowerCoefficientTimesPower) {
    ExpectCases({
        {"TS-202A, 0.044 dB/W at 30 dBm", Calc_u_P_Coeff("TS-202A", 30), 0.022},
        {"TS-203, 0.015 dB/W at 30 dBm", Calc_u_P_Coeff("TS-203", 30), 0.0075},
        {"TS-303, 0.011 dB/W at 40 dBm", Calc_u_P_Coeff("TS-303", 40), 0.055},
    });
    ExpectZero(
        {{"TS-301 has none", Calc_u_P_Coeff("TS-301", 30)}, {"unknown sensor", Calc_u_P_Coeff("", 30)}});
}

TEST(CalcFdLin, ErrorInDbWithoutDivisor) {
    ExpectCases({
        {"TS-101 at 5 GHz and 0 dBm (0.2474747 %)", Calc_fd_Lin("TS-101", 5.0, 0), 0.0107344147},
        {"TS-106 at 20 GHz and 8 dBm (1.8447659 %)", Calc_fd_Lin("TS-106", 20.0, 8), 0.0793871414},
    });
}

TEST(CalcFdLin, NoErrorOrNoValueGivesZero) {
    ExpectZero({
        {"TS-201 has no grid", Calc_fd_Lin("TS-201", 3.0, 10)},
        {"TS-103 has no entry", Calc_fd_Lin("TS-103", 2.0, 0)},
        {"TS-101 above 18 GHz", Calc_fd_Lin("TS-101", 18.5, 0)},
        {"TS-101 above 13 dBm", Calc_fd_Lin("TS-101", 10.0, 14)},
        {"TS-101 at 4 GHz", Calc_fd_Lin("TS-101", 4.0, 13)},
        {"NaN frequency", Calc_fd_Lin("TS-101", kNaN, 0)},
        {"unknown sensor", Calc_fd_Lin("TS-999", 5.0, 0)},
    });
}

TEST(CalcUM, ConservativeAndProbable) {
    ExpectCases({
        {"0.1 x 0.05 (TS-103 at 0.5 GHz), conservative",
         Calc_u_M("TS-103", 0.5, 0.1, MismatchMode::conservative), 0.0307591450},
        {"0.1 x 0.05, probable", Calc_u_M("TS-103", 0.5, 0.1, MismatchMode::probable), 0.0236845416},
        {"0.1 x 0.09 (TS-301 at 18 GHz), conservative",
         Calc_u_M("TS-301", 18.0, 0.1, MismatchMode::conservative), 0.0553664610},
        {"0.1 x 0.09, probable", Calc_u_M("TS-301", 18.0, 0.1, MismatchMode::probable), 0.0426321749},
    });
}

TEST(CalcUM, NoSensorMatchGivesZero) {
    for (MismatchMode mode : {MismatchMode::probable, MismatchMode::conservative}) {
        ExpectZero({
            {"TS-101 above 18 GHz", Calc_u_M("TS-101", 20.0, 0.1, mode)},
            {"diode sensor at DC", Calc_u_M("TS-101", 0.0, 0.1, mode)},
            {"unknown sensor", Calc_u_M("TS-999", 1.0, 0.1, mode)},
            {"NaN frequency", Calc_u_M("TS-301", kNaN, 0.1, mode)},
        });
    }
}

TEST(CalcUTemp, LargerOfTheInterpolatedLimitEffects) {
    ExpectCases({
        {"22 ... 24", Calc_u_temp("TS-101", 22, 24), 0.0},
        {"20 ... 26: both limits 0.0075", Calc_u_temp("TS-101", 20, 26), 0.0075},
        {"15 ... 35: upper 0.0354167 beats lower 0.028125", Calc_u_temp("TS-101", 15, 35), 0.0354166666667},
        {"15 ... 24: lower limit alone", Calc_u_temp("TS-101", 15, 24), 0.028125},
        {"18 ... 28: band 1", Calc_u_temp("TS-101", 18, 28), 0.015},
        {"10 ... 40: band 2", Calc_u_temp("TS-101", 10, 40), 0.05},
        {"0 ... 50: band 3", Calc_u_temp("TS-101", 0, 50), 0.09},
        {"17 ... 24: a step into band 2", Calc_u_temp("TS-101", 17, 24), 0.019375},
        {"TS-301 0 ... 50 stays at 0.02", Calc_u_temp("TS-301", 0, 50), 0.02},
        {"-1 ... 30: lower limit has no value", Calc_u_temp("TS-101", -1, 30), 0.0208333333333},
    });
}

TEST(CalcUTemp, NoValueCountsAsZero) {
    ExpectZero({
        {"both limits outside every band", Calc_u_temp("TS-101", -1, 51)},
        {"extreme limits", Calc_u_temp("TS-101", kIntMin, kIntMax)},
        {"reversed extreme limits", Calc_u_temp("TS-101", kIntMax, kIntMin)},
        {"unknown sensor", Calc_u_temp("TS-999", 0, 50)},
    });
}

TEST(CalcUGG, BandOfEachLimitWithoutInterpolation) {
    ExpectCases({
        {"22 ... 24: band 1", Calc_u_GG("BX-20", 22, 24), 0.00750555349947},
        {"20 ... 26: band 1", Calc_u_GG("BX-20", 20, 26), 0.00750555349947},
        {"18 ... 28: band 1", Calc_u_GG("BX-20", 18, 28), 0.00750555349947},
        {"15 ... 35: band 2", Calc_u_GG("BX-20", 15, 35), 0.0202072594216},
        {"17 ... 24: lower limit jumps to band 2", Calc_u_GG("BX-20", 17, 24), 0.0202072594216},
        {"22 ... 29: upper limit jumps to band 2", Calc_u_GG("BX-20", 22, 29), 0.0202072594216},
        {"10 ... 40: band 2", Calc_u_GG("BX-20", 10, 40), 0.0202072594216},
        {"0 ... 50: band 3", Calc_u_GG("BX-20", 0, 50), 0.0329089653438},
        {"BX-10 22 ... 24", Calc_u_GG("BX-10", 22, 24), 0.00981495457622},
        {"-1 ... 24: lower limit has no value", Calc_u_GG("BX-20", -1, 24), 0.00750555349947},
    });
}

TEST(CalcUGG, NoValueCountsAsZero) {
    ExpectZero({
        {"both limits outside every band", Calc_u_GG("BX-20", -1, 51)},
        {"extreme limits", Calc_u_GG("BX-20", kIntMin, kIntMax)},
        {"unknown basic unit", Calc_u_GG("BX-99", 22, 24)},
        {"empty basic unit", Calc_u_GG("", 22, 24)},
    });
}

TEST(CalcUHarmonics, ReadingErrorAsStandardUncertainty) {
    ExpectCases({
        {"2f, TS-104 at 0 dBm and -20 dBc (2.5 %)", Calc_u_Harmonics2f("TS-104", 0.001, -20), 0.0767891437},
        {"3f, TS-101 at 0 dBm and -20 dBc (16.7946 %)", Calc_u_Harmonics3f("TS-101", 0.001, -20),
         0.5206830535},
    });
}

TEST(CalcUHarmonics, ThermalSensorOrNoValueGivesZero) {
    ExpectZero({
        {"2f, TS-301", Calc_u_Harmonics2f("TS-301", 0.001, -10)},
        {"3f, TS-305", Calc_u_Harmonics3f("TS-305", 1.0, -10)},
        {"2f, unknown sensor", Calc_u_Harmonics2f("TS-999", 0.001, -20)},
        {"3f, empty sensor", Calc_u_Harmonics3f("", 0.001, -20)},
    });
}

// Inputs the window never produces: every calculator must return without undefined behaviour (the
// sanitizer build turns any into a failure); the values themselves may be inf or NaN.
TEST(Calculators, AcceptAbsurdInputs) {
    const int levels[] = {kIntMin, -1000, 1000, kIntMax};
    const double numbers[] = {kNaN, kInf, -kInf, -1e308, 1e308};
    for (int level : levels) {
        for (double x : numbers) {
            for (std::string_view sensor : {"TS-101", "TS-106", "TS-202B", "TS-301", ""}) {
                Calc_u_cal(sensor, x, level);
                Calc_u_drift(sensor, level);
                Calc_u_noise(sensor, level, level);
                Calc_u_temp(sensor, level, kIntMin);
                Calc_u_temp(sensor, kIntMax, level);
                Calc_u_GG(sensor, level, level);
                Calc_u_M(sensor, x, x, MismatchMode::probable);
                Calc_u_P_Coeff(sensor, level);
                Calc_fd_Lin(sensor, x, level);
                Calc_u_Harmonics2f(sensor, x, level);
                Calc_u_Harmonics3f(sensor, x, level);
            }
        }
    }
    SUCCEED();
}

} // namespace
} // namespace tarvex
