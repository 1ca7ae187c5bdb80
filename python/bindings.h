#pragma once

#include <pybind11/pybind11.h>

namespace tarvex::python {

// Each adds its part of the module tarvex_uncertainty to `module`.
void AddBudget(pybind11::module_& module);    // Budget, budget()
void AddBatch(pybind11::module_& module);     // budgets()
void AddCatalogue(pybind11::module_& module); // sensors(), basic_units(), resolutions(), limits()
void AddSweep(pybind11::module_& module);     // sweep()
void AddCoverage(pybind11::module_& module);  // coverage()

} // namespace tarvex::python
