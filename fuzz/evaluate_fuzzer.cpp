// Drives the whole core from arbitrary bytes: a measurement set-up with catalogue or made-up identifiers
// and any numbers (NaN and infinities included), its evaluation and presentation in both units, and every
// scroll-position mapping, read-out and number pattern the window uses. Anything the sanitizers object
// to is a fault, and so is a broken round trip of a scroll position or of a formatted number.

#include "budget/budget_description.h"
#include "budget/inputs.h"
#include "budget/measurement_setup.h"
#include "budget/number_format.h"
#include "budget/presentation.h"
#include "budget/uncertainty_budget.h"
#include "budget/value_mappings.h"
#include "data/fd_linearity_data.h"
#include "data/harmonics_data.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>

namespace {

using namespace tarvex;

// Values at which formulas and band edges tend to break.
constexpr std::array<double, 16> kTelling{
    0.0,
    -0.0,
    1.0,
    -1.0,
    0.5,
    0.01,
    0.001,
    0.0001,
    18.0,
    1e-300,
    1e300,
    std::numeric_limits<double>::denorm_min(),
    std::numeric_limits<double>::max(),
    std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(),
    std::numeric_limits<double>::quiet_NaN(),
};

double ConsumeAnyDouble(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        return std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>()); // every bit pattern
    case 1:
        return in.PickValueInArray(kTelling);
    case 2:
        return in.ConsumeFloatingPointInRange<double>(-100.0, 100.0);
    default:
        return in.ConsumeFloatingPoint<double>();
    }
}

int ConsumeAnyInt(FuzzedDataProvider& in) {
    // Mostly the 16-bit range of the window's controls, sometimes any int.
    return in.ConsumeBool() ? in.ConsumeIntegral<int>() : in.ConsumeIntegral<std::int16_t>();
}

std::string ConsumeIdentifier(FuzzedDataProvider& in, std::span<const std::string_view> known) {
    if (in.ConsumeBool()) {
        return std::string(known[in.ConsumeIntegralInRange<std::size_t>(0, known.size() - 1)]);
    }
    return in.ConsumeRandomLengthString(12);
}

MeasurementSetup ConsumeSetup(FuzzedDataProvider& in) {
    MeasurementSetup setup;
    setup.sensor = ConsumeIdentifier(in, SensorModels());
    setup.basicUnit = ConsumeIdentifier(in, BasicUnitModels());
    setup.resolution = ConsumeIdentifier(in, Resolutions());
    setup.frequency = ConsumeAnyDouble(in);
    setup.level = ConsumeAnyInt(in);
    setup.filterNumber = ConsumeAnyInt(in);
    setup.tempMin = ConsumeAnyInt(in);
    setup.tempMax = ConsumeAnyInt(in);
    setup.returnLossDb = ConsumeAnyDouble(in);
    setup.harmonic2f = ConsumeAnyInt(in);
    setup.harmonic3f = ConsumeAnyInt(in);
    for (int& weight : setup.include) {
        weight = in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(0, 1) : in.ConsumeIntegral<int>();
    }
    setup.unit = in.ConsumeBool() ? ResultUnit::dB : ResultUnit::percent;
    setup.mismatchMode = in.ConsumeBool() ? MismatchMode::probable : MismatchMode::conservative;
    setup.fdLinSystematic = in.ConsumeBool();
    return setup;
}

// The sensor range update of the window and the limits the command line checks against.
void SensorRanges(std::string_view sensor) {
    SensorScrollRangeOf(sensor);
    SensorInputLimitsOf(sensor);
}

// The formulas behind the harmonics and linearity lookups, with any arguments.
void DataFormulas(FuzzedDataProvider& in) {
    std::array<double, 10> x{};
    for (double& value : x) {
        value = ConsumeAnyDouble(in);
    }
    Harmonics3fFormula(x[0], x[1], x[2]);
    Harmonics2fFormulaA(x[0], x[1], x[2]);
    Harmonics2fFormulaB(x[0], x[1], x[2]);
    BilinearInterpolate(x[0], x[1], x[2], x[3], x[4], x[5], x[6], x[7], x[8], x[9]);
}

void EvaluateAndPresent(FuzzedDataProvider& in) {
    const MeasurementSetup setup = ConsumeSetup(in);
    SensorRanges(setup.sensor);
    const UncertaintyBudget budget = EvaluateBudget(setup);
    if (budget.uc < 0.0) { // a root-sum-square may be inf or NaN, but never negative
        __builtin_trap();
    }
    PresentBudget(budget, ResultUnit::dB, ".");
    PresentBudget(budget, ResultUnit::percent, ",");

    PerContribution<double> u{};
    for (double& value : u) {
        value = ConsumeAnyDouble(in);
    }
    const UncertaintyBudget combined = CombineBudget(u, setup.include, in.ConsumeBool());
    PresentBudget(combined, setup.unit, in.ConsumeRandomLengthString(4));
    DescribeBudget(setup, combined, ",");
    dB_to_pc(ConsumeAnyDouble(in));
    MismatchModeFromCaption(in.ConsumeRandomLengthString(40));
}

// Every position a scroll bar can hold maps to a frequency and back to itself, and a formatted number
// reads back as the value to within half its last decimal.
void CheckRoundTrips(int position, double value) {
    if (position >= 0 && position <= std::numeric_limits<std::int16_t>::max()) {
        const double frequency = vsb_to_Freq(position).value_or(-1.0);
        if (pos(Freq_to_vsb(frequency).value_or(-1.0)) != position) {
            __builtin_trap();
        }
    }
    if (std::isfinite(value) && std::fabs(value) < 1e12) {
        const std::string text = FormatNumber(value, "0.000");
        double parsed = 0.0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
        if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
            std::fabs(parsed - value) > 0.0005 + 1e-15 * std::fabs(value)) {
            __builtin_trap();
        }
    }
}

void MapAndRead(FuzzedDataProvider& in) {
    const std::string separator = in.ConsumeBool() ? std::string(",") : in.ConsumeRandomLengthString(4);
    const int position = ConsumeAnyInt(in);

    if (const auto frequency = vsb_to_Freq(position)) {
        Freq_to_vsb(*frequency);
    }
    const std::optional<double> back = Freq_to_vsb(ConsumeAnyDouble(in));
    pos(back.value_or(0.0));
    pos(ConsumeAnyDouble(in));
    LevelPosition(ConsumeAnyDouble(in));
    SourceMatch(ReturnLossFromPosition(position));

    FrequencyReadout(position, separator);
    LevelReadout(position, separator);
    PowerReadout(position, separator);
    ImpedanceReadout(position, separator);
    HarmonicReadout(position);
    TemperatureReadout(position);
    FilterReadout(position);

    const double value = ConsumeAnyDouble(in);
    FormatNumber(value, in.ConsumeRandomLengthString(64), separator);
    CheckRoundTrips(position, value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    EvaluateAndPresent(in);
    MapAndRead(in);
    DataFormulas(in);
    return 0;
}
