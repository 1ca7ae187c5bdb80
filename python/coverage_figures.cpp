// coverage(): what the expanded uncertainty covers and the 95 % interval, from the core's distribution of
// the total error.

#include "python/bindings.h"
#include "python/result_numbers.h"
#include "python/setup_arguments.h"

#include "budget/batch_columns.h"
#include "budget/budget_description.h"
#include "budget/coverage.h"
#include "budget/presentation.h"

#include <pybind11/stl.h>

#include <array>

namespace py = pybind11;

namespace tarvex::python {
namespace {

// As tarvex-budget's --coverage takes them.
constexpr std::array<NamedChoice<CoverageMethod>, 2> kMethods{
    {{CoverageMethodKeyword(CoverageMethod::exact), CoverageMethod::exact},
     {CoverageMethodKeyword(CoverageMethod::monteCarlo), CoverageMethod::monteCarlo}}};

std::optional<CoverageFigures> Figures(const MeasurementSetup& setup, const UncertaintyBudget& budget,
                                       CoverageMethod method, std::optional<std::uint64_t> seed) {
    const py::gil_scoped_release release;
    if (method == CoverageMethod::exact || !seed) {
        return BudgetCoverage(setup, budget, method);
    }
    MonteCarloOptions options;
    options.seed = *seed;
    const std::optional<MonteCarloOutcome> outcome =
        MonteCarloCoverage(BudgetErrorTerms(setup, budget), options);
    return outcome ? std::optional(outcome->figures) : std::nullopt;
}

py::object Coverage(const std::string& methodName, std::optional<std::uint64_t> seed,
                    const py::kwargs& keywords) {
    const CoverageMethod method = ChoiceNamed(kMethods, methodName, "method", "method: ");
    constexpr std::array<std::string_view, 2> kOwnKeywords{"method", "seed"};
    const MeasurementSetup setup = SetupFromKeywords(keywords, "coverage", kOwnKeywords);
    const UncertaintyBudget budget = EvaluateBudget(setup);
    const std::optional<CoverageFigures> figures = Figures(setup, budget, method, seed);
    if (!figures) {
        return py::none();
    }
    // In the order and units of tarvex-budget's coverage columns.
    const std::vector<std::string> columns = CoverageColumns(method);
    py::dict result;
    result[py::str(columns[0])] = ValueInUnit(figures->coverageOfMU, ResultUnit::percent);
    result[py::str(columns[1])] = ValueInUnit(ShownHalfWidth95(*figures, budget, setup.unit), setup.unit);
    result[py::str(columns[2])] = figures->k95;
    if (method == CoverageMethod::monteCarlo) {
        result[py::str(columns[3])] = figures->trials;
    }
    return result;
}

} // namespace

void AddCoverage(py::module_& module) {
    module.def(
        "coverage", &Coverage, py::arg("method") = std::string(CoverageMethodKeyword(CoverageMethod::exact)),
        py::arg("seed") = py::none(),
        "coverage(method='exact', seed=None, **setup) -> dict | None\n\n"
        "What the expanded uncertainty MU (k = 2) of the setup's budget covers, and the 95 % interval,\n"
        "from the distribution of the total error, as tarvex-budget --coverage writes them:\n"
        "coverage_of_MU (percent), half_width_95 (in the result unit, as MU is given), k95 and, by\n"
        "Monte Carlo, trials. method is 'exact' or 'montecarlo'; seed sets the Monte Carlo generator\n"
        "(left out: tarvex-budget's, so that the figures equal its own). The setup as budget() takes\n"
        "it. None when the budget has no distribution (no contribution ticked, or all zero).");
}

} // namespace tarvex::python
