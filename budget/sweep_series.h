#pragma once

#include "budget/contribution.h"
#include "budget/measurement_setup.h"
#include "budget/presentation.h"
#include "budget/sweep.h"

#include <string>
#include <vector>

namespace tarvex {

// One quantity of a sweep as a chart draws it and its data file lists it.
struct SweepSeries {
    std::string key;     // the result's batch column: "MU", "uc", "systematic_error", "u_cal", ...
    std::string caption; // the caption of its row in the result table
    ResultKind kind = ResultKind::contribution;
    Contribution contribution{}; // which one, for a contribution's row
    std::vector<double> values;  // per point, the number the row's label is given (see ShownValues)
};

// The sweep of one setup as series: the positions and x of every point, then one series per result in
// the result table's order: expanded, combined, the systematic error while the window shows its row,
// and each ticked contribution.
struct SweepSeriesTable {
    SweepAxis axis = SweepAxis::frequency;
    ResultUnit unit = ResultUnit::dB;
    std::vector<int> positions; // frequency bar position, or level in dBm
    std::vector<double> x;      // GHz (0 is 0 kHz) or dBm
    std::vector<SweepSeries> series;
};

SweepSeriesTable TabulateSweep(const MeasurementSetup& setup, SweepAxis axis,
                               const std::vector<SweepPoint>& sweep, bool showSystematic);

// The table as CSV (the core's fields and CRLF line ends): a header naming each column with its unit
// ("frequency_GHz" or "level_dBm", then "MU_dB", "uc_dB", "u_cal_dB", ... or "..._percent"), then one row a
// point in plain decimals with "." (never an exponent), each the shortest that reads back to the same number.
std::string SweepCsv(const SweepSeriesTable& table);

// The shortest plain decimal that reads back to exactly value: "0.0001", "18", "-0.25".
std::string PlainDecimal(double value);

} // namespace tarvex
