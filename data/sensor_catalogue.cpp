#include "data/sensor_catalogue.h"

#include "data/model_rows.h"

#include <algorithm>
#include <cmath>

namespace tarvex {
namespace {

struct CatalogueRow {
    std::string_view model;
    double freqMinGHz; // 0 means down to DC
    double freqMaxGHz;
    double powerMinW;
    double powerMaxW;
};

// Frequency range (GHz) and power range (W) of each sensor.
constexpr auto kCatalogue = std::to_array<CatalogueRow>({
    {"TS-101", 0.01, 18, 2E-10, 0.02},
    {"TS-102", 0.01, 18, 2E-8, 0.5},
    {"TS-103", 0.001, 2.5, 1E-10, 0.013},
    {"TS-104", 0.0001, 6, 1E-10, 0.02},
    {"TS-105", 0.0001, 6, 1E-8, 0.5},
    {"TS-106", 0.05, 26.5, 4E-10, 0.02},
    {"TS-107", 0.01, 13, 2E-10, 0.02},
    {"TS-108", 0.01, 13, 2E-8, 0.5},
    {"TS-109", 0.05, 40, 4E-10, 0.02},
    {"TS-201", 0.03, 6, 1E-6, 0.02},
    {"TS-202A", 0.03, 6, 1E-4, 2},
    {"TS-202B", 0.03, 6, 1E-4, 2},
    {"TS-203", 0.03, 6, 1E-3, 20},
    {"TS-301", 0, 18, 1E-6, 0.1},
    {"TS-302", 0, 26.5, 1E-6, 0.1},
    {"TS-303", 0, 18, 1E-4, 10},
    {"TS-304", 0, 18, 3E-4, 30},
    {"TS-305", 0, 40, 1E-6, 0.1},
});

static_assert(kCatalogue.size() == kSensorModels.size());

} // namespace

std::optional<std::size_t> SensorIndex(std::string_view sensor) {
    const auto* model = std::ranges::find(kSensorModels, sensor);
    if (model == kSensorModels.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(model - kSensorModels.begin());
}

std::optional<double> SensorFreqMin(std::string_view sensor) {
    return ModelRowFigure(kCatalogue, sensor, &CatalogueRow::freqMinGHz);
}
std::optional<double> SensorFreqMax(std::string_view sensor) {
    return ModelRowFigure(kCatalogue, sensor, &CatalogueRow::freqMaxGHz);
}
std::optional<double> SensorPowerMin(std::string_view sensor) {
    return ModelRowFigure(kCatalogue, sensor, &CatalogueRow::powerMinW);
}
std::optional<double> SensorPowerMax(std::string_view sensor) {
    return ModelRowFigure(kCatalogue, sensor, &CatalogueRow::powerMaxW);
}

double Log10(double x) {
    const double ln10 = std::log(10.0);
    return std::log(x) / ln10;
}

} // namespace tarvex
