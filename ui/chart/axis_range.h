#pragma once

#include <vector>

// The y range of a chart: from 0 (or the lowest value below it) up to a round number above the highest
// value with a little headroom, in about five steps of 1, 2, 2.5 or 5 times a power of ten.
struct AxisRange {
    double bottom = 0.0;
    double top = 1.0;
    int tickCount = 2; // ticks including both ends

    bool operator==(const AxisRange&) const = default;
};

AxisRange RoundedRange(double lowest, double highest);

// A logarithmic y range: whole decades around the positive values (values of 0 or below have no place on
// it); one decade above 0.01 when there is none.
AxisRange DecadeRange(double lowestPositive, double highest);

// The lowest and highest of every value in columns; {0, 0} when there are none.
struct ValueSpan {
    double lowest = 0.0;
    double highest = 0.0;
};
ValueSpan SpanOf(const std::vector<const std::vector<double>*>& columns, std::size_t from = 0);
// The lowest value above 0 in columns; 0 when there is none.
double LowestPositive(const std::vector<const std::vector<double>*>& columns);
