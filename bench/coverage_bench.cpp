// The coverage figures of one budget: the exact method for five budgets, and the Monte Carlo method at a
// fixed 10⁵ and 10⁶ trials (sorting and selection included) and by its adaptive procedure.
#include "budget/coverage.h"
#include "budget/inputs.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using tarvex::MeasurementSetup;

// The five budgets of the comparison: start state, mismatch at a poor source match, a diode sensor in
// percent, mismatch and basic unit only, calibration unticked at the coarse resolution.
MeasurementSetup Budget(int which) {
    MeasurementSetup setup = tarvex::StartSetup();
    switch (which) {
    case 1:
        setup.returnLossDb = 6.0;
        break;
    case 2:
        setup.sensor = "TS-106";
        setup.frequency = 20.0;
        setup.level = 8;
        setup.unit = tarvex::ResultUnit::percent;
        break;
    case 3:
        setup.include.fill(0);
        setup.include[tarvex::Index(tarvex::Contribution::M)] = 1;
        setup.include[tarvex::Index(tarvex::Contribution::GG)] = 1;
        break;
    case 4:
        setup.resolution = "0.1 dB";
        setup.include[tarvex::Index(tarvex::Contribution::cal)] = 0;
        break;
    default:
        break;
    }
    return setup;
}

std::vector<tarvex::ErrorTerm> Terms(int which) {
    const MeasurementSetup setup = Budget(which);
    return tarvex::BudgetErrorTerms(setup, tarvex::EvaluateBudget(setup));
}

void BM_Exact(benchmark::State& state) {
    const auto terms = Terms(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto figures = tarvex::ExactCoverage(terms);
        benchmark::DoNotOptimize(figures);
    }
}

// Sums without a normal term, where the exact method works on a lattice: two arcsines; an arcsine and a
// rectangle; two arcsines and a rectangle; two arcsines and two rectangles; three arcsines and two
// rectangles.
std::vector<tarvex::ErrorTerm> WithoutNormalTerm(int which) {
    using D = tarvex::Distribution;
    const std::vector<std::vector<tarvex::ErrorTerm>> sums{
        {{D::arcsine, 1.0}, {D::arcsine, 0.5}},
        {{D::arcsine, 1.0}, {D::rectangular, 0.3}},
        {{D::arcsine, 1.0}, {D::arcsine, 0.7}, {D::rectangular, 0.4}},
        {{D::arcsine, 1.0}, {D::arcsine, 1.0}, {D::rectangular, 0.2}, {D::rectangular, 0.15}},
        {{D::arcsine, 1.0},
         {D::arcsine, 0.8},
         {D::arcsine, 0.6},
         {D::rectangular, 0.2},
         {D::rectangular, 0.15}},
    };
    return sums[static_cast<std::size_t>(which)];
}

void BM_ExactWithoutNormalTerm(benchmark::State& state) {
    const auto terms = WithoutNormalTerm(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto figures = tarvex::ExactCoverage(terms);
        benchmark::DoNotOptimize(figures);
    }
}

void BM_MonteCarloFixed(benchmark::State& state) {
    const auto terms = Terms(static_cast<int>(state.range(0)));
    tarvex::MonteCarloOptions options;
    options.fixedTrials = static_cast<std::uint64_t>(state.range(1));
    for (auto _ : state) {
        auto outcome = tarvex::MonteCarloCoverage(terms, options);
        benchmark::DoNotOptimize(outcome);
    }
}

void BM_MonteCarloAdaptive(benchmark::State& state) {
    const auto terms = Terms(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto outcome = tarvex::MonteCarloCoverage(terms);
        benchmark::DoNotOptimize(outcome);
    }
}

} // namespace

BENCHMARK(BM_Exact)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExactWithoutNormalTerm)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MonteCarloFixed)->ArgsProduct({{0, 1, 2}, {100'000, 1'000'000}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MonteCarloAdaptive)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
