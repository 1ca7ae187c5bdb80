#include "data/sheet_figures.h"

#include "data/model_rows.h"

namespace tarvex {
namespace {

struct ScalarRow {
    std::string_view model;
    double linearityDb;
    double noiseW;
    double zeroDriftW;
    double powerCoeffDbPerW;
};

constexpr auto kSheetFigures = std::to_array<ScalarRow>({
    // sensor     linearity  noise    zero drift  power coefficient
    {"TS-101", 0.03, 4E-11, 1E-10, 0},
    {"TS-102", 0.03, 4E-9, 1E-8, 0},
    {"TS-103", 0.03, 1.6E-11, 4E-11, 0},
    {"TS-104", 0.03, 2E-11, 5E-11, 0},
    {"TS-105", 0.03, 2E-9, 5E-9, 0},
    {"TS-106", 0.04, 8E-11, 2E-10, 0},
    {"TS-107", 0.03, 4E-11, 1E-10, 0},
    {"TS-108", 0.03, 4E-9, 1E-8, 0},
    {"TS-109", 0.04, 8E-11, 2E-10, 0},
    {"TS-201", 0, 3E-9, 3E-8, 0},
    {"TS-202A", 0, 3E-7, 3E-6, 0.044},
    {"TS-202B", 0, 4E-7, 4E-6, 0.044},
    {"TS-203", 0, 3E-6, 3E-5, 0.015},
    {"TS-301", 0.02, 2.2E-8, 6E-8, 0},
    {"TS-302", 0.02, 2.2E-8, 6E-8, 0},
    {"TS-303", 0.03, 2.2E-6, 6E-6, 0.011},
    {"TS-304", 0.03, 7E-6, 2E-5, 0.007},
    {"TS-305", 0.02, 2.2E-8, 6E-8, 0},
});

// Noise factor by filter number 0 ... 12. The factors fall by about sqrt(2) per step but are the
// meters' own table values (filter 0 gives 51, not 45.3).
constexpr std::array<double, 13> kFilterNoiseFactors{51, 32, 23, 16, 11.3, 8, 5.6, 4, 2.8, 2, 1.4, 1, 0.7};

} // namespace

std::optional<double> SensorLinearity(std::string_view sensor) {
    return ModelRowFigure(kSheetFigures, sensor, &ScalarRow::linearityDb);
}
std::optional<double> SensorNoise(std::string_view sensor) {
    return ModelRowFigure(kSheetFigures, sensor, &ScalarRow::noiseW);
}
std::optional<double> SensorZeroDrift(std::string_view sensor) {
    return ModelRowFigure(kSheetFigures, sensor, &ScalarRow::zeroDriftW);
}
std::optional<double> SensorPowerCoeff(std::string_view sensor) {
    return ModelRowFigure(kSheetFigures, sensor, &ScalarRow::powerCoeffDbPerW);
}

std::optional<double> FilterNoiseFactor(int filterNumber) {
    if (filterNumber < 0 || filterNumber >= static_cast<int>(kFilterNoiseFactors.size())) {
        return std::nullopt;
    }
    return kFilterNoiseFactors[static_cast<std::size_t>(filterNumber)];
}

} // namespace tarvex
