#include "budget/inputs.h"

#include "budget/value_mappings.h"
#include "data/basic_unit_data.h"
#include "data/sensor_catalogue.h"

namespace tarvex {

// Resolutions() lives beside the resolution contribution's table, in sensor_contributions.cpp.

std::span<const std::string_view> SensorModels() {
    return kSensorModels;
}

std::span<const std::string_view> BasicUnitModels() {
    return kBasicUnitModels;
}

SensorScrollRange SensorScrollRangeOf(std::string_view sensor) {
    const auto frequencyPosition = [](std::optional<double> limitGHz) {
        return pos(Freq_to_vsb(limitGHz.value_or(0.0)).value_or(0.0));
    };
    return {
        .frequencyTop = frequencyPosition(SensorFreqMax(sensor)),
        .frequencyBottom = frequencyPosition(SensorFreqMin(sensor)),
        .levelTop = LevelPosition(SensorPowerMax(sensor).value_or(0.0)),
        .levelBottom = LevelPosition(SensorPowerMin(sensor).value_or(0.0)),
    };
}

std::optional<SensorInputLimits> SensorInputLimitsOf(std::string_view sensor) {
    if (!SensorIndex(sensor)) {
        return std::nullopt;
    }
    const SensorScrollRange range = SensorScrollRangeOf(sensor);
    return SensorInputLimits{
        .frequencyMinGHz = SensorFreqMin(sensor).value_or(0.0),
        .frequencyMaxGHz = SensorFreqMax(sensor).value_or(0.0),
        .levelDbm = {range.levelBottom, range.levelTop},
    };
}

MeasurementSetup StartSetup() {
    MeasurementSetup setup;
    setup.sensor = "TS-301";
    setup.basicUnit = "BX-20";
    setup.resolution = "0.01 dB";
    setup.frequency = 18.0;
    setup.level = 0;
    setup.returnLossDb = 20.0;
    setup.filterNumber = 7;
    setup.harmonic2f = -40;
    setup.harmonic3f = -50;
    setup.tempMin = 22;
    setup.tempMax = 24;
    return setup;
}

} // namespace tarvex
