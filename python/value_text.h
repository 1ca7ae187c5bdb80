#pragma once

#include <pybind11/pybind11.h>

#include <string>

namespace tarvex::python {

// The text that a Python value stands for in a setup's input, as a batch field would hold it: None and
// NaN are an empty field (the start state's value), a str is itself, a float its shortest decimal that
// reads back to the same number, an int its digits; a list or tuple (the keys of `exclude`) its items
// separated by blanks. Anything else is its str(), which the checks then name if it is not allowed.
void AssignValueText(pybind11::handle value, std::string& text);
std::string ValueText(pybind11::handle value);

// Whether a column value is one value for every row rather than one per row: a str, bytes, None, a
// number, or a NumPy scalar or zero-dimensional array.
bool IsSingleValue(pybind11::handle value);

} // namespace tarvex::python
