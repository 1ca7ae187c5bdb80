#include "budget/calculators.h"
#include "budget/distribution.h"

#include "data/band_lookup.h"
#include "data/basic_unit_data.h"
#include "data/temperature_data.h"

#include <array>
#include <cmath>
#include <optional>

namespace tarvex {

namespace {

// Temperature bands: 0 = 22 ... 24 °C, 1 = 18 ... 28 °C, 2 = 10 ... 40 °C, 3 = 0 ... 50 °C.

// One row of a sensor temperature-effect table for one limit of the range. A limit that meets the row's
// condition takes the effect of the inner band, moved towards the outer band in proportion to its
// distance from the inner band's edge over the width of the step (edge to edge of the two bands, °C).
// A row whose outer band equals its inner band is flat.
struct TempEffectRow {
    int bound; // lower limit: the row applies when tempMin > bound; upper limit: when tempMax < bound
    int innerBand;
    int outerBand;
    int innerEdge; // °C
    int stepWidth; // °C
};

// Rows are tried top to bottom; a limit that meets no row has no value.
constexpr std::array<TempEffectRow, 4> kLowerLimitRows{{
    {21, 0, 0, 22, 4},
    {17, 0, 1, 22, 4},
    {9, 1, 2, 18, 8},
    {-1, 2, 3, 10, 10},
}};

constexpr std::array<TempEffectRow, 4> kUpperLimitRows{{
    {25, 0, 0, 24, 4},
    {29, 0, 1, 24, 4},
    {41, 1, 2, 28, 12},
    {51, 2, 3, 40, 10},
}};

double Interpolate(std::string_view sensor, const TempEffectRow& row, double distance) {
    const double inner = ValueOrZero(SensorTempEffect(sensor, row.innerBand));
    if (row.outerBand == row.innerBand) {
        return inner;
    }
    const double outer = ValueOrZero(SensorTempEffect(sensor, row.outerBand));
    return (outer - inner) * distance / row.stepWidth + inner;
}

// Distances in double: a flat row accepts limits of any size, whose integer difference could overflow.
std::optional<double> LowerLimitEffect(std::string_view sensor, int tempMin) {
    for (const TempEffectRow& row : kLowerLimitRows) {
        if (tempMin > row.bound) {
            return Interpolate(sensor, row, row.innerEdge - static_cast<double>(tempMin));
        }
    }
    return std::nullopt;
}

std::optional<double> UpperLimitEffect(std::string_view sensor, int tempMax) {
    for (const TempEffectRow& row : kUpperLimitRows) {
        if (tempMax < row.bound) {
            return Interpolate(sensor, row, static_cast<double>(tempMax) - row.innerEdge);
        }
    }
    return std::nullopt;
}

// One row of the basic unit's band selection: a limit that meets the condition selects band.
struct BasicUnitBandRow {
    int bound; // lower limit: tempMin >= bound; upper limit: tempMax <= bound
    int band;
};

constexpr std::array<BasicUnitBandRow, 3> kLowerLimitBands{{
    {18, 1},
    {10, 2},
    {0, 3},
}};

constexpr std::array<BasicUnitBandRow, 3> kUpperLimitBands{{
    {28, 1},
    {40, 2},
    {50, 3},
}};

std::optional<double> LowerLimitError(std::string_view basicUnit, int tempMin) {
    for (const BasicUnitBandRow& row : kLowerLimitBands) {
        if (tempMin >= row.bound) {
            return BasicUnitError(basicUnit, row.band);
        }
    }
    return std::nullopt;
}

std::optional<double> UpperLimitError(std::string_view basicUnit, int tempMax) {
    for (const BasicUnitBandRow& row : kUpperLimitBands) {
        if (tempMax <= row.bound) {
            return BasicUnitError(basicUnit, row.band);
        }
    }
    return std::nullopt;
}

} // namespace

// The sensor's effect is interpolated between band edges; the larger effect of the two limits is itself
// the standard uncertainty (the table's effects are taken as standard uncertainties: divisor 1).
double Calc_u_temp(std::string_view sensor, int tempMin, int tempMax) {
    const double eLow = ValueOrZero(LowerLimitEffect(sensor, tempMin));
    const double eHigh = ValueOrZero(UpperLimitEffect(sensor, tempMax));
    return (eLow > eHigh ? eLow : eHigh) / Divisor(Contribution::temp);
}

// The basic unit's uncertainty steps from band to band; the larger of the two limits' values is the
// half-width of a rectangular distribution (any error within ± that value equally likely).
double Calc_u_GG(std::string_view basicUnit, int tempMin, int tempMax) {
    const double gLow = ValueOrZero(LowerLimitError(basicUnit, tempMin));
    const double gHigh = ValueOrZero(UpperLimitError(basicUnit, tempMax));
    return (gLow > gHigh ? gLow : gHigh) / Divisor(Contribution::GG);
}

} // namespace tarvex
