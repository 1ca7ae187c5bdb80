#include "data/basic_unit_data.h"

#include "data/model_rows.h"

namespace tarvex {
namespace {

struct BasicUnitRow {
    std::string_view model;
    std::array<double, 3> errorDb; // bands 18...28, 10...40, 0...50 °C
};

constexpr auto kBasicUnits = std::to_array<BasicUnitRow>({
    {"BX-20", {0.013, 0.035, 0.057}},
    {"BX-10", {0.017, 0.039, 0.06}},
    {"VX-30", {0.017, 0.039, 0.06}},
});

static_assert(kBasicUnits.size() == kBasicUnitModels.size());

} // namespace

std::optional<double> BasicUnitError(std::string_view basicUnit, int tempBand) {
    const BasicUnitRow* row = FindModelRow(kBasicUnits, basicUnit);
    if (row == nullptr || tempBand < 1 || tempBand > 3) {
        return std::nullopt;
    }
    return row->errorDb[static_cast<std::size_t>(tempBand - 1)];
}

} // namespace tarvex
