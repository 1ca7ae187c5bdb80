// Whole evaluations of a setup, from the inputs to the texts of the fifteen result labels.
#include "budget/presentation.h"
#include "budget/uncertainty_budget.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvex {
namespace {

using Texts = PerContribution<std::string>;

// The window's start state: TS-301 on BX-20, 0.01 dB resolution, 18 GHz, 0 dBm, return loss 20.0 dB,
// filter 7, 22 ... 24 °C, harmonics -40 / -50 dBc, everything ticked, dB, probable, statistical.
MeasurementSetup StartState() {
    MeasurementSetup setup;
    setup.sensor = "TS-301";
    setup.basicUnit = "BX-20";
    setup.frequency = 18.0;
    setup.level = 0;
    setup.powerW = 0.001;
    setup.filterNumber = 7;
    setup.tempMin = 22;
    setup.tempMax = 24;
    setup.sourceMatch = 0.1;
    setup.resolution = "0.01 dB";
    setup.harmonic2f = -40;
    setup.harmonic3f = -50;
    setup.include = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    setup.unit = ResultUnit::dB;
    setup.mismatchMode = MismatchMode::probable;
    setup.fdLinSystematic = false;
    return setup;
}

// A diode sensor in its bilinear fd-linearity cell: TS-106 on BX-10 at 20 GHz and 8 dBm (6.3096 mW),
// 0.001 dB resolution, return loss 15.0 dB, filter 3, 15 ... 35 °C, harmonics -30 / -40 dBc,
// conservative mismatch, fd linearity systematic.
MeasurementSetup DiodeState() {
    MeasurementSetup setup = StartState();
    setup.sensor = "TS-106";
    setup.basicUnit = "BX-10";
    setup.frequency = 20.0;
    setup.level = 8;
    setup.powerW = 0.00630957344480193;
    setup.filterNumber = 3;
    setup.tempMin = 15;
    setup.tempMax = 35;
    setup.sourceMatch = 0.1778279410038923; // 10^(-15 / 20)
    setup.resolution = "0.001 dB";
    setup.harmonic2f = -30;
    setup.harmonic3f = -40;
    setup.mismatchMode = MismatchMode::conservative;
    setup.fdLinSystematic = true;
    return setup;
}

TEST(EvaluateBudget, StartStateInDb) {
    const UncertaintyBudget budget = EvaluateBudget(StartState());
    EXPECT_NEAR(budget.uc, 0.0747142724, 1e-9);
    const ResultTexts texts = PresentBudget(budget, ResultUnit::dB);
    EXPECT_EQ(texts.u, (Texts{"0.060 dB", "0.000 dB", "0.000 dB", "0.010 dB", "0.000 dB", "0.008 dB",
                              "0.003 dB", "0.043 dB", "0.000 dB", "0.000 dB", "0.000 dB", "0.000 dB"}));
    EXPECT_EQ(texts.uc, " 0.075 dB");
    EXPECT_EQ(texts.MU, "0.15 dB");
    EXPECT_EQ(texts.systematicError, "0.000 dB");
    EXPECT_FALSE(budget.showSystematic);
}

TEST(EvaluateBudget, StartStateInPercent) {
    const ResultTexts texts = PresentBudget(EvaluateBudget(StartState()), ResultUnit::percent);
    EXPECT_EQ(texts.u, (Texts{"1.38 %", "0.00 %", "0.00 %", "0.23 %", "0.00 %", "0.17 %", "0.07 %", "0.98 %",
                              "0.00 %", "0.00 %", "0.00 %", "0.00 %"}));
    EXPECT_EQ(texts.uc, " 1.72 %");
    EXPECT_EQ(texts.MU, "3.4 %");
    EXPECT_EQ(texts.systematicError, "0.0 %");
}

TEST(EvaluateBudget, ConservativeMismatchChangesOnlyMismatchAndUc) {
    MeasurementSetup setup = StartState();
    setup.mismatchMode = MismatchMode::conservative;
    const ResultTexts probable = PresentBudget(EvaluateBudget(StartState()), ResultUnit::dB);
    const ResultTexts conservative = PresentBudget(EvaluateBudget(setup), ResultUnit::dB);
    EXPECT_EQ(conservative.u[Index(Contribution::M)], "0.055 dB");
    EXPECT_EQ(conservative.uc, " 0.083 dB");
    EXPECT_EQ(conservative.MU, "0.17 dB");
    for (std::size_t i = 0; i < kContributionCount; ++i) {
        if (i != Index(Contribution::M)) {
            SCOPED_TRACE(kContributions[i].name);
            EXPECT_EQ(conservative.u[i], probable.u[i]);
        }
    }
}

TEST(EvaluateBudget, UntickedMismatchKeepsItsLabelAndLowersUc) {
    MeasurementSetup setup = StartState();
    setup.include[Index(Contribution::M)] = 0;
    const ResultTexts texts = PresentBudget(EvaluateBudget(setup), ResultUnit::dB);
    EXPECT_EQ(texts.u[Index(Contribution::M)], "0.043 dB");
    EXPECT_EQ(texts.uc, " 0.061 dB");
}

TEST(EvaluateBudget, DiodeSensorWithSystematicLinearityError) {
    const UncertaintyBudget budget = EvaluateBudget(DiodeState());
    // Hand calculation: fd error 1.8447659 % at 6.3096 mW in the 14 ... 26.5 GHz cell, 0.0793871 dB.
    EXPECT_NEAR(budget.systematicError, 0.0793871414, 1e-9);
    EXPECT_EQ(budget.u[Index(Contribution::fd_Lin)] * 2.0, budget.systematicError);
    EXPECT_NEAR(budget.uc, 0.2788865068, 1e-9);
    EXPECT_TRUE(budget.showSystematic);

    const ResultTexts dB = PresentBudget(budget, ResultUnit::dB);
    EXPECT_EQ(dB.u, (Texts{"0.045 dB", "0.000 dB", "0.000 dB", "0.020 dB", "0.014 dB", "0.023 dB", "0.000 dB",
                           "0.181 dB", "0.000 dB", "0.040 dB", "0.192 dB", "0.060 dB"}));
    EXPECT_EQ(dB.uc, " 0.279 dB");
    EXPECT_EQ(dB.MU, "0.56 dB");
    EXPECT_EQ(dB.systematicError, "0.079 dB");

    const ResultTexts percent = PresentBudget(budget, ResultUnit::percent);
    EXPECT_EQ(percent.u, (Texts{"1.04 %", "0.00 %", "0.00 %", "0.46 %", "0.32 %", "0.52 %", "0.01 %",
                                "4.16 %", "0.00 %", "0.91 %", "4.43 %", "1.37 %"}));
    EXPECT_EQ(percent.uc, " 6.43 %");
    EXPECT_EQ(percent.MU, "12.9 %");
    EXPECT_EQ(percent.systematicError, "1.8 %");
}

TEST(EvaluateBudget, DiodeSensorInStatisticalTreatment) {
    MeasurementSetup setup = DiodeState();
    setup.fdLinSystematic = false;
    const UncertaintyBudget budget = EvaluateBudget(setup);
    EXPECT_EQ(budget.u[Index(Contribution::fd_Lin)], budget.systematicError);
    EXPECT_FALSE(budget.showSystematic);
    EXPECT_EQ(PresentBudget(budget, ResultUnit::dB).u[Index(Contribution::fd_Lin)], "0.079 dB");
}

// While the window loads, the lists may have no selection yet: empty texts give no value everywhere.
TEST(EvaluateBudget, EmptySelectionsGiveAnAllZeroBudget) {
    MeasurementSetup setup = StartState();
    setup.sensor.clear();
    setup.basicUnit.clear();
    setup.resolution.clear();
    const UncertaintyBudget budget = EvaluateBudget(setup);
    EXPECT_EQ(budget.u, PerContribution<double>{});
    EXPECT_EQ(budget.uc, 0.0);
    const ResultTexts texts = PresentBudget(budget, ResultUnit::dB);
    EXPECT_EQ(texts.u[Index(Contribution::res)], "0.000 dB");
    EXPECT_EQ(texts.uc, " 0.000 dB");
}

// Inputs the window never produces must still evaluate and present without undefined behaviour.
TEST(EvaluateBudget, AbsurdSetupsComplete) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr int kIntMin = std::numeric_limits<int>::min();
    constexpr int kIntMax = std::numeric_limits<int>::max();
    for (double x : {kNaN, kInf, -kInf, -1e300}) {
        for (int n : {kIntMin, -32768, 32767, kIntMax}) {
            MeasurementSetup setup = DiodeState();
            setup.frequency = x;
            setup.powerW = x;
            setup.sourceMatch = x;
            setup.level = n;
            setup.filterNumber = n;
            setup.tempMin = n;
            setup.tempMax = n;
            setup.harmonic2f = n;
            setup.harmonic3f = n;
            setup.include.fill(n);
            const UncertaintyBudget budget = EvaluateBudget(setup);
            for (ResultUnit unit : {ResultUnit::dB, ResultUnit::percent}) {
                EXPECT_FALSE(PresentBudget(budget, unit).uc.empty());
            }
        }
    }
}

} // namespace
} // namespace tarvex
