#include "python/value_text.h"

#include "budget/batch_columns.h"

#include <cmath>

namespace py = pybind11;

namespace tarvex::python {
namespace {

void AssignUtf8(PyObject* text, std::string& out) {
    Py_ssize_t size = 0;
    const char* data = PyUnicode_AsUTF8AndSize(text, &size);
    if (data != nullptr) {
        out.assign(data, static_cast<std::size_t>(size));
        return;
    }
    // Lone surrogates have no UTF-8 form: they become U+FFFD, which no input allows.
    PyErr_Clear();
    const auto encoded =
        py::reinterpret_steal<py::bytes>(PyUnicode_AsEncodedString(text, "utf-8", "replace"));
    out = encoded.cast<std::string>();
}

void AssignJoined(py::handle items, std::string& out) {
    out.clear();
    std::string item;
    for (const py::handle value : items) {
        AssignValueText(value, item);
        out.append(out.empty() || item.empty() ? "" : " ").append(item);
    }
}

// numpy.floating, looked up once and kept for the life of the process.
PyObject* NumpyFloating() {
    static PyObject* const floating =
        py::object(py::module_::import("numpy").attr("floating")).release().ptr();
    return floating;
}

// pandas.NA and pandas.NaT, the missing values of pandas' own column types; only when pandas is loaded.
bool IsPandasMissing(PyObject* object) {
    PyObject* pandas = PyImport_GetModule(py::str("pandas").ptr());
    if (pandas == nullptr) {
        PyErr_Clear();
        return false;
    }
    const auto module = py::reinterpret_steal<py::object>(pandas);
    return object == module.attr("NA").ptr() || object == module.attr("NaT").ptr();
}

// Any other value: pandas' missing values are an empty field, everything else its str().
void AssignOther(py::handle value, std::string& text) {
    if (IsPandasMissing(value.ptr())) {
        text.clear();
        return;
    }
    AssignUtf8(py::str(value).ptr(), text);
}

} // namespace

void AssignValueText(py::handle value, std::string& text) {
    PyObject* object = value.ptr();
    if (object == Py_None) {
        text.clear();
    } else if (PyUnicode_Check(object)) {
        AssignUtf8(object, text);
    } else if (PyFloat_Check(object)) {
        const double number = PyFloat_AS_DOUBLE(object);
        text = std::isnan(number) ? std::string() : ShortestDecimal(number);
    } else if (PyBytes_Check(object)) {
        text.assign(PyBytes_AS_STRING(object), static_cast<std::size_t>(PyBytes_GET_SIZE(object)));
    } else if (PyList_Check(object) || PyTuple_Check(object)) {
        AssignJoined(value, text);
    } else if (!PyBool_Check(object) && PyIndex_Check(object)) {
        AssignUtf8(py::str(py::reinterpret_steal<py::object>(PyNumber_Index(object))).ptr(), text);
    } else if (PyObject_IsInstance(object, NumpyFloating()) == 1) { // float32 and other NumPy floats
        AssignValueText(py::reinterpret_borrow<py::object>(value).cast<py::float_>(), text);
    } else {
        AssignOther(value, text);
    }
}

std::string ValueText(py::handle value) {
    std::string text;
    AssignValueText(value, text);
    return text;
}

bool IsSingleValue(py::handle value) {
    if (py::hasattr(value, "ndim")) { // NumPy arrays and scalars, pandas columns
        return value.attr("ndim").cast<int>() == 0;
    }
    return value.is_none() || py::isinstance<py::str>(value) || py::isinstance<py::bytes>(value) ||
           PyNumber_Check(value.ptr()) != 0;
}

} // namespace tarvex::python
