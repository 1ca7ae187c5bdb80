#include "data/calibration_data.h"

#include "data/band_lookup.h"
#include "data/model_rows.h"

#include <climits>
#include <span>

namespace tarvex {
namespace {

// Expanded calibration uncertainty in dB per frequency band (GHz). The first band listed that
// contains the frequency wins, so a shared edge belongs to the band listed first.

constexpr Band kTS101[] = {{0.01, 2, 0.07},  {2, 6, 0.08},   {6, 8, 0.09},  {8, 12.4, 0.1},
                           {12.4, 15, 0.11}, {15, 16, 0.14}, {16, 18, 0.15}};
constexpr Band kTS102[] = {
    {0.01, 8, 0.07}, {8, 12.4, 0.08}, {12.4, 15, 0.09}, {15, 16, 0.11}, {16, 18, 0.13}};
constexpr Band kTS103[] = {{0.001, 0.1, 0.06}, {0.1, 2.5, 0.07}};
constexpr Band kTS104[] = {{0.0001, 0.03, 0.05}, {0.03, 4, 0.06}, {4, 6, 0.07}};
constexpr Band kTS105[] = {{0.0001, 2, 0.05}, {2, 6, 0.06}};
constexpr Band kTS106[] = {{0.05, 6, 0.06}, {6, 8, 0.07},   {8, 12.4, 0.08}, {12.4, 15, 0.1},
                           {15, 16, 0.11},  {16, 18, 0.13}, {18, 26.5, 0.09}};
constexpr Band kTS107[] = {{0.01, 2, 0.07}, {2, 6, 0.08}, {6, 8, 0.09}, {8, 12.4, 0.1}, {12.4, 13, 0.11}};
constexpr Band kTS108[] = {{0.01, 8, 0.07}, {8, 12.4, 0.08}, {12.4, 13, 0.09}};
constexpr Band kTS109[] = {{0.05, 2, 0.05},  {2, 4, 0.06},   {4, 6, 0.07},   {6, 8, 0.09},   {8, 12.4, 0.1},
                           {12.4, 15, 0.12}, {15, 16, 0.14}, {16, 18, 0.15}, {18, 20, 0.08}, {20, 26.5, 0.09},
                           {26.5, 30, 0.1},  {30, 35, 0.11}, {35, 40, 0.1}};

// Sensors whose uncertainty also depends on the level: a band of the single frequency 0.03 GHz comes
// first, then the list continues upward. One list up to the level threshold, another above it.
constexpr Band kTS201Low[] = {{0.03, 0.03, 0.05}, {0.03, 0.1, 0.06}, {0.1, 2, 0.07}, {2, 6, 0.11}};
constexpr Band kTS201High[] = {
    {0.03, 0.03, 0.05}, {0.03, 0.1, 0.06}, {0.1, 2, 0.07}, {2, 4, 0.15}, {4, 6, 0.16}};
constexpr Band kTS202ALow[] = {
    {0.03, 0.03, 0.08}, {0.03, 0.1, 0.08}, {0.1, 2, 0.09}, {2, 4, 0.13}, {4, 6, 0.17}};
constexpr Band kTS202AHigh[] = {
    {0.03, 0.03, 0.08}, {0.03, 0.1, 0.08}, {0.1, 2, 0.09}, {2, 4, 0.17}, {4, 6, 0.2}};
constexpr Band kTS202BLow[] = {
    {0.03, 0.03, 0.08}, {0.03, 0.1, 0.08}, {0.1, 2, 0.09}, {2, 4, 0.13}, {4, 6, 0.17}};
constexpr Band kTS202BHigh[] = {
    {0.03, 0.03, 0.09}, {0.03, 0.1, 0.09}, {0.1, 2, 0.1}, {2, 4, 0.25}, {4, 6, 0.28}};
constexpr Band kTS203Low[] = {
    {0.03, 0.03, 0.08}, {0.03, 0.1, 0.08}, {0.1, 2, 0.09}, {2, 4, 0.14}, {4, 6, 0.17}};
constexpr Band kTS203High[] = {
    {0.03, 0.03, 0.08}, {0.03, 0.1, 0.08}, {0.1, 2, 0.09}, {2, 4, 0.18}, {4, 6, 0.2}};

// Thermal sensors: below their first calibrated frequency down to DC, a band listed last gives 0.088 dB.
constexpr Band kTS301[] = {{0.03, 4, 0.05}, {4, 8, 0.06},   {8, 12.4, 0.07}, {12.4, 15, 0.09},
                           {15, 16, 0.1},   {16, 18, 0.12}, {0, 0.05, 0.088}};
constexpr Band kTS302[] = {{0.05, 0.1, 0.05}, {0.1, 6, 0.06},  {6, 8, 0.07},   {8, 12.4, 0.08},
                           {12.4, 15, 0.1},   {15, 16, 0.11},  {16, 18, 0.13}, {18, 20, 0.08},
                           {20, 26.5, 0.09},  {0, 0.05, 0.088}};
constexpr Band kTS303[] = {{0.05, 2, 0.07},  {2, 8, 0.1},    {8, 10, 0.12},  {10, 12.4, 0.13},
                           {12.4, 15, 0.16}, {15, 16, 0.17}, {16, 18, 0.18}, {0, 0.05, 0.088}};
constexpr Band kTS304[] = {{0.05, 2, 0.08}, {2, 6, 0.1},      {6, 8, 0.11},
                           {8, 10, 0.12},   {10, 12.4, 0.13}, {12.4, 15, 0.16},
                           {15, 16, 0.17},  {16, 18, 0.18},   {0, 0.05, 0.088}};
constexpr Band kTS305[] = {{0.05, 2, 0.05},  {2, 6, 0.06},    {6, 8, 0.07},   {8, 12.4, 0.08},
                           {12.4, 15, 0.1},  {15, 16, 0.11},  {16, 18, 0.13}, {18, 20, 0.08},
                           {20, 26.5, 0.09}, {26.5, 30, 0.1}, {30, 35, 0.11}, {35, 40, 0.1},
                           {0, 0.05, 0.088}};

struct CalibrationRow {
    std::string_view model;
    std::span<const Band> upToThreshold; // the only list where the level plays no part
    int levelThresholdDbm;               // level <= threshold selects upToThreshold: 10 dBm does, 10.5 not
    std::span<const Band> aboveThreshold;
};

// Sensors whose level plays no part use their one list at every level.
constexpr CalibrationRow AnyLevel(std::string_view model, std::span<const Band> bands) {
    return {model, bands, INT_MAX, {}};
}

constexpr auto kCalibration = std::to_array<CalibrationRow>({
    AnyLevel("TS-101", kTS101),
    AnyLevel("TS-102", kTS102),
    AnyLevel("TS-103", kTS103),
    AnyLevel("TS-104", kTS104),
    AnyLevel("TS-105", kTS105),
    AnyLevel("TS-106", kTS106),
    AnyLevel("TS-107", kTS107),
    AnyLevel("TS-108", kTS108),
    AnyLevel("TS-109", kTS109),
    {"TS-201", kTS201Low, 10, kTS201High},
    {"TS-202A", kTS202ALow, 30, kTS202AHigh},
    {"TS-202B", kTS202BLow, 30, kTS202BHigh},
    {"TS-203", kTS203Low, 40, kTS203High},
    AnyLevel("TS-301", kTS301),
    AnyLevel("TS-302", kTS302),
    AnyLevel("TS-303", kTS303),
    AnyLevel("TS-304", kTS304),
    AnyLevel("TS-305", kTS305),
});

} // namespace

std::optional<double> SensorCalUncertainty(std::string_view sensor, double frequencyGHz, double levelDbm) {
    const CalibrationRow* row = FindModelRow(kCalibration, sensor);
    if (row == nullptr) {
        return std::nullopt;
    }
    const auto bands = levelDbm <= row->levelThresholdDbm ? row->upToThreshold : row->aboveThreshold;
    return FirstBandContaining(bands, frequencyGHz);
}

} // namespace tarvex
