// sweep(): the chart's arrays, x and one series per result the chart draws.

#include "python/bindings.h"
#include "python/result_numbers.h"
#include "python/setup_arguments.h"

#include "budget/batch_columns.h"
#include "budget/sweep.h"

#include <pybind11/numpy.h>

#include <array>
#include <cmath>
#include <limits>

namespace py = pybind11;

namespace tarvex::python {
namespace {

constexpr std::array<NamedChoice<SweepAxis>, 2> kAxes{
    {{"frequency", SweepAxis::frequency}, {"level", SweepAxis::level}}};

// One column of the result: the value of `pick` at every point.
template <typename Pick> py::array_t<double> Column(const std::vector<ResultNumbers>& points, Pick pick) {
    py::array_t<double> column(static_cast<py::ssize_t>(points.size()));
    double* out = column.mutable_data();
    for (const ResultNumbers& point : points) {
        *out++ = pick(point);
    }
    return column;
}

py::dict SweepArrays(const std::string& axisName, const py::kwargs& keywords) {
    const SweepAxis axis = ChoiceNamed(kAxes, axisName, "axis");
    constexpr std::array<std::string_view, 1> kOwnKeywords{"axis"};
    const MeasurementSetup setup = SetupFromKeywords(keywords, "sweep", kOwnKeywords);
    std::vector<SweepPoint> sweep;
    {
        const py::gil_scoped_release release;
        sweep = SweepSensorRange(setup, axis);
    }
    std::vector<ResultNumbers> numbers;
    numbers.reserve(sweep.size());
    py::array_t<double> x(static_cast<py::ssize_t>(sweep.size()));
    for (std::size_t i = 0; i < sweep.size(); ++i) {
        numbers.push_back(NumbersInUnit(setup, sweep[i].budget));
        x.mutable_at(static_cast<py::ssize_t>(i)) = sweep[i].x;
    }
    py::dict arrays;
    arrays["x"] = x;
    const std::vector<std::string> columns = BatchResultColumns(); // u_cal ... systematic_error, error
    for (std::size_t i = 0; i < kContributionCount; ++i) {
        if (setup.include[i] != 0) {
            arrays[py::str(columns[i])] = Column(numbers, [i](const ResultNumbers& n) { return n.u[i]; });
        }
    }
    arrays[py::str(columns[kContributionCount])] =
        Column(numbers, [](const ResultNumbers& n) { return n.uc; });
    arrays[py::str(columns[kContributionCount + 1])] =
        Column(numbers, [](const ResultNumbers& n) { return n.MU; });
    if (!numbers.empty() && numbers.front().systematicError) {
        arrays[py::str(columns[kContributionCount + 2])] = Column(numbers, [](const ResultNumbers& n) {
            return n.systematicError.value_or(std::numeric_limits<double>::quiet_NaN());
        });
    }
    return arrays;
}

} // namespace

void AddSweep(py::module_& module) {
    module.def("sweep", &SweepArrays, py::arg("axis") = "frequency",
               "sweep(axis='frequency', **setup) -> dict[str, numpy.ndarray]\n\n"
               "The setup evaluated over its sensor's whole range, as the chart draws it: axis 'frequency'\n"
               "(every position of the window's frequency bar from 0 kHz up, x in GHz) or 'level' (every\n"
               "whole dBm, x in dBm); every other input as budget() takes it. The arrays: x, then u_<key>\n"
               "of each included contribution, uc, MU and, while the window shows it, systematic_error, in\n"
               "the result unit as budget() gives them.");
}

} // namespace tarvex::python
