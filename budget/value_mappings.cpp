#include "budget/value_mappings.h"

#include "budget/measurement_setup.h"
#include "budget/number_format.h"
#include "data/sensor_catalogue.h"

#include <array>
#include <cmath>
#include <limits>
#include <span>

namespace tarvex {
namespace {

// One row of a read-out table: the first row whose lower limit the key reaches applies, and shows the
// value multiplied by scale with pattern.
struct ReadoutRow {
    double lowerLimit;
    double scale;
    std::string_view pattern;
};

constexpr double kBelowEverything = -std::numeric_limits<double>::infinity();

// Frequency read-out, f in GHz.
constexpr std::array<ReadoutRow, 3> kFrequencyRows{{
    {1.0, 1.0, "0.00 GHz"},
    {0.001, 1000.0, "0 MHz"},
    {kBelowEverything, 1000000.0, "0 kHz"},
}};

// Power read-out, P in mW, scaled to the unit shown. Each decade boundary belongs to the row above it
// (10 mW shows as "10 mW", 1 mW as "1.0 mW"). The limits are levels in dBm, whole numbers compared with
// the level itself, so that a boundary never depends on how 10^(L/10) rounds (9.5 dBm is "8.9 mW"): 10 dBm =
// 10 mW, 0 dBm = 1 mW, -20 dBm = 0.01 mW and so on.
constexpr std::array<ReadoutRow, 7> kPowerRows{{
    {10, 1.0, "0 mW"},
    {0, 1.0, "0.0 mW"},
    {-20, 1000.0, "0 \u00b5W"},
    {-30, 1000.0, "0.0 \u00b5W"},
    {-50, 1000000.0, "0 nW"},
    {-60, 1000000.0, "0.0 nW"},
    {kBelowEverything, 1000000000.0, "0 pW"},
}};

std::string FormatWithRows(double key, double value, std::span<const ReadoutRow> rows,
                           std::string_view separator) {
    for (const ReadoutRow& row : rows) {
        if (key >= row.lowerLimit) {
            return FormatNumber(value * row.scale, row.pattern, separator);
        }
    }
    return FormatNumber(value * rows.back().scale, rows.back().pattern, separator); // a NaN key
}

} // namespace

std::optional<double> Freq_to_vsb(double frequencyGHz) {
    const double f = frequencyGHz;
    if (f >= 0.01) {
        return 100.0 * f + 18.0; // 10 MHz steps from position 19
    }
    if (f >= 0.001 && f <= 0.01) {
        return 1000.0 * f + 9.0; // 1 MHz steps from position 10
    }
    if (f >= 0.0001 && f <= 0.001) {
        return 10000.0 * f; // 100 kHz steps from position 1
    }
    if (f == 0.0) {
        return 0.0; // DC
    }
    return std::nullopt; // below 100 kHz, negative or NaN: no position
}

std::optional<double> vsb_to_Freq(int position) {
    const double v = position;
    if (position == 0) {
        return 0.0;
    }
    if (position >= 1 && position <= 9) {
        return v / 10000.0;
    }
    if (position >= 10 && position <= 18) {
        return (v - 9.0) / 1000.0;
    }
    if (position >= 19) {
        return (v - 18.0) / 100.0;
    }
    return std::nullopt;
}

std::int16_t pos(double x) {
    constexpr double lowest = std::numeric_limits<std::int16_t>::min();
    constexpr double highest = std::numeric_limits<std::int16_t>::max();
    if (std::isnan(x)) {
        return 0;
    }
    if (x <= lowest) {
        return std::numeric_limits<std::int16_t>::min();
    }
    if (x >= highest) {
        return std::numeric_limits<std::int16_t>::max();
    }
    // Inside the 16-bit range x - floor(x) is exact, so a half is recognised exactly.
    const double below = std::floor(x);
    const double fraction = x - below;
    double nearest = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        nearest = below + 1.0;
    }
    return static_cast<std::int16_t>(nearest);
}

std::int16_t LevelPosition(double powerW) {
    return pos(10.0 * Log10(powerW) + 30.0);
}

double ReturnLossFromPosition(int position) {
    return static_cast<double>(position) / 10.0;
}

std::string FrequencyReadout(int position, std::string_view decimalSeparator) {
    return FrequencyReadoutGHz(vsb_to_Freq(position).value_or(0.0), decimalSeparator);
}

std::string FrequencyReadoutGHz(double frequencyGHz, std::string_view decimalSeparator) {
    return FormatWithRows(frequencyGHz, frequencyGHz, kFrequencyRows, decimalSeparator);
}

std::string LevelReadout(double levelDbm, std::string_view decimalSeparator) {
    // Whole levels as the window shows them; a fraction from the command line with as many decimals as
    // it needs, up to three.
    constexpr std::array<std::string_view, 4> kPatterns{"0 dBm", "0.0 dBm", "0.00 dBm", "0.000 dBm"};
    double scaled = levelDbm;
    std::size_t decimals = 0;
    while (decimals + 1 < kPatterns.size() && scaled != std::round(scaled)) {
        scaled *= 10.0;
        ++decimals;
    }
    return FormatNumber(levelDbm, kPatterns[decimals], decimalSeparator);
}

std::string PowerReadout(double levelDbm, std::string_view decimalSeparator) {
    const double powerMw = std::pow(10.0, levelDbm / 10.0);
    return FormatWithRows(levelDbm, powerMw, kPowerRows, decimalSeparator);
}

ImpedanceReadouts ImpedanceReadout(int position, std::string_view decimalSeparator) {
    return ImpedanceReadoutDb(ReturnLossFromPosition(position), decimalSeparator);
}

ImpedanceReadouts ImpedanceReadoutDb(double returnLossDb, std::string_view decimalSeparator) {
    const double r = SourceMatch(returnLossDb); // the same value the budget evaluates
    ImpedanceReadouts readouts;
    readouts.returnLoss = FormatNumber(returnLossDb, "0.0 dB", decimalSeparator);
    readouts.reflectionCoefficient = FormatNumber(r, "0.000", decimalSeparator);
    // A total reflection (0 dB return loss) has no finite VSWR.
    readouts.vswr =
        (r == 1.0) ? std::string("infinite") : FormatNumber((1.0 + r) / (1.0 - r), "0.000", decimalSeparator);
    return readouts;
}

std::string HarmonicReadout(int harmonicDbc) {
    return FormatNumber(harmonicDbc, "0 dBc");
}

std::string TemperatureReadout(int degrees) {
    return FormatNumber(degrees, "0 \u00b0C");
}

std::string FilterReadout(int filterNumber) {
    return std::to_string(filterNumber);
}

} // namespace tarvex
