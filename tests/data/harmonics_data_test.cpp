// Reading error caused by the second and third harmonic: hand-calculated points, the formula and scale
// of every sensor, and the limits of the three formulas at very low and very high power.
#include <cmath>
#include <optional>
#include <string_view>

#include <gtest/gtest.h>

#include "data/harmonics_data.h"
#include "tests/data/data_test_support.h"

namespace tarvex {
namespace {

using test::ExpectNear;

// Relative tolerance matching the six significant digits of the hand calculations.
constexpr double kSixDigits = 1e-5;

TEST(HarmonicsError, HandCalculatedPoints) {
    struct Case {
        std::string_view sensor;
        double powerW, harmonicDbc, error2fPercent, error3fPercent;
    };
    constexpr Case kCases[] = {
        {"TS-101", 0.001, -20, 18.6582, 16.7946}, // formula A, a = 1
        {"TS-104", 0.001, -20, 2.5, 16.7946},     // formula B, a = 1
        {"TS-203", 0.001, -20, 0.0149254, 0.104637},
        {"TS-101", 0.00019, -20, 14.9729, 9.99280}, // third-harmonic factor exactly 0.5
        {"TS-102", 0.1, -30, 5.90024, 5.31092},     // TS-101 with scale 0.01
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message()
                     << c.sensor << " at " << c.powerW << " W, " << c.harmonicDbc << " dBc");
        ExpectNear(Harmonics2fError(c.sensor, c.powerW, c.harmonicDbc), c.error2fPercent,
                   kSixDigits * c.error2fPercent);
        ExpectNear(Harmonics3fError(c.sensor, c.powerW, c.harmonicDbc), c.error3fPercent,
                   kSixDigits * c.error3fPercent);
    }
}

// Each diode sensor's scale and second-harmonic formula; the lookups must hand both to the right formula.
TEST(HarmonicsError, ScaleAndFormulaOfEveryDiodeSensor) {
    enum class Formula2f { A, B };
    struct Row {
        std::string_view sensor;
        double scale;
        Formula2f formula;
    };
    constexpr Row kRows[] = {
        {"TS-101", 1, Formula2f::A},     {"TS-102", 0.01, Formula2f::A},  {"TS-103", 1.5, Formula2f::B},
        {"TS-104", 1, Formula2f::B},     {"TS-105", 0.01, Formula2f::B},  {"TS-106", 1, Formula2f::A},
        {"TS-107", 1, Formula2f::A},     {"TS-108", 0.01, Formula2f::A},  {"TS-109", 1, Formula2f::A},
        {"TS-201", 1, Formula2f::B},     {"TS-202A", 0.01, Formula2f::B}, {"TS-202B", 0.01, Formula2f::B},
        {"TS-203", 0.001, Formula2f::B},
    };
    struct Point {
        double powerW, harmonicDbc;
    };
    constexpr Point kPoints[] = {{1e-6, -80}, {0.001, -40}, {0.1, -10}};
    for (const Row& row : kRows) {
        for (const Point& p : kPoints) {
            SCOPED_TRACE(testing::Message() << row.sensor << " at " << p.powerW << " W");
            const double expected2f = row.formula == Formula2f::A
                                          ? Harmonics2fFormulaA(p.powerW, row.scale, p.harmonicDbc)
                                          : Harmonics2fFormulaB(p.powerW, row.scale, p.harmonicDbc);
            ExpectNear(Harmonics2fError(row.sensor, p.powerW, p.harmonicDbc), expected2f, 1e-12 * expected2f);
            const double expected3f = Harmonics3fFormula(p.powerW, row.scale, p.harmonicDbc);
            ExpectNear(Harmonics3fError(row.sensor, p.powerW, p.harmonicDbc), expected3f, 1e-12 * expected3f);
        }
    }
}

TEST(HarmonicsError, ThermalSensorsHaveNone) {
    for (const std::string_view sensor : test::kThermalSensors) {
        for (const double powerW : {1e-9, 0.001, 30.0}) {
            for (const double harmonicDbc : {-10.0, -80.0}) {
                SCOPED_TRACE(testing::Message() << sensor << " at " << powerW << " W, " << harmonicDbc);
                ExpectNear(Harmonics2fError(sensor, powerW, harmonicDbc), 0.0, 0.0);
                ExpectNear(Harmonics3fError(sensor, powerW, harmonicDbc), 0.0, 0.0);
            }
        }
    }
}

TEST(HarmonicsErrorNoValue, UnknownIdentifiers) {
    for (const std::string_view sensor : test::kUnknownSensors) {
        SCOPED_TRACE(sensor);
        EXPECT_FALSE(Harmonics2fError(sensor, 0.001, -20).has_value());
        EXPECT_FALSE(Harmonics3fError(sensor, 0.001, -20).has_value());
    }
}

// At H = -10 dBc and very high power: 63.2 % (third), 200/sqrt(10) % (A), 30 % (B), approached from below.
TEST(HarmonicsFormulas, HighPowerLimits) {
    struct Case {
        const char* name;
        double (*formula)(double, double, double);
        double limitPercent;
    };
    const Case kCases[] = {{"third", Harmonics3fFormula, 63.2},
                           {"second A", Harmonics2fFormulaA, 63.2455532},
                           {"second B", Harmonics2fFormulaB, 30}};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const double atHighPower = c.formula(1e6, 1, -10);
        EXPECT_NEAR(atHighPower, c.limitPercent, 1e-6 * c.limitPercent);
        EXPECT_LT(atHighPower, c.limitPercent);
        EXPECT_LT(c.formula(1e-12, 1, -10),
                  1e-3 * c.limitPercent); // far below the transition power: vanishing
    }
}

// At the transition power P0 = P0(a = 1) / a the transition factor is one half.
TEST(HarmonicsFormulas, TransitionPowerScalesWithA) {
    struct Case {
        const char* name;
        double (*formula)(double, double, double);
        double transitionPowerW; // for a = 1
        double errorPercent;     // at H = -10 dBc
    };
    const Case kCases[] = {{"third", Harmonics3fFormula, 0.00019, 31.6},
                           {"second A", Harmonics2fFormulaA, 0.000149, 44.7213595}, // 200/sqrt(2)/sqrt(10)
                           {"second B", Harmonics2fFormulaB, 0.0002, 15}};
    for (const Case& c : kCases) {
        for (const double a : {1.0, 0.01, 0.001, 1.5}) {
            SCOPED_TRACE(testing::Message() << c.name << ", a = " << a);
            EXPECT_NEAR(c.formula(c.transitionPowerW / a, a, -10), c.errorPercent, 1e-7 * c.errorPercent);
        }
    }
}

} // namespace
} // namespace tarvex
