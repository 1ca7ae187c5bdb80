#include "budget/sweep.h"

#include "budget/value_mappings.h"

#include <algorithm>

namespace tarvex {

std::optional<WholeRange> SweepRangeOf(std::string_view sensor, SweepAxis axis) {
    if (!SensorInputLimitsOf(sensor).has_value()) {
        return std::nullopt;
    }
    const SensorScrollRange range = SensorScrollRangeOf(sensor);
    if (axis == SweepAxis::frequency) {
        return WholeRange{range.frequencyBottom, range.frequencyTop};
    }
    return WholeRange{range.levelBottom, range.levelTop};
}

// One setup is changed in place and evaluated per position, so a sweep copies no strings; the result
// is allocated once. Over frequency only the frequency-dependent contributions are evaluated again; over
// level every contribution may change.
std::vector<SweepPoint> Sweep(const MeasurementSetup& setup, SweepAxis axis, WholeRange positions) {
    std::vector<SweepPoint> points;
    if (positions.highest < positions.lowest) {
        return points;
    }
    points.reserve(static_cast<std::size_t>(positions.highest - positions.lowest) + 1);
    MeasurementSetup probe = setup;
    if (axis == SweepAxis::level) {
        for (int position = positions.lowest; position <= positions.highest; ++position) {
            probe.level = position;
            points.push_back({position, static_cast<double>(position), EvaluateBudget(probe)});
        }
        return points;
    }
    const PerContribution<double> atAnyFrequency = EvaluateContributions(setup);
    for (int position = positions.lowest; position <= positions.highest; ++position) {
        const std::optional<double> frequency = vsb_to_Freq(position);
        if (!frequency.has_value()) {
            continue;
        }
        probe.frequency = *frequency;
        const PerContribution<double> u = EvaluateContributionsAtFrequency(probe, atAnyFrequency);
        points.push_back({position, *frequency, CombineBudget(u, probe.include, probe.fdLinSystematic)});
    }
    return points;
}

std::vector<SweepPoint> SweepSensorRange(const MeasurementSetup& setup, SweepAxis axis) {
    const std::optional<WholeRange> range = SweepRangeOf(setup.sensor, axis);
    return range.has_value() ? Sweep(setup, axis, *range) : std::vector<SweepPoint>{};
}

} // namespace tarvex
