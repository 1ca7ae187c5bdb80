#include "data/harmonics_data.h"

#include "data/model_rows.h"

#include <cmath>

namespace tarvex {
namespace {

// How the second harmonic falsifies the reading: A by the amplitude ratio, B by the power ratio.
// Thermal sensors have no harmonic error at all.
enum class SecondHarmonicFormula { A, B, noHarmonicError };

struct HarmonicsRow {
    std::string_view model;
    double harmonicScale; // a: shifts the transition power of both harmonics
    SecondHarmonicFormula formula2f;
};

constexpr auto kHarmonics = std::to_array<HarmonicsRow>({
    {"TS-101", 1, SecondHarmonicFormula::A},
    {"TS-102", 0.01, SecondHarmonicFormula::A},
    {"TS-103", 1.5, SecondHarmonicFormula::B},
    {"TS-104", 1, SecondHarmonicFormula::B},
    {"TS-105", 0.01, SecondHarmonicFormula::B},
    {"TS-106", 1, SecondHarmonicFormula::A},
    {"TS-107", 1, SecondHarmonicFormula::A},
    {"TS-108", 0.01, SecondHarmonicFormula::A},
    {"TS-109", 1, SecondHarmonicFormula::A},
    {"TS-201", 1, SecondHarmonicFormula::B},
    {"TS-202A", 0.01, SecondHarmonicFormula::B},
    {"TS-202B", 0.01, SecondHarmonicFormula::B},
    {"TS-203", 0.001, SecondHarmonicFormula::B},
    {"TS-301", 0, SecondHarmonicFormula::noHarmonicError},
    {"TS-302", 0, SecondHarmonicFormula::noHarmonicError},
    {"TS-303", 0, SecondHarmonicFormula::noHarmonicError},
    {"TS-304", 0, SecondHarmonicFormula::noHarmonicError},
    {"TS-305", 0, SecondHarmonicFormula::noHarmonicError},
});

} // namespace

// Each formula is a transition factor 1 / (1 + P0 / P) times an error that depends on the harmonic
// level alone; P0 is the transition power divided by the sensor's scale.
// Units: P and P0 in W (P0 at scale 1: 0.19 mW for the third harmonic, 0.149 mW for formula A, 0.2 mW
// for formula B), harmonic levels H in dBc, results in percent of power.
// The constants are the diode sensors' harmonic-error characteristics as the sensor data give them
// (measured, not derived here). Well above P0 the error tends to
//   third harmonic:  6320 % x 10^((H - 30) / 20)  (63.2 as given, not 2 x sqrt(1000) = 63.2456),
//   formula A:       200 % x 10^(H / 20)          (amplitude ratio of the harmonic),
//   formula B:       300 % x 10^(H / 10)          (power ratio of the harmonic).
double Harmonics3fFormula(double powerW, double a, double harmonicDbc) {
    return 100 * (63.2 / (1 + (0.00019 / a) / powerW)) * std::pow(10.0, (harmonicDbc - 30) / 20);
}

double Harmonics2fFormulaA(double powerW, double a, double harmonicDbc) {
    return (100 * std::sqrt(4 / (1 + (0.000149 / a) / powerW))) * std::pow(10.0, harmonicDbc / 20);
}

double Harmonics2fFormulaB(double powerW, double a, double harmonicDbc) {
    return (300 / (1 + (0.0002 / a) / powerW)) * std::pow(10.0, harmonicDbc / 10);
}

std::optional<double> Harmonics2fError(std::string_view sensor, double powerW, double harmonicDbc) {
    const HarmonicsRow* row = FindModelRow(kHarmonics, sensor);
    if (row == nullptr) {
        return std::nullopt;
    }
    switch (row->formula2f) {
    case SecondHarmonicFormula::A:
        return Harmonics2fFormulaA(powerW, row->harmonicScale, harmonicDbc);
    case SecondHarmonicFormula::B:
        return Harmonics2fFormulaB(powerW, row->harmonicScale, harmonicDbc);
    case SecondHarmonicFormula::noHarmonicError:
        break;
    }
    return 0.0;
}

std::optional<double> Harmonics3fError(std::string_view sensor, double powerW, double harmonicDbc) {
    const HarmonicsRow* row = FindModelRow(kHarmonics, sensor);
    if (row == nullptr) {
        return std::nullopt;
    }
    if (row->formula2f == SecondHarmonicFormula::noHarmonicError) {
        return 0.0;
    }
    return Harmonics3fFormula(powerW, row->harmonicScale, harmonicDbc);
}

} // namespace tarvex
