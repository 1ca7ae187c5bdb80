#include "budget/batch_columns.h"

#include "budget/inputs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace tarvex {
namespace {

std::string Joined(const std::vector<std::string>& fields) {
    std::string joined;
    for (const std::string& field : fields) {
        joined += (joined.empty() ? "" : "|") + field;
    }
    return joined;
}

TEST(BatchColumns, StartStateInputsAndResults) {
    MeasurementSetup setup = StartSetup();
    setup.include[Index(Contribution::drift)] = 0;
    setup.include[Index(Contribution::Harmonics3f)] = 0;
    EXPECT_EQ(Joined(BatchInputFields(setup, "7")),
              "7|TS-301|BX-20|0.01 dB|18|0|20|7|-40|-50|22|24|probable|statistical|drift Harmonics3f|dB");

    const MeasurementSetup start = StartSetup();
    const std::vector<std::string> exact = BatchResultFields(start, EvaluateBudget(start), ValueStyle::exact);
    ASSERT_EQ(exact.size(), 15U);
    EXPECT_NEAR(std::strtod(exact[12].c_str(), nullptr), 0.0747143, 5e-8);
    EXPECT_EQ(exact[14], ""); // the systematic row is hidden
}

// Percent values are 100 times the numbers the "%" patterns receive; a shown systematic row has a value.
TEST(BatchColumns, PercentAndSystematic) {
    MeasurementSetup setup = StartSetup();
    setup.unit = ResultUnit::percent;
    setup.fdLinSystematic = true;
    const UncertaintyBudget budget = EvaluateBudget(setup);
    const std::vector<std::string> exact = BatchResultFields(setup, budget, ValueStyle::exact);
    EXPECT_NEAR(std::strtod(exact[12].c_str(), nullptr), 1.72, 0.005);
    EXPECT_EQ(exact[14], "0");
    EXPECT_EQ(BatchResultFields(setup, budget, ValueStyle::display)[12], " 1.72 %");
}

TEST(ShortestDecimal, ReadsBackToTheSameDouble) {
    for (const double x : {0.1, 20.3, 1e-5, 0.0747143, 1.0 / 3.0, std::numeric_limits<double>::denorm_min(),
                           -std::numeric_limits<double>::max()}) {
        const std::string text = ShortestDecimal(x);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), x) << text;
    }
    EXPECT_EQ(ShortestDecimal(0.1), "0.1");
    EXPECT_EQ(ShortestDecimal(18.0), "18");
}

} // namespace
} // namespace tarvex
