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

// A sweep covers the sensor's range on the window's bars, lowest position first, one point each.
TEST(Sweep, CoversTheSensorsRange) {
    const std::tuple<std::string_view, int, int, int, int> cases[] = {
        {"TS-301", 0, 1818, -30, 20}, {"TS-104", 1, 618, -70, 13}, {"TS-106", 23, 2668, -64, 13}};
    for (const auto& [sensor, frequencyLowest, frequencyHighest, levelLowest, levelHighest] : cases) {
        SCOPED_TRACE(sensor);
        const std::vector<SweepPoint> frequency = SweepSensorRange(SetupFor(sensor), SweepAxis::frequency);
        ASSERT_EQ(frequency.size(), static_cast<std::size_t>(frequencyHighest - frequencyLowest + 1));
        EXPECT_EQ(frequency.front().position, frequencyLowest);
        EXPECT_EQ(frequency.back().position, frequencyHighest);
        const std::vector<SweepPoint> level = SweepSensorRange(SetupFor(sensor), SweepAxis::level);
        ASSERT_EQ(level.size(), static_cast<std::size_t>(levelHighest - levelLowest + 1));
        EXPECT_EQ(level.front().x, levelLowest);
        EXPECT_EQ(level.back().x, levelHighest);
    }
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

// Every point of every sensor's sweeps equals the whole evaluation of its setup (a frequency sweep
// evaluates only the frequency-dependent contributions again), with every setting that changes them.
TEST(Sweep, EveryPointIsTheWholeEvaluation) {
    bool systematic = false;
    for (const std::string_view sensor : SensorModels()) {
        MeasurementSetup setup = SetupFor(sensor);
        setup.level = SweepRangeOf(sensor, SweepAxis::level)->highest;
        setup.mismatchMode = MismatchMode::conservative;
        setup.fdLinSystematic = systematic = !systematic; // every other sensor
        for (const SweepAxis axis : {SweepAxis::frequency, SweepAxis::level}) {
            for (const SweepPoint& point : SweepSensorRange(setup, axis)) {
                MeasurementSetup alone = setup;
                if (axis == SweepAxis::frequency) {
                    alone.frequency = point.x;
                } else {
                    alone.level = point.position;
                }
                const UncertaintyBudget expected = EvaluateBudget(alone);
                ASSERT_EQ(point.budget.u, expected.u) << sensor << " at " << point.position;
                ASSERT_EQ(point.budget.MU, expected.MU) << sensor << " at " << point.position;
                ASSERT_EQ(point.budget.systematicError, expected.systematicError);
            }
        }
    }
}

// A table's band edge shows as a step between neighbouring positions, not smoothed away.
TEST(Sweep, BandEdgesAreSteps) {
    const std::vector<SweepPoint> sweep = SweepSensorRange(SetupFor("TS-106"), SweepAxis::frequency);
    const auto at = [&sweep](int position) {
        return std::ranges::find(sweep, position, &SweepPoint::position)->budget.u[Index(Contribution::cal)];
    };
    EXPECT_EQ(at(1810), at(1817)); // inside 16 ... 18 GHz
    EXPECT_NE(at(1817), at(1819)); // 18 GHz is the edge to 18 ... 26.5 GHz
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
