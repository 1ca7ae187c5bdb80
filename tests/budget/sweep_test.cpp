#include "budget/sweep.h"

#include "budget/inputs.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string_view>
#include <tuple>

namespace tarvex {
namespace {

MeasurementSetup SetupFor(std::string_view sensor) {
    MeasurementSetup setup = StartSetup();
    setup.sensor = sensor;
    return setup;
}

// x is the frequency the window shows at that position (DC is 0), or the level.
TEST(Sweep, XIsTheValueAtThePosition) {
    const std::vector<SweepPoint> sweep = SweepSensorRange(SetupFor("TS-301"), SweepAxis::frequency);
    const std::tuple<int, double> cases[] = {{0, 0.0}, {1, 0.0001}, {10, 0.001}, {23, 0.05}, {1818, 18.0}};
    for (const auto& [position, x] : cases) {
        const auto point = std::ranges::find(sweep, position, &SweepPoint::position);
        ASSERT_NE(point, sweep.end());
        EXPECT_DOUBLE_EQ(point->x, x) << position;
    }
}

// A sweep covers the sensor's range on the window's bars, one point a position, and every point equals
// the whole evaluation of its setup (a frequency sweep evaluates only the frequency-dependent
// contributions again), with every setting that changes them.
TEST(Sweep, EveryPointIsTheWholeEvaluation) {
    bool systematic = false;
    for (const std::string_view sensor : SensorModels()) {
        MeasurementSetup setup = SetupFor(sensor);
        setup.level = SweepRangeOf(sensor, SweepAxis::level)->highest;
        setup.mismatchMode = MismatchMode::conservative;
        setup.fdLinSystematic = systematic = !systematic; // every other sensor
        const SensorScrollRange bars = SensorScrollRangeOf(sensor);
        for (const SweepAxis axis : {SweepAxis::frequency, SweepAxis::level}) {
            const std::vector<SweepPoint> sweep = SweepSensorRange(setup, axis);
            const bool frequency = axis == SweepAxis::frequency;
            ASSERT_EQ(sweep.front().position, frequency ? bars.frequencyBottom : bars.levelBottom) << sensor;
            ASSERT_EQ(sweep.back().position, frequency ? bars.frequencyTop : bars.levelTop) << sensor;
            ASSERT_EQ(sweep.size(),
                      static_cast<std::size_t>(sweep.back().position - sweep.front().position + 1));
            for (const SweepPoint& point : sweep) {
                MeasurementSetup alone = setup;
                if (frequency) {
                    alone.frequency = point.x;
                } else {
                    alone.level = point.position;
                    ASSERT_EQ(point.x, point.position);
                }
                const UncertaintyBudget expected = EvaluateBudget(alone);
                ASSERT_EQ(point.budget.u, expected.u) << sensor << " at " << point.position;
                ASSERT_EQ(point.budget.MU, expected.MU) << sensor << " at " << point.position;
                ASSERT_EQ(point.budget.systematicError, expected.systematicError);
            }
        }
    }
}

TEST(Sweep, NothingForAnUnknownSensorOrAnEmptyRange) {
    EXPECT_TRUE(SweepSensorRange(SetupFor("TS-999"), SweepAxis::frequency).empty());
    EXPECT_FALSE(SweepRangeOf("TS-999", SweepAxis::level).has_value());
    EXPECT_TRUE(Sweep(SetupFor("TS-301"), SweepAxis::level, {5, 4}).empty());
    // The frequency bar has no position below 0: those are left out.
    EXPECT_EQ(Sweep(SetupFor("TS-301"), SweepAxis::frequency, {-3, 2}).size(), 3U);
}

} // namespace
} // namespace tarvex
