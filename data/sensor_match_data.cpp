#include "data/sensor_match_data.h"

#include "data/band_lookup.h"
#include "data/model_rows.h"

#include <span>

namespace tarvex {
namespace {

// Magnitude of the sensor's input reflection coefficient per frequency band (GHz), ascending;
// a shared edge belongs to the lower band.
constexpr Band kTS101[] = {{0.01, 1, 0.03}, {1, 2, 0.06}, {2, 4, 0.12}, {4, 18, 0.17}};
constexpr Band kTS102[] = {{0.01, 4, 0.024}, {4, 8, 0.048}, {8, 12.4, 0.07}, {12.4, 18, 0.09}};
constexpr Band kTS103[] = {{0.001, 1, 0.05}, {1, 2.5, 0.09}};
constexpr Band kTS104[] = {{0.0001, 0.1, 0.024}, {0.1, 2, 0.048}, {2, 4, 0.09}, {4, 6, 0.15}};
constexpr Band kTS105[] = {{0.0001, 4, 0.024}, {4, 6, 0.048}};
constexpr Band kTS106[] = {{0.05, 0.1, 0.13}, {0.1, 18, 0.09}, {18, 26.5, 0.165}};
constexpr Band kTS107[] = {{0.01, 1, 0.03}, {1, 2, 0.06}, {2, 4, 0.12}, {4, 13, 0.17}};
constexpr Band kTS108[] = {{0.01, 4, 0.024}, {4, 8, 0.048}, {8, 12.4, 0.07}, {12.4, 13, 0.09}};
constexpr Band kTS109[] = {{0.05, 4, 0.07}, {4, 40, 0.157}};
constexpr Band kTS201[] = {{0.03, 0.1, 0.024}, {0.1, 2, 0.048}, {2, 4, 0.09}, {4, 6, 0.15}};
constexpr Band kTS202A[] = {{0.03, 4, 0.052}, {4, 6, 0.099}};
constexpr Band kTS202B[] = {{0.03, 4, 0.052}, {4, 6, 0.099}};
constexpr Band kTS203[] = {{0.03, 2.4, 0.052}, {2.4, 6, 0.099}};
constexpr Band kTS301[] = {{0, 2, 0.048}, {2, 12.4, 0.07}, {12.4, 18, 0.09}};
constexpr Band kTS302[] = {{0, 2, 0.048}, {2, 12.4, 0.07}, {12.4, 18, 0.09}, {18, 26.5, 0.11}};
constexpr Band kTS303[] = {{0, 2, 0.052}, {2, 8, 0.099}, {8, 12.4, 0.119}, {12.4, 18, 0.157}};
constexpr Band kTS304[] = {{0, 2, 0.052}, {2, 8, 0.099}, {8, 12.4, 0.119}, {12.4, 18, 0.157}};
constexpr Band kTS305[] = {
    {0, 2, 0.048}, {2, 12.4, 0.07}, {12.4, 18, 0.09}, {18, 26.5, 0.11}, {26.5, 40, 0.13}};

struct SensorMatchRow {
    std::string_view model;
    std::span<const Band> bands;
};

constexpr auto kSensorMatch = std::to_array<SensorMatchRow>({
    {"TS-101", kTS101},
    {"TS-102", kTS102},
    {"TS-103", kTS103},
    {"TS-104", kTS104},
    {"TS-105", kTS105},
    {"TS-106", kTS106},
    {"TS-107", kTS107},
    {"TS-108", kTS108},
    {"TS-109", kTS109},
    {"TS-201", kTS201},
    {"TS-202A", kTS202A},
    {"TS-202B", kTS202B},
    {"TS-203", kTS203},
    {"TS-301", kTS301},
    {"TS-302", kTS302},
    {"TS-303", kTS303},
    {"TS-304", kTS304},
    {"TS-305", kTS305},
});

} // namespace

std::optional<double> SensorGamma(std::string_view sensor, double frequencyGHz) {
    const SensorMatchRow* row = FindModelRow(kSensorMatch, sensor);
    if (row == nullptr) {
        return std::nullopt;
    }
    return FirstBandContaining(row->bands, frequencyGHz);
}

} // namespace tarvex
