// Time of one budget evaluation, of an evaluation with the texts of the fifteen result labels and of a
// sweep over every frequency position, for the window's start state (thermal sensor) and for a diode
// sensor in its bilinear fd-linearity cell.
#include "budget/inputs.h"
#include "budget/presentation.h"
#include "budget/sweep.h"
#include "budget/uncertainty_budget.h"

#include <benchmark/benchmark.h>

namespace {

using tarvex::MeasurementSetup;

// TS-106 at 20 GHz and 8 dBm: the fd linearity is interpolated inside a grid cell, and both harmonics
// contribute.
MeasurementSetup DiodeState() {
    MeasurementSetup setup = tarvex::StartSetup();
    setup.sensor = "TS-106";
    setup.frequency = 20.0;
    setup.level = 8;
    setup.fdLinSystematic = true;
    return setup;
}

void BM_Evaluate(benchmark::State& state, MeasurementSetup setup) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(setup);
        tarvex::UncertaintyBudget budget = tarvex::EvaluateBudget(setup);
        benchmark::DoNotOptimize(budget);
    }
}

void BM_EvaluateAndPresent(benchmark::State& state, MeasurementSetup setup, tarvex::ResultUnit unit) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(setup);
        tarvex::ResultTexts texts = tarvex::PresentBudget(tarvex::EvaluateBudget(setup), unit);
        benchmark::DoNotOptimize(texts);
    }
}

// One sweep over every position of the frequency bar, 0 ... 5000 (DC ... 49.82 GHz), as the chart
// evaluates it on every input step.
void BM_SweepAllFrequencyPositions(benchmark::State& state, MeasurementSetup setup) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(setup);
        std::vector<tarvex::SweepPoint> sweep = tarvex::Sweep(setup, tarvex::SweepAxis::frequency, {0, 5000});
        benchmark::DoNotOptimize(sweep);
    }
}

} // namespace

BENCHMARK_CAPTURE(BM_SweepAllFrequencyPositions, StartState, tarvex::StartSetup())
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SweepAllFrequencyPositions, DiodeTS106, DiodeState())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Evaluate, StartState, tarvex::StartSetup());
BENCHMARK_CAPTURE(BM_Evaluate, DiodeTS106, DiodeState());
BENCHMARK_CAPTURE(BM_EvaluateAndPresent, StartState_dB, tarvex::StartSetup(), tarvex::ResultUnit::dB);
BENCHMARK_CAPTURE(BM_EvaluateAndPresent, StartState_percent, tarvex::StartSetup(),
                  tarvex::ResultUnit::percent);
BENCHMARK_CAPTURE(BM_EvaluateAndPresent, DiodeTS106_dB, DiodeState(), tarvex::ResultUnit::dB);
BENCHMARK_CAPTURE(BM_EvaluateAndPresent, DiodeTS106_percent, DiodeState(), tarvex::ResultUnit::percent);
