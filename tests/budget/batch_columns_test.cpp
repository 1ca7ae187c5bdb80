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
    EXPECT_EQ(Joined(BatchResultColumns()),
              "u_cal|u_drift|u_noise|u_lin|u_temp|u_GG|u_res|u_M|u_P_Coeff|"
              "u_fd_Lin|u_Harmonics2f|u_Harmonics3f|uc|MU|systematic_error|error");

    const MeasurementSetup start = StartSetup();
    const std::vector<std::string> display =
        BatchResultFields(start, EvaluateBudget(start), ValueStyle::display);
    EXPECT_EQ(Joined(display), "0.060 dB|0.000 dB|0.000 dB|0.010 dB|0.000 dB|0.008 dB|0.003 dB|0.043 dB|"
                               "0.000 dB|0.000 dB|0.000 dB|0.000 dB| 0.075 dB|0.15 dB|");
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
