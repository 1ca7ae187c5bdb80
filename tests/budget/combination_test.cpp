// Combination of the contributions into uc, MU and the systematic error, and the result texts.
#include "budget/presentation.h"
#include "budget/uncertainty_budget.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvex {
namespace {

constexpr std::size_t kCal = Index(Contribution::cal);
constexpr std::size_t kDrift = Index(Contribution::drift);
constexpr std::size_t kFdLin = Index(Contribution::fd_Lin);

// 0.03 dB calibration, 0.04 dB zero offset and an fd-linearity error with its own tick.
TEST(CombineBudget, RootSumSquareOfTheTickedWithSystematicHalving) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        const char* name;
        double fdLin;
        int fdTick, otherTicks;
        bool systematic;
        double uc, fdLinU; // fdLinU after halving
        bool show;
    } cases[] = {{"example", 0.0, 1, 1, false, 0.05, 0.0, false},
                 {"systematic: half enters uc", 0.08, 1, 1, true, std::sqrt(0.0041), 0.04, true},
                 {"statistical: whole enters uc", 0.08, 1, 1, false, std::sqrt(0.0089), 0.08, false},
                 {"systematic but unticked: hidden", 0.08, 0, 1, true, 0.05, 0.04, false},
                 {"unticked infinity adds nothing", kInf, 0, 1, false, 0.05, kInf, false},
                 {"all weights 0", 0.08, 0, 0, true, 0.0, 0.04, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PerContribution<double> u{0.03, 0.04}; // calibration, zero offset
        u[kFdLin] = c.fdLin;
        PerContribution<int> include{};
        include.fill(c.otherTicks);
        include[kFdLin] = c.fdTick;
        const UncertaintyBudget budget = CombineBudget(u, include, c.systematic);
        EXPECT_NEAR(budget.uc, c.uc, 1e-15);
        EXPECT_EQ(budget.u[kDrift], 0.04); // unticked values stay for their labels
        EXPECT_EQ(budget.u[kFdLin], c.fdLinU);
        EXPECT_EQ(budget.systematicError, c.fdLin); // never halved
        EXPECT_EQ(budget.showSystematic, c.show);
    }
}

// In percent each value is converted on its own: MU is twice the percent of uc, not the percent of 2 uc.
TEST(PresentBudget, TextsInDbAndPercent) {
    const struct {
        double cal, drift;
        ResultUnit unit;
        const char* separator;
        std::string_view calText, driftText, ucText, MUText;
    } cases[] = {
        {0.03, 0.04, ResultUnit::dB, ".", "0.030 dB", "0.040 dB", " 0.050 dB", "0.10 dB"},
        {0.03, 0.04, ResultUnit::percent, ".", "0.69 %", "0.92 %", " 1.15 %", "2.3 %"},
        {0.03, 0.04, ResultUnit::percent, ",", "0,69 %", "0,92 %", " 1,15 %", "2,3 %"},
        {1.0, 0.0, ResultUnit::percent, ".", "23.23 %", "0.00 %", " 23.23 %", "46.5 %"}}; // not 47.7 %
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cal << " dB, " << c.calText);
        const PerContribution<double> u{c.cal, c.drift};
        const ResultTexts texts =
            PresentBudget(CombineBudget(u, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, false), c.unit, c.separator);
        EXPECT_EQ(texts.u[kCal], c.calText);
        EXPECT_EQ(texts.u[kDrift], c.driftText);
        EXPECT_EQ(texts.uc, c.ucText);
        EXPECT_EQ(texts.MU, c.MUText);
    }
}

} // namespace
} // namespace tarvex
