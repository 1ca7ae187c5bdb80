#include "ui/chart/axis_range.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHeadroom = 1.08; // the highest curve stays clear of the top edge
constexpr double kSteps = 5.0;     // about this many steps up the axis
constexpr double kStepFactors[] = {1.0, 2.0, 2.5, 5.0};

} // namespace

AxisRange RoundedRange(double lowest, double highest) {
    const double low = std::min(lowest, 0.0);
    const double high = std::max(highest, 0.0);
    const double span = high > low ? (high - low) * kHeadroom : 1.0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(span / kSteps)));
    double step = magnitude * 10.0;
    for (const double factor : kStepFactors) {
        if (magnitude * factor * kSteps >= span) {
            step = magnitude * factor;
            break;
        }
    }
    const double bottom = std::floor(low / step) * step;
    const double top = std::max(bottom + step, std::ceil((low + span) / step) * step);
    return {bottom, top, static_cast<int>(std::lround((top - bottom) / step)) + 1};
}

ValueSpan SpanOf(const std::vector<const std::vector<double>*>& columns, std::size_t from) {
    ValueSpan span;
    for (const std::vector<double>* column : columns) {
        for (std::size_t i = from; i < column->size(); ++i) {
            span.lowest = std::min(span.lowest, (*column)[i]);
            span.highest = std::max(span.highest, (*column)[i]);
        }
    }
    return span;
}

AxisRange DecadeRange(double lowestPositive, double highest) {
    if (!(lowestPositive > 0.0) || !(highest >= lowestPositive)) {
        return {0.01, 0.1, 2};
    }
    const double bottom = std::floor(std::log10(lowestPositive));
    const double top = std::max(bottom + 1.0, std::ceil(std::log10(highest)));
    return {std::pow(10.0, bottom), std::pow(10.0, top), static_cast<int>(top - bottom) + 1};
}

double LowestPositive(const std::vector<const std::vector<double>*>& columns) {
    double lowest = 0.0;
    for (const std::vector<double>* column : columns) {
        for (const double value : *column) {
            if (value > 0.0 && (lowest == 0.0 || value < lowest)) {
                lowest = value;
            }
        }
    }
    return lowest;
}
