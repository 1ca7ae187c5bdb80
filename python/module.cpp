// The module tarvex_uncertainty._core: the core's budget for Python. The package tarvex_uncertainty
// re-exports it with its documentation and type stub.

#include "python/bindings.h"
#include "python/column_source.h"

namespace py = pybind11;

PYBIND11_MODULE(_core, module) {
    // Every docstring begins with its own signature in Python's words (keyword arguments by name).
    py::options options;
    options.disable_function_signatures();
    module.doc() = "The compiled part of tarvex_uncertainty; import tarvex_uncertainty instead.";
    module.attr("__version__") = TARVEX_VERSION;
    tarvex::python::PrepareNumpy();
    tarvex::python::AddBudget(module);
    tarvex::python::AddBatch(module);
    tarvex::python::AddSweep(module);
    tarvex::python::AddCoverage(module);
    tarvex::python::AddCatalogue(module);
}
