// Reading error caused by the second and third harmonic: hand-calculated points of both lookups.
#include <cmath>
#include <string_view>
#include <tuple>

#include <gtest/gtest.h>

#include "data/harmonics_data.h"

namespace tarvex {
namespace {

TEST(HarmonicsError, HandCalculatedPoints) {
    // sensor, P (W), H (dBc), second- and third-harmonic error (%) to the six digits of the hand calculation
    using Case = std::tuple<std::string_view, double, double, double, double>;
    // clang-format off
    constexpr Case kCases[] = {
        {"TS-101", 0.001, -20, 18.6582, 16.7946},     // formula A, a = 1
        {"TS-104", 0.001, -20, 2.5, 16.7946},         // formula B, a = 1
        {"TS-203", 0.001, -20, 0.0149254, 0.104637},  // formula B, a = 0.001
        {"TS-101", 0.00019, -20, 14.9729, 9.99280},   // third-harmonic transition factor exactly 0.5
        {"TS-102", 0.1, -30, 5.90024, 5.31092},       // formula A, a = 0.01
        {"TS-301", 0.001, -20, 0, 0}, {"TS-305", 30, -10, 0, 0}, // thermal sensors: none
    };
    // clang-format on
    for (const auto& [sensor, powerW, dbc, error2f, error3f] : kCases) {
        SCOPED_TRACE(testing::Message() << sensor << " at " << powerW << " W, " << dbc << " dBc");
        EXPECT_NEAR(Harmonics2fError(sensor, powerW, dbc).value_or(NAN), error2f, 1e-5 * error2f);
        EXPECT_NEAR(Harmonics3fError(sensor, powerW, dbc).value_or(NAN), error3f, 1e-5 * error3f);
    }
}

} // namespace
} // namespace tarvex
