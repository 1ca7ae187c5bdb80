// Frequency step tables: calibration uncertainty and sensor reflection coefficient. Every band edge of
// every sensor is probed exactly and one double above it; both ends of a band belong to it and the band
// listed first wins at a shared edge.
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "data/band_lookup.h"
#include "data/calibration_data.h"
#include "data/sensor_match_data.h"
#include "tests/data/data_test_support.h"

namespace tarvex {
namespace {

using test::ExpectLookup;

constexpr double kInf = std::numeric_limits<double>::infinity();

// value holds for previous hi < f <= hi; the first step holds from the row's lowest frequency.
struct Step {
    double hi;
    double value;
};

struct StepRow {
    std::string_view sensor;
    double lowestGHz;
    std::vector<Step> steps;
    std::optional<double> belowLowest = std::nullopt; // 0 <= f < lowest: the thermal sensors' DC band
    int levelDbm = 0;
};

void PrintTo(const StepRow& row, std::ostream* out) {
    *out << row.sensor << " at " << row.levelDbm << " dBm";
}

using Lookup = std::function<std::optional<double>(double frequencyGHz)>;

void ExpectStepsAt(const StepRow& row, const Lookup& lookup) {
    const auto probe = [&](double f, std::optional<double> expected) {
        SCOPED_TRACE(testing::Message() << "f = " << f << " GHz");
        ExpectLookup(lookup(f), expected);
    };
    probe(std::nextafter(row.lowestGHz, -kInf), row.belowLowest);
    if (row.belowLowest) {
        probe(0.0, row.belowLowest);
        probe(std::nextafter(0.0, -kInf), std::nullopt);
    }
    probe(row.lowestGHz, row.steps.front().value);
    for (std::size_t i = 0; i < row.steps.size(); ++i) {
        const double hi = row.steps[i].hi;
        probe(hi, row.steps[i].value);
        const bool last = i + 1 == row.steps.size();
        probe(std::nextafter(hi, kInf), last ? std::nullopt : std::optional(row.steps[i + 1].value));
    }
}

// Calibration uncertainty (dB) of the sensors that ignore the level; each row runs at several levels.
// clang-format off
const std::vector<StepRow> kLevelFreeCalibration = {
    {"TS-101", 0.01, {{2, 0.07}, {6, 0.08}, {8, 0.09}, {12.4, 0.1}, {15, 0.11}, {16, 0.14}, {18, 0.15}}},
    {"TS-102", 0.01, {{8, 0.07}, {12.4, 0.08}, {15, 0.09}, {16, 0.11}, {18, 0.13}}},
    {"TS-103", 0.001, {{0.1, 0.06}, {2.5, 0.07}}},
    {"TS-104", 0.0001, {{0.03, 0.05}, {4, 0.06}, {6, 0.07}}},
    {"TS-105", 0.0001, {{2, 0.05}, {6, 0.06}}},
    {"TS-106", 0.05, {{6, 0.06}, {8, 0.07}, {12.4, 0.08}, {15, 0.1}, {16, 0.11}, {18, 0.13}, {26.5, 0.09}}},
    {"TS-107", 0.01, {{2, 0.07}, {6, 0.08}, {8, 0.09}, {12.4, 0.1}, {13, 0.11}}},
    {"TS-108", 0.01, {{8, 0.07}, {12.4, 0.08}, {13, 0.09}}},
    {"TS-109", 0.05, {{2, 0.05}, {4, 0.06}, {6, 0.07}, {8, 0.09}, {12.4, 0.1}, {15, 0.12}, {16, 0.14},
                      {18, 0.15}, {20, 0.08}, {26.5, 0.09}, {30, 0.1}, {35, 0.11}, {40, 0.1}}},
    {"TS-301", 0.03, {{4, 0.05}, {8, 0.06}, {12.4, 0.07}, {15, 0.09}, {16, 0.1}, {18, 0.12}}, 0.088},
    {"TS-302", 0.05, {{0.1, 0.05}, {6, 0.06}, {8, 0.07}, {12.4, 0.08}, {15, 0.1}, {16, 0.11}, {18, 0.13},
                      {20, 0.08}, {26.5, 0.09}}, 0.088},
    {"TS-303", 0.05, {{2, 0.07}, {8, 0.1}, {10, 0.12}, {12.4, 0.13}, {15, 0.16}, {16, 0.17}, {18, 0.18}}, 0.088},
    {"TS-304", 0.05, {{2, 0.08}, {6, 0.1}, {8, 0.11}, {10, 0.12}, {12.4, 0.13}, {15, 0.16}, {16, 0.17},
                      {18, 0.18}}, 0.088},
    {"TS-305", 0.05, {{2, 0.05}, {6, 0.06}, {8, 0.07}, {12.4, 0.08}, {15, 0.1}, {16, 0.11}, {18, 0.13},
                      {20, 0.08}, {26.5, 0.09}, {30, 0.1}, {35, 0.11}, {40, 0.1}}, 0.088},
};

// Calibration uncertainty (dB) of the sensors with a level threshold, at the threshold (first list) and
// one dB above it (second list). The first step is the single frequency 0.03 GHz.
const std::vector<StepRow> kThresholdCalibration = {
    {"TS-201", 0.03, {{0.03, 0.05}, {0.1, 0.06}, {2, 0.07}, {4, 0.11}, {6, 0.11}}, {}, 10},
    {"TS-201", 0.03, {{0.03, 0.05}, {0.1, 0.06}, {2, 0.07}, {4, 0.15}, {6, 0.16}}, {}, 11},
    {"TS-202A", 0.03, {{0.03, 0.08}, {0.1, 0.08}, {2, 0.09}, {4, 0.13}, {6, 0.17}}, {}, 30},
    {"TS-202A", 0.03, {{0.03, 0.08}, {0.1, 0.08}, {2, 0.09}, {4, 0.17}, {6, 0.2}}, {}, 31},
    {"TS-202B", 0.03, {{0.03, 0.08}, {0.1, 0.08}, {2, 0.09}, {4, 0.13}, {6, 0.17}}, {}, 30},
    {"TS-202B", 0.03, {{0.03, 0.09}, {0.1, 0.09}, {2, 0.1}, {4, 0.25}, {6, 0.28}}, {}, 31},
    {"TS-203", 0.03, {{0.03, 0.08}, {0.1, 0.08}, {2, 0.09}, {4, 0.14}, {6, 0.17}}, {}, 40},
    {"TS-203", 0.03, {{0.03, 0.08}, {0.1, 0.08}, {2, 0.09}, {4, 0.18}, {6, 0.2}}, {}, 41},
};
// clang-format on

std::vector<StepRow> CalibrationRows() {
    std::vector<StepRow> rows;
    for (const int level : {-70, 0, 45}) {
        for (StepRow row : kLevelFreeCalibration) {
            row.levelDbm = level;
            rows.push_back(row);
        }
    }
    rows.insert(rows.end(), kThresholdCalibration.begin(), kThresholdCalibration.end());
    return rows;
}

// Sensor reflection coefficient magnitude; the level plays no part.
const std::vector<StepRow> kSensorMatch = {
    {"TS-101", 0.01, {{1, 0.03}, {2, 0.06}, {4, 0.12}, {18, 0.17}}},
    {"TS-102", 0.01, {{4, 0.024}, {8, 0.048}, {12.4, 0.07}, {18, 0.09}}},
    {"TS-103", 0.001, {{1, 0.05}, {2.5, 0.09}}},
    {"TS-104", 0.0001, {{0.1, 0.024}, {2, 0.048}, {4, 0.09}, {6, 0.15}}},
    {"TS-105", 0.0001, {{4, 0.024}, {6, 0.048}}},
    {"TS-106", 0.05, {{0.1, 0.13}, {18, 0.09}, {26.5, 0.165}}},
    {"TS-107", 0.01, {{1, 0.03}, {2, 0.06}, {4, 0.12}, {13, 0.17}}},
    {"TS-108", 0.01, {{4, 0.024}, {8, 0.048}, {12.4, 0.07}, {13, 0.09}}},
    {"TS-109", 0.05, {{4, 0.07}, {40, 0.157}}},
    {"TS-201", 0.03, {{0.1, 0.024}, {2, 0.048}, {4, 0.09}, {6, 0.15}}},
    {"TS-202A", 0.03, {{4, 0.052}, {6, 0.099}}},
    {"TS-202B", 0.03, {{4, 0.052}, {6, 0.099}}},
    {"TS-203", 0.03, {{2.4, 0.052}, {6, 0.099}}},
    {"TS-301", 0, {{2, 0.048}, {12.4, 0.07}, {18, 0.09}}},
    {"TS-302", 0, {{2, 0.048}, {12.4, 0.07}, {18, 0.09}, {26.5, 0.11}}},
    {"TS-303", 0, {{2, 0.052}, {8, 0.099}, {12.4, 0.119}, {18, 0.157}}},
    {"TS-304", 0, {{2, 0.052}, {8, 0.099}, {12.4, 0.119}, {18, 0.157}}},
    {"TS-305", 0, {{2, 0.048}, {12.4, 0.07}, {18, 0.09}, {26.5, 0.11}, {40, 0.13}}},
};

class CalibrationBands : public ::testing::TestWithParam<StepRow> {};

TEST_P(CalibrationBands, EdgesAndNeighbours) {
    const StepRow& row = GetParam();
    ExpectStepsAt(row, [&](double f) { return SensorCalUncertainty(row.sensor, f, row.levelDbm); });
}

INSTANTIATE_TEST_SUITE_P(AllSensors, CalibrationBands, ::testing::ValuesIn(CalibrationRows()),
                         [](const auto& info) {
                             const int level = info.param.levelDbm;
                             return test::TestName(info.param.sensor) + "_at_" + (level < 0 ? "minus" : "") +
                                    std::to_string(std::abs(level)) + "dBm";
                         });

class SensorMatchBands : public ::testing::TestWithParam<StepRow> {};

TEST_P(SensorMatchBands, EdgesAndNeighbours) {
    const StepRow& row = GetParam();
    ExpectStepsAt(row, [&](double f) { return SensorGamma(row.sensor, f); });
}

INSTANTIATE_TEST_SUITE_P(AllSensors, SensorMatchBands, ::testing::ValuesIn(kSensorMatch),
                         [](const auto& info) { return test::TestName(info.param.sensor); });

TEST(FrequencyBandsNoValue, DiodeSensorsAtDc) {
    for (const std::string_view sensor : test::kDiodeSensors) {
        SCOPED_TRACE(sensor);
        ExpectLookup(SensorCalUncertainty(sensor, 0.0, 0), std::nullopt);
        ExpectLookup(SensorGamma(sensor, 0.0), std::nullopt);
    }
}

TEST(FrequencyBandsNoValue, UnknownIdentifiersAtEveryFrequency) {
    for (const std::string_view sensor : test::kUnknownSensors) {
        for (const double f : {0.0, 0.03, 1.0, 18.0, 40.0}) {
            SCOPED_TRACE(testing::Message() << '"' << sensor << "\" at " << f << " GHz");
            ExpectLookup(SensorCalUncertainty(sensor, f, 0), std::nullopt);
            ExpectLookup(SensorGamma(sensor, f), std::nullopt);
        }
    }
}

TEST(FirstBandContaining, FirstListedBandWinsAndBothEndsBelong) {
    // Ascending bands followed by an overlapping low band, as in the thermal sensors' calibration.
    constexpr Band kBands[] = {{0.03, 0.03, 1}, {0.03, 4, 2}, {4, 8, 3}, {0, 0.05, 4}};
    struct Case {
        double f;
        std::optional<double> expected;
    };
    // clang-format off
    const Case kCases[] = {{0.03, 1.0}, {0.04, 2.0}, {4, 2.0}, {std::nextafter(4.0, kInf), 3.0}, {8, 3.0},
                           {0.02, 4.0}, {0, 4.0}, {std::nextafter(8.0, kInf), std::nullopt},
                           {-1, std::nullopt}, {std::nan(""), std::nullopt}};
    // clang-format on
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.f);
        ExpectLookup(FirstBandContaining(kBands, c.f), c.expected);
    }
    ExpectLookup(FirstBandContaining({}, 1.0), std::nullopt);
}

} // namespace
} // namespace tarvex
