#include "data/temperature_data.h"

#include "data/model_rows.h"

namespace tarvex {
namespace {

struct TemperatureRow {
    std::string_view model;
    std::array<double, 4> effectDb; // bands 22...24, 18...28, 10...40, 0...50 °C
};

constexpr auto kTemperatureEffects = std::to_array<TemperatureRow>({
    {"TS-101", {0, 0.015, 0.05, 0.09}},
    {"TS-102", {0, 0.015, 0.05, 0.09}},
    {"TS-103", {0, 0.015, 0.05, 0.09}},
    {"TS-104", {0, 0.015, 0.05, 0.09}},
    {"TS-105", {0, 0.015, 0.05, 0.09}},
    {"TS-106", {0, 0.005, 0.02, 0.05}},
    {"TS-107", {0, 0.015, 0.05, 0.09}},
    {"TS-108", {0, 0.015, 0.05, 0.09}},
    {"TS-109", {0, 0.005, 0.02, 0.05}},
    {"TS-201", {0, 0.015, 0.05, 0.09}},
    {"TS-202A", {0, 0.02, 0.06, 0.1}},
    {"TS-202B", {0, 0.02, 0.06, 0.1}},
    {"TS-203", {0, 0.02, 0.06, 0.11}},
    {"TS-301", {0, 0.005, 0.02, 0.02}},
    {"TS-302", {0, 0.005, 0.02, 0.02}},
    {"TS-303", {0, 0.01, 0.03, 0.05}},
    {"TS-304", {0, 0.01, 0.03, 0.05}},
    {"TS-305", {0, 0.005, 0.02, 0.02}},
});

} // namespace

std::optional<double> SensorTempEffect(std::string_view sensor, int tempBand) {
    const TemperatureRow* row = FindModelRow(kTemperatureEffects, sensor);
    if (row == nullptr || tempBand < 0 || tempBand > 3) {
        return std::nullopt;
    }
    return row->effectDb[static_cast<std::size_t>(tempBand)];
}

} // namespace tarvex
