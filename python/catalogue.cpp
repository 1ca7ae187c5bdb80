// sensors(), basic_units(), resolutions() and limits(): what an input may be, from the core's lists.

#include "python/bindings.h"

#include "budget/input_table.h"
#include "budget/inputs.h"
#include "cli/setup_inputs.h"

#include <pybind11/stl.h>

#include <utility>
#include <vector>

namespace py = pybind11;

namespace tarvex::python {
namespace {

std::vector<std::string> Listed(std::span<const std::string_view> items) {
    return {items.begin(), items.end()};
}

py::tuple Range(double lowest, double highest) {
    return py::make_tuple(lowest, highest);
}

py::tuple Range(WholeRange range) {
    return py::make_tuple(range.lowest, range.highest);
}

// The ranges of the numeric inputs for a sensor, keyed by batch column, in the order of the columns.
py::dict Limits(const std::string& sensor) {
    const std::optional<SensorInputLimits> limits = SensorInputLimitsOf(sensor);
    if (!limits) {
        cli::SetupTexts texts{};
        texts[cli::SetupSlot(Input::sensor)] = sensor;
        MeasurementSetup setup;
        std::string problems;
        cli::ReadSetup(texts, cli::ColumnNames(), setup, problems); // the command line's message
        throw py::value_error(problems);
    }
    const FixedInputLimits& fixed = kFixedInputLimits;
    const std::pair<Input, py::tuple> ranges[] = {
        {Input::frequency, Range(limits->frequencyMinGHz, limits->frequencyMaxGHz)},
        {Input::level, Range(limits->levelDbm)},
        {Input::returnLoss, Range(fixed.returnLossMinDb, fixed.returnLossMaxDb)},
        {Input::filter, Range(fixed.filterNumber)},
        {Input::harmonic2f, Range(fixed.harmonicDbc)},
        {Input::harmonic3f, Range(fixed.harmonicDbc)},
        {Input::tempMin, Range(fixed.temperatureC)},
        {Input::tempMax, Range(fixed.temperatureC)},
    };
    py::dict result;
    for (const auto& [input, range] : ranges) {
        result[py::str(std::string(InfoOf(input).column))] = range;
    }
    return result;
}

} // namespace

void AddCatalogue(py::module_& module) {
    module.def(
        "sensors", [] { return Listed(SensorModels()); },
        "sensors() -> list[str]\n\nThe power sensors in the window's order, as the sensor input takes them.");
    module.def(
        "basic_units", [] { return Listed(BasicUnitModels()); },
        "basic_units() -> list[str]\n\nThe basic units, as the basic_unit input takes them.");
    module.def(
        "resolutions", [] { return Listed(Resolutions()); },
        "resolutions() -> list[str]\n\nThe display resolutions, as the resolution input takes them.");
    module.def(
        "limits", &Limits, py::arg("sensor"),
        "limits(sensor) -> dict[str, tuple]\n\n"
        "The lowest and highest value of every numeric input with this sensor, keyed by input name:\n"
        "frequency_ghz and level_dbm are the sensor's (0 GHz where it reaches down to DC), the others\n"
        "the same for every sensor. Both ends are allowed. An unknown sensor raises ValueError.");
}

} // namespace tarvex::python
