// Combination of the contributions into uc, MU and the systematic error, the dB-to-percent conversion,
// and the texts of the result labels in both units.
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
constexpr PerContribution<int> kAllTicked{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
constexpr PerContribution<int> kNoneTicked{};

// 0.03 dB calibration and 0.04 dB zero offset, nothing else.
PerContribution<double> TwoContributions() {
    PerContribution<double> u{};
    u[kCal] = 0.03;
    u[kDrift] = 0.04;
    return u;
}

TEST(CombineBudget, RootSumSquareOfTheTickedContributions) {
    const UncertaintyBudget budget = CombineBudget(TwoContributions(), kAllTicked, false);
    EXPECT_NEAR(budget.uc, 0.05, 1e-15);
    EXPECT_NEAR(budget.MU, 0.1, 1e-15);
    EXPECT_EQ(budget.u, TwoContributions());
}

TEST(CombineBudget, UntickedContributionsAddNothingButKeepTheirValues) {
    PerContribution<int> onlyCal{};
    onlyCal[kCal] = 1;
    const UncertaintyBudget oneTicked = CombineBudget(TwoContributions(), onlyCal, false);
    EXPECT_DOUBLE_EQ(oneTicked.uc, 0.03);
    EXPECT_EQ(oneTicked.u[kDrift], 0.04);

    const UncertaintyBudget noneTicked = CombineBudget(TwoContributions(), kNoneTicked, false);
    EXPECT_EQ(noneTicked.uc, 0.0);
    EXPECT_EQ(noneTicked.MU, 0.0);
    EXPECT_EQ(noneTicked.u, TwoContributions());
}

TEST(CombineBudget, UntickedInfiniteContributionLeavesUcFinite) {
    PerContribution<double> u = TwoContributions();
    u[kFdLin] = std::numeric_limits<double>::infinity();
    PerContribution<int> include = kAllTicked;
    include[kFdLin] = 0;
    EXPECT_NEAR(CombineBudget(u, include, false).uc, 0.05, 1e-15);
}

TEST(CombineBudget, SystematicTreatmentHalvesTheContributionOnly) {
    PerContribution<double> u{};
    u[kFdLin] = 0.0793871414;
    const UncertaintyBudget systematic = CombineBudget(u, kAllTicked, true);
    EXPECT_EQ(systematic.systematicError, 0.0793871414);
    EXPECT_EQ(systematic.u[kFdLin] * 2.0, systematic.systematicError);
    EXPECT_DOUBLE_EQ(systematic.uc, 0.0793871414 / 2.0);
    EXPECT_TRUE(systematic.showSystematic);

    const UncertaintyBudget statistical = CombineBudget(u, kAllTicked, false);
    EXPECT_EQ(statistical.u[kFdLin], 0.0793871414);
    EXPECT_EQ(statistical.systematicError, 0.0793871414);
    EXPECT_DOUBLE_EQ(statistical.uc, 0.0793871414);
    EXPECT_FALSE(statistical.showSystematic);
}

TEST(CombineBudget, SystematicButUntickedIsHiddenAndAddsNothing) {
    PerContribution<double> u = TwoContributions();
    u[kFdLin] = 0.08;
    PerContribution<int> include = kAllTicked;
    include[kFdLin] = 0;
    const UncertaintyBudget budget = CombineBudget(u, include, true);
    EXPECT_FALSE(budget.showSystematic);
    EXPECT_NEAR(budget.uc, 0.05, 1e-15);
    EXPECT_EQ(budget.u[kFdLin], 0.04);
    EXPECT_EQ(budget.systematicError, 0.08);
}

TEST(DbToPc, MeanOfPowerExcessAndShortfall) {
    const struct {
        double dB;
        double fraction;
    } cases[] = {
        {0.0, 0.0},
        {0.01, 0.0023025871277},
        {0.05, 0.0115131798015},
        {0.1, 0.0230278856625},
        {1.0, 0.232298588535},
        {-0.1, -0.0230278856625},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dB);
        EXPECT_NEAR(dB_to_pc(c.dB), c.fraction, 1e-12);
    }
}

TEST(PresentBudget, DbColumn) {
    UncertaintyBudget budget = CombineBudget(TwoContributions(), kAllTicked, false);
    budget.systematicError = 0.0793871414;
    const ResultTexts texts = PresentBudget(budget, ResultUnit::dB);
    EXPECT_EQ(texts.u[kCal], "0.030 dB");
    EXPECT_EQ(texts.u[kDrift], "0.040 dB");
    EXPECT_EQ(texts.u[kFdLin], "0.000 dB");
    EXPECT_EQ(texts.uc, " 0.050 dB");
    EXPECT_EQ(texts.MU, "0.10 dB");
    EXPECT_EQ(texts.systematicError, "0.079 dB");
}

TEST(PresentBudget, PercentColumnConvertsEachValueOnItsOwn) {
    UncertaintyBudget budget = CombineBudget(TwoContributions(), kAllTicked, false);
    budget.systematicError = 0.0793871414;
    const ResultTexts texts = PresentBudget(budget, ResultUnit::percent);
    EXPECT_EQ(texts.u[kCal], "0.69 %");
    EXPECT_EQ(texts.u[kDrift], "0.92 %");
    EXPECT_EQ(texts.u[kFdLin], "0.00 %");
    EXPECT_EQ(texts.uc, " 1.15 %");
    EXPECT_EQ(texts.MU, "2.3 %");
    EXPECT_EQ(texts.systematicError, "1.8 %");
}

TEST(PresentBudget, PercentMUIsTwiceThePercentOfUc) {
    PerContribution<double> u{};
    u[kCal] = 1.0;
    const ResultTexts texts = PresentBudget(CombineBudget(u, kAllTicked, false), ResultUnit::percent);
    EXPECT_EQ(texts.uc, " 23.23 %");
    EXPECT_EQ(texts.MU, "46.5 %"); // the percent of 2 dB would be 47.7 %
}

TEST(PresentBudget, NothingTickedShowsZeroUcButEveryContribution) {
    const ResultTexts texts =
        PresentBudget(CombineBudget(TwoContributions(), kNoneTicked, false), ResultUnit::dB);
    EXPECT_EQ(texts.uc, " 0.000 dB");
    EXPECT_EQ(texts.MU, "0.00 dB");
    EXPECT_EQ(texts.u[kCal], "0.030 dB");
    EXPECT_EQ(texts.u[kDrift], "0.040 dB");
}

TEST(PresentBudget, WritesTheGivenDecimalSeparator) {
    const ResultTexts texts =
        PresentBudget(CombineBudget(TwoContributions(), kAllTicked, false), ResultUnit::percent, ",");
    EXPECT_EQ(texts.u[kCal], "0,69 %");
    EXPECT_EQ(texts.uc, " 1,15 %");
    EXPECT_EQ(texts.MU, "2,3 %");
}

} // namespace
} // namespace tarvex
