#include "budget/sweep_series.h"

#include "budget/batch_columns.h"
#include "budget/csv_field.h"
#include "budget/value_mappings.h"

#include <charconv>
#include <cstddef>
#include <utility>

namespace tarvex {

namespace {

// Where a row's batch column stands in BatchResultColumns: the contributions, then uc, MU, systematic.
constexpr std::size_t kCombinedColumn = kContributionCount;
constexpr std::size_t kExpandedColumn = kContributionCount + 1;
constexpr std::size_t kSystematicColumn = kContributionCount + 2;

SweepSeries EmptySeries(std::string key, std::string_view caption, ResultKind kind,
                        Contribution contribution = {}) {
    SweepSeries series;
    series.key = std::move(key);
    series.caption = caption;
    series.kind = kind;
    series.contribution = contribution;
    return series;
}

// The series of the table without their values, in the result table's order.
std::vector<SweepSeries> SeriesOf(const MeasurementSetup& setup, bool showSystematic) {
    const std::vector<std::string> columns = BatchResultColumns();
    std::vector<SweepSeries> series;
    series.push_back(
        EmptySeries(columns[kExpandedColumn], ExpandedCaption(setup.unit), ResultKind::expanded));
    series.push_back(EmptySeries(columns[kCombinedColumn], kCombinedCaption, ResultKind::combined));
    if (showSystematic) {
        series.push_back(
            EmptySeries(columns[kSystematicColumn], SystematicCaption(setup.unit), ResultKind::systematic));
    }
    for (const Contribution key : kTableOrder) {
        const std::size_t i = Index(key);
        if (setup.include[i] != 0) {
            const std::string_view caption =
                key == Contribution::M ? MismatchCaption(setup.mismatchMode) : kContributions[i].caption;
            series.push_back(EmptySeries(columns[i], caption, ResultKind::contribution, key));
        }
    }
    return series;
}

double ValueOf(const ResultValues& values, const SweepSeries& series) {
    switch (series.kind) {
    case ResultKind::expanded:
        return values.MU;
    case ResultKind::combined:
        return values.uc;
    case ResultKind::systematic:
        return values.systematicError;
    case ResultKind::contribution:
        break;
    }
    return values.u[Index(series.contribution)];
}

} // namespace

SweepSeriesTable TabulateSweep(const MeasurementSetup& setup, SweepAxis axis,
                               const std::vector<SweepPoint>& sweep, bool showSystematic) {
    SweepSeriesTable table{axis, setup.unit, {}, {}, SeriesOf(setup, showSystematic)};
    table.positions.reserve(sweep.size());
    table.x.reserve(sweep.size());
    for (SweepSeries& series : table.series) {
        series.values.reserve(sweep.size());
    }
    for (const SweepPoint& point : sweep) {
        table.positions.push_back(point.position);
        table.x.push_back(point.x);
        const ResultValues values = ShownValues(point.budget, setup.unit);
        for (SweepSeries& series : table.series) {
            series.values.push_back(ValueOf(values, series));
        }
    }
    return table;
}

std::string PlainDecimal(double value) {
    char text[400]; // the longest fixed text of a double (1.8e308) fits
    const std::to_chars_result end =
        std::to_chars(std::begin(text), std::end(text), value, std::chars_format::fixed);
    return {std::begin(text), end.ptr};
}

std::string SweepCsv(const SweepSeriesTable& table) {
    const std::string unit = "_" + std::string(UnitKeyword(table.unit));
    std::string text;
    AppendCsvField(text, table.axis == SweepAxis::frequency ? "frequency_GHz" : "level_dBm");
    for (const SweepSeries& series : table.series) {
        text += kCsvSeparator;
        AppendCsvField(text, series.key + unit);
    }
    text += kCsvLineEnd;
    for (std::size_t i = 0; i < table.x.size(); ++i) {
        AppendCsvField(text, PlainDecimal(table.x[i]));
        for (const SweepSeries& series : table.series) {
            text += kCsvSeparator;
            AppendCsvField(text, PlainDecimal(ValueInUnit(series.values[i], table.unit)));
        }
        text += kCsvLineEnd;
    }
    return text;
}

} // namespace tarvex
