// Whole evaluations of a setup, from the inputs to the texts of the fifteen result labels.
#include "budget/presentation.h"
#include "budget/uncertainty_budget.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

// The window's start state: TS-301 on BX-20, 0.01 dB resolution, 18 GHz, 0 dBm, return loss 20.0 dB,
// filter 7, 22 ... 24 °C, harmonics -40 / -50 dBc, everything ticked, dB, probable, statistical. The diode
// sensor TS-106 sits in its bilinear fd-linearity cell at 20 GHz and 8 dBm, return loss 15.0 dB.
// clang-format off
const MeasurementSetup kStart{.sensor = "TS-301", .basicUnit = "BX-20", .frequency = 18.0, .level = 0,
    .filterNumber = 7, .tempMin = 22, .tempMax = 24, .returnLossDb = 20.0,
    .resolution = "0.01 dB", .harmonic2f = -40, .harmonic3f = -50, .include = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
    .unit = ResultUnit::dB, .mismatchMode = MismatchMode::probable, .fdLinSystematic = false};
const MeasurementSetup kDiode{.sensor = "TS-106", .basicUnit = "BX-10", .frequency = 20.0, .level = 8,
    .filterNumber = 3, .tempMin = 15, .tempMax = 35,
    .returnLossDb = 15.0, .resolution = "0.001 dB", .harmonic2f = -30, .harmonic3f = -40,
    .include = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, .unit = ResultUnit::dB,
    .mismatchMode = MismatchMode::conservative, .fdLinSystematic = true};
// clang-format on

// The fifteen label texts joined by '|': the contributions in evaluation order, uc, MU, systematic error.
std::string Joined(const ResultTexts& texts) {
    std::string joined;
    for (const std::string& text : texts.u) {
        joined += text + '|';
    }
    return joined + texts.uc + '|' + texts.MU + '|' + texts.systematicError;
}

TEST(EvaluateBudget, FifteenResultTexts) {
    const struct {
        const char* name;
        MeasurementSetup setup;
        ResultUnit unit;
        bool showSystematic;
        std::string_view texts;
    } cases[] = {
        {"start state in dB", kStart, ResultUnit::dB, false,
         "0.060 dB|0.000 dB|0.000 dB|0.010 dB|0.000 dB|0.008 dB|0.003 dB|0.043 dB|0.000 dB|0.000 dB|0.000 dB|"
         "0.000 dB| 0.075 dB|0.15 dB|0.000 dB"},
        {"start state in percent", kStart, ResultUnit::percent, false,
         "1.38 %|0.00 %|0.00 %|0.23 %|0.00 %|0.17 %|0.07 %|0.98 %|0.00 %|0.00 %|0.00 %|0.00 %|"
         " 1.72 %|3.4 %|0.0 %"},
        {"diode, systematic, in dB", kDiode, ResultUnit::dB, true,
         "0.045 dB|0.000 dB|0.000 dB|0.020 dB|0.014 dB|0.023 dB|0.000 dB|0.181 dB|0.000 dB|0.040 dB|0.192 dB|"
         "0.060 dB| 0.279 dB|0.56 dB|0.079 dB"},
        {"diode, systematic, in percent", kDiode, ResultUnit::percent, true,
         "1.04 %|0.00 %|0.00 %|0.46 %|0.32 %|0.52 %|0.01 %|4.16 %|0.00 %|0.91 %|4.43 %|1.37 %|"
         " 6.43 %|12.9 %|1.8 %"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const UncertaintyBudget budget = EvaluateBudget(c.setup);
        EXPECT_EQ(Joined(PresentBudget(budget, c.unit)), c.texts);
        EXPECT_EQ(budget.showSystematic, c.showSystematic);
    }
}

// While the window loads, the lists may have no selection yet; unknown identifiers have no value anywhere.
TEST(EvaluateBudget, UnknownIdentifiersGiveAnAllZeroBudget) {
    for (const char* id : {"", "TS-999", "ts-301"}) {
        SCOPED_TRACE(id);
        MeasurementSetup setup = kStart;
        setup.sensor = setup.basicUnit = setup.resolution = id;
        EXPECT_EQ(EvaluateBudget(setup).u, PerContribution<double>{});
    }
}

} // namespace
} // namespace tarvex
