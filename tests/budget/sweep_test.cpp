#include "budget/sweep.h"

#include "budget/batch_columns.h"
#include "budget/inputs.h"
#include "budget/sweep_series.h"

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

// The chart's series are the batch's result columns: every value of every series, in dB and in percent,
// is the number the command line writes for that point, and the series come in the result table's order.
TEST(SweepSeries, EverySeriesIsItsBatchColumn) {
    const std::vector<std::string> columns = BatchResultColumns();
    for (const ResultUnit unit : {ResultUnit::dB, ResultUnit::percent}) {
        MeasurementSetup setup = SetupFor("TS-106");
        setup.unit = unit;
        setup.fdLinSystematic = true;
        setup.include[Index(Contribution::noise)] = 0;
        const std::vector<SweepPoint> sweep = SweepSensorRange(setup, SweepAxis::frequency);
        const SweepSeriesTable table = TabulateSweep(setup, SweepAxis::frequency, sweep, true);
        ASSERT_GE(table.series.size(), 3U);
        EXPECT_EQ(table.series[0].caption, ExpandedCaption(unit));
        EXPECT_EQ(table.series[1].key, "uc");
        EXPECT_EQ(table.series[2].caption, SystematicCaption(unit));
        EXPECT_EQ(table.series.size(), 3 + kContributionCount - 1); // noise unticked
        for (std::size_t i = 0; i < sweep.size(); i += 97) {
            MeasurementSetup alone = setup;
            alone.frequency = sweep[i].x;
            const std::vector<std::string> fields =
                BatchResultFields(alone, sweep[i].budget, ValueStyle::exact);
            for (const SweepSeries& series : table.series) {
                const auto column = std::ranges::find(columns, series.key) - columns.begin();
                EXPECT_EQ(ShortestDecimal(ValueInUnit(series.values[i], unit)),
                          fields[static_cast<std::size_t>(column)])
                    << series.key << " at " << sweep[i].position;
            }
        }
    }
}

TEST(SweepSeries, PlainDecimalsNeverAnExponent) {
    const std::tuple<double, std::string_view> cases[] = {
        {0.0001, "0.0001"}, {0.00001, "0.00001"}, {18.0, "18"},
        {-0.25, "-0.25"},   {0.1, "0.1"},         {1e21, "1000000000000000000000"},
        {0.0, "0"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(PlainDecimal(value), text);
    }
}

// A data file names each column with its unit and ends its lines with CRLF.
TEST(SweepSeries, CsvHeaderUnitsAndLines) {
    MeasurementSetup setup = SetupFor("TS-301");
    setup.unit = ResultUnit::percent;
    const std::vector<SweepPoint> sweep = SweepSensorRange(setup, SweepAxis::frequency);
    const std::string csv = SweepCsv(TabulateSweep(setup, SweepAxis::frequency, sweep, false));
    EXPECT_TRUE(csv.starts_with("frequency_GHz,MU_percent,uc_percent,u_"));
    EXPECT_NE(csv.find("\r\n0,"), std::string::npos);      // 0 kHz
    EXPECT_NE(csv.find("\r\n0.0001,"), std::string::npos); // 100 kHz
    EXPECT_EQ(std::ranges::count(csv, '\n'), static_cast<std::ptrdiff_t>(sweep.size() + 1));
    EXPECT_EQ(std::ranges::count(csv, '\r'), std::ranges::count(csv, '\n'));
    EXPECT_EQ(csv.find('e', csv.find('\n')), std::string::npos); // no exponent in any row
    MeasurementSetup level = SetupFor("TS-301");
    const std::string levelCsv =
        SweepCsv(TabulateSweep(level, SweepAxis::level, SweepSensorRange(level, SweepAxis::level), false));
    EXPECT_TRUE(levelCsv.starts_with("level_dBm,MU_dB,uc_dB,"));
    EXPECT_NE(levelCsv.find("\r\n-30,"), std::string::npos);
}

} // namespace
} // namespace tarvex
