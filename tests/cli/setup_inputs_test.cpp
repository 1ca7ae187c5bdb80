#include "cli/setup_inputs.h"

#include "budget/batch_columns.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace tarvex::cli {
namespace {

struct Outcome {
    MeasurementSetup setup;
    std::string problems;
};

// One input given as `text`, or as `number` in place of a text; every other input keeps its start value
// unless `sensor` names another sensor.
Outcome Read(Input input, std::string_view sensor, const std::string& text, std::optional<double> number) {
    SetupTexts texts{};
    SetupNumbers numbers{};
    texts[SetupSlot(Input::sensor)] = sensor;
    texts[SetupSlot(input)] = text;
    numbers[SetupSlot(input)] = number;
    Outcome outcome;
    ReadSetup(texts, numbers, ColumnNames(), outcome.setup, outcome.problems);
    return outcome;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Values on both sides of every number input's limits, fractions for the whole-number inputs, and the
// odd ones: -0, the smallest subnormal, numbers too large for any range, and infinities.
const std::vector<double> kValues{-1e300, -100000, -81, -80, -10.5, -1,  -0.0,  0,         5e-324,
                                  0.5,    1.5,     2.5, 7,   12,    13,  20,    21,        50,
                                  51,     60,      61,  99,  110,   1e5, 1e300, kInfinity, -kInfinity};

// A number given as a number is checked as its shortest decimal text is: the same setup, the same messages,
// for every number input, with a known sensor and with an unknown one (whose ranges are not known).
TEST(SetupNumbers, ReadAsTheirTexts) {
    for (const InputInfo& info : kSetupInputs) {
        if (!info.number) {
            continue;
        }
        int accepted = 0;
        int rejected = 0;
        for (const std::string_view sensor : {"", "TS-3O1"}) {
            for (const double value : kValues) {
                SCOPED_TRACE(std::string(info.column) + " = " + ShortestDecimal(value) + ", sensor " +
                             std::string(sensor));
                const Outcome fromText = Read(info.input, sensor, ShortestDecimal(value), std::nullopt);
                const Outcome fromNumber = Read(info.input, sensor, "", value);
                EXPECT_EQ(fromNumber.problems, fromText.problems);
                EXPECT_EQ(fromNumber.setup, fromText.setup);
                (fromText.problems.empty() ? accepted : rejected) += sensor.empty() ? 1 : 0;
            }
        }
        EXPECT_GT(accepted, 0) << info.column; // the values reach inside and outside every range
        EXPECT_GT(rejected, 2) << info.column;
    }
}

// A number in place of a text input is read as its text; a given number takes the place of a given text.
TEST(SetupNumbers, OtherInputsReadTheNumbersText) {
    const struct {
        Input input;
        double number;
        std::string text;
    } cases[] = {
        {Input::sensor, 301, "301"},
        {Input::resolution, 0.01, "0.01"},
        {Input::unit, 1e5, "1e+05"},
    };
    for (const auto& [input, number, text] : cases) {
        const Outcome fromText = Read(input, "", text, std::nullopt);
        const Outcome fromNumber = Read(input, "", "", number);
        EXPECT_FALSE(fromText.problems.empty()) << text;
        EXPECT_EQ(fromNumber.problems, fromText.problems);
    }
    EXPECT_EQ(Read(Input::filter, "", "99", 3).problems, "");
    EXPECT_EQ(Read(Input::filter, "", "3", std::nullopt).setup, Read(Input::filter, "", "99", 3).setup);
}

} // namespace
} // namespace tarvex::cli
