#pragma once

// Timing of repeated window steps for the window benchmarks: every step timed on its own after a warm-up,
// summarised as median, 90th percentile and mean.

#include <QElapsedTimer>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <numeric>
#include <utility>
#include <vector>

struct StepSummary {
    double median;
    double p90;
    double mean;
};

inline StepSummary Summarize(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const double sum = std::accumulate(times.begin(), times.end(), 0.0);
    return {times[times.size() / 2], times[times.size() * 9 / 10], sum / static_cast<double>(times.size())};
}

// Runs step(i) warmUp times untimed, then count times, each run timed on its own; the times are given in
// units of nanosecondsPerUnit (1e3 for microseconds, 1e6 for milliseconds).
inline StepSummary TimeSteps(int warmUp, int count, double nanosecondsPerUnit,
                             const std::function<void(int)>& step) {
    for (int i = 0; i < warmUp; ++i) {
        step(i);
    }
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(count));
    QElapsedTimer timer;
    for (int i = 0; i < count; ++i) {
        timer.start();
        step(i);
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / nanosecondsPerUnit);
    }
    return Summarize(std::move(times));
}
