#include "budget/budget_description.h"

#include "budget/inputs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvex {
namespace {

// Percent, conservative, systematic and one contribution left out, with a decimal comma: the captions
// follow the settings and the systematic row appears.
TEST(DescribeBudget, SettingsChangeCaptionsAndRows) {
    MeasurementSetup setup = StartSetup();
    setup.sensor = "TS-106";
    setup.frequency = 20.0;
    setup.unit = ResultUnit::percent;
    setup.mismatchMode = MismatchMode::conservative;
    setup.fdLinSystematic = true;
    setup.include[Index(Contribution::drift)] = 0;
    const BudgetDescription d = DescribeBudget(setup, EvaluateBudget(setup), ",");
    EXPECT_EQ(d.inputs[3].text, "20,00 GHz");
    EXPECT_EQ(d.inputs[14].text, "conservative");
    EXPECT_EQ(d.inputs[15].text, "systematic");
    EXPECT_EQ(d.contributions[4].caption, "Mismatch Uncertainty (conservative)");
    EXPECT_FALSE(d.contributions[2].included); // Zero Offset, third on screen
    EXPECT_EQ(d.expanded.caption, "Expanded Uncertainty of Power (k=2)");
    ASSERT_TRUE(d.systematic.has_value());
    EXPECT_EQ(d.systematic->caption, "Systematic Error of Power");
    EXPECT_NE(d.combined.text.front(), ' '); // the pattern's leading blank is dropped
}

// A 3-4-5 budget by hand: 0.03² and 0.04² of 0.05² are 36 % and 64 %; unticked rows have no share, the
// zero rows that are ticked come after in the window's order, and a budget without variance has none.
TEST(DescribeBudget, SharesOfTheCombinedVarianceLargestFirst) {
    MeasurementSetup setup = StartSetup();
    setup.include[Index(Contribution::lin)] = 0;
    UncertaintyBudget budget;
    budget.u[Index(Contribution::cal)] = 0.03;
    budget.u[Index(Contribution::M)] = 0.04;
    budget.u[Index(Contribution::lin)] = 0.5;
    budget.uc = 0.05;
    const std::vector<DescribedShare> shares = DescribeBudget(setup, budget, ",").shares;
    ASSERT_EQ(shares.size(), 11U);
    EXPECT_EQ(shares[0].caption + '=' + shares[0].text, "Mismatch Uncertainty (probable)=64,0 %");
    EXPECT_EQ(shares[1].caption + '=' + shares[1].text, "Calibration Uncertainty=36,0 %");
    EXPECT_EQ(shares[2].caption + '=' + shares[2].text, "Display Noise=0,0 %");
    EXPECT_NEAR(shares[0].fraction, 0.64, 1e-12);

    budget.uc = 0.0;
    EXPECT_TRUE(DescribeBudget(setup, budget).shares.empty());
}

// Only a 0.1 dB mismatch term (arcsine): ±0.2 dB covers all; the 95 % half-width is √2 sin(0.475 π) 0.1 dB =
// 0.141 dB, k = 1.41; in percent k times uc in percent, 1.41 · 2.30 % = 3.2 %. Nothing ticked: no rows.
TEST(DescribeBudget, CoverageRowsAndStatement) {
    MeasurementSetup setup = StartSetup();
    setup.include.fill(0);
    setup.include[Index(Contribution::M)] = 1;
    UncertaintyBudget budget;
    budget.u[Index(Contribution::M)] = 0.1;
    budget.u[Index(Contribution::cal)] = 0.5; // unticked: no part
    budget.uc = 0.1;
    budget.MU = 0.2;
    const struct {
        ResultUnit unit;
        const char* interval;
        const char* caption;
    } cases[] = {
        {ResultUnit::dB, "±0.14 dB (k = 1.41)",
         "±0.20 dB (k = 2) covers 100.0 %; the 95 % interval is ±0.14 dB (k = 1.41)"},
        {ResultUnit::percent, "±3.2 % (k = 1.41)",
         "±4.6 % (k = 2) covers 100.0 %; the 95 % interval is ±3.2 % (k = 1.41)"},
    };
    for (const auto& c : cases) {
        setup.unit = c.unit;
        const auto coverage = DescribeBudget(setup, budget).coverage;
        ASSERT_TRUE(coverage.has_value());
        EXPECT_EQ(coverage->coverageOfMU.text, "100.0 %");
        EXPECT_EQ(coverage->interval95.text, c.interval);
        EXPECT_EQ(coverage->caption, c.caption);
        EXPECT_FALSE(coverage->density.empty());
    }
    setup.include[Index(Contribution::M)] = 0;
    EXPECT_FALSE(DescribeBudget(setup, budget).coverage.has_value());
}

} // namespace
} // namespace tarvex
