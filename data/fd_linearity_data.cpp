#include "data/fd_linearity_data.h"

#include "data/model_rows.h"

#include <cmath>
#include <span>

namespace tarvex {
namespace {

// Level bands of a sensor group (dBm): below zeroBelow the error is 0; up to lowerTop the lower cell
// row (power nodes 0 and 1) applies, up to upperTop the upper one (nodes 1 and 2); above, no value.
// The power nodes are round values in mW, not the powers of the band edges. A fractional level (from
// the command line) falls by the same comparisons: zeroBelow itself is in the lower band and anything
// below it (-17.5 dBm) gives 0; lowerTop itself is in the lower band, anything above it (3.5 dBm) in the
// upper one; upperTop itself is in the upper band, anything above it (13.5 dBm) has no value.
struct LevelBands {
    int zeroBelow;
    int lowerTop;
    int upperTop;
    std::array<double, 3> powerNodesMw;
};

constexpr LevelBands kUpTo20mW{-17, 3, 13, {0.02, 2, 20}};
constexpr LevelBands kUpTo500mW{3, 23, 27, {2, 200, 500}};

// One step of the frequency axis, tried in order: every f <= upToGHz that no earlier step took
// either gives 0 (kZeroRegion) or lies in the cell between frequency nodes firstNode and firstNode + 1.
constexpr int kZeroRegion = -1;
struct FrequencyStep {
    double upToGHz;
    int firstNode;
};

// Node values in percent: rows are the power nodes, columns the frequency nodes.
struct Grid {
    std::array<double, 5> frequencyNodesGHz;
    std::array<std::array<double, 5>, 3> errorPercent;
};

constexpr Grid kTS101Grid{{4, 8, 13, 18}, {{{0, 0, 0, 0}, {0, 2, 5, 6}, {0, 4, 10, 12}}}};
constexpr Grid kTS102Grid{{4, 8, 13, 18}, {{{0, 0, 0, 0}, {0, 2, 5, 6}, {0, 3.5, 8, 10}}}};
constexpr Grid kTS104Grid{{1.5, 3, 6}, {{{0, 0, 0}, {0, 2, 6}, {0, 4, 10}}}};
constexpr Grid kTS105Grid{{1.5, 3, 6}, {{{0, 0, 0}, {0, 2, 6}, {0, 3.5, 8}}}};
constexpr Grid kTS106Grid{{0.05, 0.2, 4, 14, 26.5},
                          {{{0, 0, 0, 0, 0}, {2.5, 0, 0, 0.5, 1.5}, {4.5, 0, 0, 1.5, 4.5}}}};
constexpr Grid kTS109Grid{{0.05, 0.2, 4, 12.4, 40},
                          {{{0, 0, 0, 0, 0}, {0.2, 0, 0, 1, 2}, {0.5, 0, 0, 2, 8}}}};

constexpr FrequencyStep kUpTo18GHz[] = {{4, kZeroRegion}, {8, 0}, {13, 1}, {18, 2}};
constexpr FrequencyStep kUpTo13GHz[] = {{4, kZeroRegion}, {8, 0}, {13, 1}};
constexpr FrequencyStep kUpTo6GHz[] = {{1.5, kZeroRegion}, {3, 0}, {6, 1}};
// The first cell 0.05 ... 0.2 GHz also takes every lower frequency.
constexpr FrequencyStep kTS106Steps[] = {{0.2, 0}, {4, kZeroRegion}, {14, 2}, {26.5, 3}};
constexpr FrequencyStep kTS109Steps[] = {{0.2, 0}, {4, kZeroRegion}, {12.4, 2}, {40, 3}};

// In the upper level band one cell of a sensor takes a corner (f1, P1) other than the grid's.
struct UpperBandCornerException {
    int firstNode;
    double c11;
};
constexpr UpperBandCornerException kNoException{kZeroRegion, 0};

struct FdLinearitySensor {
    const LevelBands* levels;
    std::span<const FrequencyStep> steps;
    const Grid* grid;
    UpperBandCornerException exception;
};

constexpr FdLinearitySensor kTS101{&kUpTo20mW, kUpTo18GHz, &kTS101Grid, kNoException};
constexpr FdLinearitySensor kTS102{&kUpTo500mW, kUpTo18GHz, &kTS102Grid, kNoException};
constexpr FdLinearitySensor kTS104{&kUpTo20mW, kUpTo6GHz, &kTS104Grid, kNoException};
constexpr FdLinearitySensor kTS105{&kUpTo500mW, kUpTo6GHz, &kTS105Grid, kNoException};
constexpr FdLinearitySensor kTS106{&kUpTo20mW, kTS106Steps, &kTS106Grid, {3, 1.5}};
constexpr FdLinearitySensor kTS107{&kUpTo20mW, kUpTo13GHz, &kTS101Grid, kNoException};
constexpr FdLinearitySensor kTS108{&kUpTo500mW, kUpTo13GHz, &kTS102Grid, kNoException};
constexpr FdLinearitySensor kTS109{&kUpTo20mW, kTS109Steps, &kTS109Grid, {3, 2}};

// A row without grid is a sensor without frequency-dependent linearity error. TS-103 has no row.
struct FdLinearityRow {
    std::string_view model;
    const FdLinearitySensor* sensor;
};

constexpr auto kFdLinearity = std::to_array<FdLinearityRow>({
    {"TS-101", &kTS101},
    {"TS-102", &kTS102},
    {"TS-104", &kTS104},
    {"TS-105", &kTS105},
    {"TS-106", &kTS106},
    {"TS-107", &kTS107},
    {"TS-108", &kTS108},
    {"TS-109", &kTS109},
    {"TS-201", nullptr},
    {"TS-202A", nullptr},
    {"TS-202B", nullptr},
    {"TS-203", nullptr},
    {"TS-301", nullptr},
    {"TS-302", nullptr},
    {"TS-303", nullptr},
    {"TS-304", nullptr},
    {"TS-305", nullptr},
});

const FrequencyStep* StepContaining(std::span<const FrequencyStep> steps, double frequencyGHz) {
    for (const FrequencyStep& step : steps) {
        if (frequencyGHz <= step.upToGHz) {
            return &step;
        }
    }
    return nullptr;
}

} // namespace

std::optional<double> SensorFdLinearity(std::string_view sensor, double frequencyGHz, double levelDbm) {
    const double powerMw = std::pow(10.0, levelDbm / 10.0);

    const FdLinearityRow* row = FindModelRow(kFdLinearity, sensor);
    if (row == nullptr) {
        return std::nullopt;
    }
    if (row->sensor == nullptr) {
        return 0.0;
    }
    const FdLinearitySensor& sheet = *row->sensor;

    const LevelBands& levels = *sheet.levels;
    if (levelDbm < levels.zeroBelow) {
        return 0.0;
    }
    if (levelDbm > levels.upperTop) {
        return std::nullopt;
    }
    const bool upperBand = levelDbm > levels.lowerTop;
    const std::size_t p1 = upperBand ? 1 : 0;

    const FrequencyStep* step = StepContaining(sheet.steps, frequencyGHz);
    if (step == nullptr) {
        return std::nullopt;
    }
    if (step->firstNode == kZeroRegion) {
        return 0.0;
    }
    const auto f1 = static_cast<std::size_t>(step->firstNode);
    const Grid& grid = *sheet.grid;
    double c11 = grid.errorPercent[p1][f1];
    if (upperBand && step->firstNode == sheet.exception.firstNode) {
        c11 = sheet.exception.c11;
    }
    return BilinearInterpolate(grid.frequencyNodesGHz[f1], grid.frequencyNodesGHz[f1 + 1],
                               levels.powerNodesMw[p1], levels.powerNodesMw[p1 + 1], c11,
                               grid.errorPercent[p1][f1 + 1], grid.errorPercent[p1 + 1][f1 + 1],
                               grid.errorPercent[p1 + 1][f1], powerMw, frequencyGHz);
}

double BilinearInterpolate(double f1, double f2, double P1, double P2, double c11, double c21, double c22,
                           double c12, double P, double f) {
    return c11 + (f - f1) * (c21 - c11) / (f2 - f1) + (P - P1) * (c12 - c11) / (P2 - P1) +
           (f - f1) * (P - P1) * (c11 + c22 - c21 - c12) / ((f2 - f1) * (P2 - P1));
}

} // namespace tarvex
