#include "python/column_source.h"

#include "python/value_text.h"

#include <pybind11/numpy.h>

#include <charconv>
#include <cmath>
#include <type_traits>

namespace py = pybind11;

namespace tarvex::python {
namespace {

// The UTF-8 form of a code point; those that have none (surrogates, beyond U+10FFFF) become U+FFFD.
void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80U) {
        out.push_back(static_cast<char>(c));
        return;
    }
    if ((c >= 0xD800U && c <= 0xDFFFU) || c > 0x10FFFFU) {
        c = 0xFFFDU;
    }
    const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
    if (c < 0x800U) {
        out.push_back(byte(0xC0U | (c >> 6U)));
    } else if (c < 0x10000U) {
        out.push_back(byte(0xE0U | (c >> 12U)));
        out.push_back(byte(0x80U | ((c >> 6U) & 0x3FU)));
    } else {
        out.push_back(byte(0xF0U | (c >> 18U)));
        out.push_back(byte(0x80U | ((c >> 12U) & 0x3FU)));
        out.push_back(byte(0x80U | ((c >> 6U) & 0x3FU)));
    }
    out.push_back(byte(0x80U | (c & 0x3FU)));
}

// A column that is not an array yet: a pandas column or anything else with __array__ becomes one; a
// list, tuple or other sequence stays a sequence of Python objects.
bool IsArrayLike(py::handle value) {
    return py::isinstance<py::array>(value) || py::hasattr(value, "__array__");
}

// Whole numbers up to this size are written alike as digits and as their shortest decimal (100000 is
// written 1e+05), so that a message names them as their text would; all larger ones are out of range of
// every number input and take the text's way.
constexpr std::int64_t kPlainWholeLimit = 9999;

template <typename Whole> std::optional<double> PlainWhole(Whole value) {
    bool plain = value <= static_cast<Whole>(kPlainWholeLimit);
    if constexpr (std::is_signed_v<Whole>) {
        plain = plain && value >= -kPlainWholeLimit;
    }
    return plain ? std::optional(static_cast<double>(value)) : std::nullopt;
}

// One value for all rows as a number, when it is a Python float (NumPy's float64 too) or int.
std::optional<double> SingleNumber(py::handle value) {
    PyObject* object = value.ptr();
    if (PyFloat_Check(object)) {
        const double number = PyFloat_AS_DOUBLE(object);
        return std::isfinite(number) ? std::optional(number) : std::nullopt;
    }
    if (PyLong_Check(object) && !PyBool_Check(object)) {
        int overflow = 0;
        const long long whole = PyLong_AsLongLongAndOverflow(object, &overflow);
        return overflow == 0 ? PlainWhole(static_cast<std::int64_t>(whole)) : std::nullopt;
    }
    return std::nullopt;
}

// A str's UTF-8 form where it stands; null (with a Python error set) when it has none. An ASCII text, as
// nearly every field is, is its own UTF-8 form and is read without a call.
const char* Utf8Of(PyObject* text, Py_ssize_t& size) {
    if (PyUnicode_IS_COMPACT_ASCII(text)) {
        size = PyUnicode_GET_LENGTH(text);
        return static_cast<const char*>(PyUnicode_DATA(text));
    }
    return PyUnicode_AsUTF8AndSize(text, &size);
}

} // namespace

void PrepareNumpy() {
    const py::array_t<double> doubles(0);
    const py::array_t<std::int64_t> integers(0);
    const py::array_t<std::uint64_t> naturals(0);
    const py::dtype objects("O");
    ValueText(py::module_::import("numpy").attr("float32")(0)); // looks up numpy.floating
}

ColumnSource::ColumnSource(std::string_view column, py::handle value) {
    if (IsSingleValue(value)) {
        m_text = ValueText(value);
        m_single = SingleNumber(value);
        return;
    }
    if (IsArrayLike(value)) {
        ReadArray(column, py::module_::import("numpy").attr("asarray")(value));
        return;
    }
    m_keep = py::reinterpret_steal<py::object>(PySequence_Fast(value.ptr(), "a column must be a sequence"));
    if (!m_keep) {
        throw py::error_already_set();
    }
    m_kind = Kind::objects;
    m_rows = static_cast<std::size_t>(PySequence_Fast_GET_SIZE(m_keep.ptr()));
}

void ColumnSource::ReadArray(std::string_view column, py::handle value) {
    auto array = py::reinterpret_borrow<py::array>(value);
    if (array.ndim() != 1) {
        throw py::value_error(std::string(column) + ": a column must be one-dimensional, this one has " +
                              std::to_string(array.ndim()) + " dimensions");
    }
    const char kind = array.dtype().kind();
    if (kind == 'f') {
        array = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(array);
        m_kind = Kind::float64;
    } else if (kind == 'i') {
        array = py::array_t<std::int64_t, py::array::c_style | py::array::forcecast>::ensure(array);
        m_kind = Kind::int64;
    } else if (kind == 'u') {
        array = py::array_t<std::uint64_t, py::array::c_style | py::array::forcecast>::ensure(array);
        m_kind = Kind::uint64;
    } else if (kind == 'U' || kind == 'S') {
        array = py::module_::import("numpy").attr("ascontiguousarray")(array);
        m_kind = kind == 'U' ? Kind::ucs4 : Kind::bytes;
    } else {
        array = array.attr("astype")(py::dtype("O"), py::arg("copy") = false); // objects stay as they are
        m_kind = Kind::objects;
    }
    m_keep = array;
    m_data = static_cast<const char*>(array.data());
    m_itemSize = static_cast<std::size_t>(array.itemsize());
    m_rows = static_cast<std::size_t>(array.shape(0));
}

std::optional<std::size_t> ColumnSource::Rows() const {
    return m_kind == Kind::single ? std::nullopt : std::optional(m_rows);
}

void ColumnSource::Prepare(std::size_t first, std::size_t count) {
    if (m_kind != Kind::objects) {
        return;
    }
    PyObject* const* items =
        m_data != nullptr ? reinterpret_cast<PyObject* const*>(m_data) : PySequence_Fast_ITEMS(m_keep.ptr());
    m_prepared.clear();
    m_held.clear();
    m_converted.clear();
    m_preparedFirst = first;
    for (std::size_t row = first; row < first + count; ++row) {
        if (PyUnicode_Check(items[row])) {
            Py_ssize_t size = 0;
            if (const char* utf8 = Utf8Of(items[row], size)) {
                m_held.push_back(py::reinterpret_borrow<py::object>(items[row]));
                m_prepared.push_back({utf8, 0, static_cast<std::size_t>(size)});
                continue;
            }
            PyErr_Clear(); // lone surrogates have no UTF-8 form: converted below
        }
        AssignValueText(items[row], m_text);
        m_prepared.push_back({nullptr, m_converted.size(), m_text.size()});
        m_converted += m_text;
    }
}

std::optional<double> ColumnSource::Number(std::size_t row) const {
    const char* item = m_data + row * m_itemSize;
    switch (m_kind) {
    case Kind::single:
        return m_single;
    case Kind::float64: {
        const double value = *reinterpret_cast<const double*>(item);
        return std::isfinite(value) ? std::optional(value) : std::nullopt; // NaN: missing; inf: a text
    }
    case Kind::int64:
        return PlainWhole(*reinterpret_cast<const std::int64_t*>(item));
    case Kind::uint64:
        return PlainWhole(*reinterpret_cast<const std::uint64_t*>(item));
    default:
        return std::nullopt;
    }
}

bool ColumnSource::Numeric() const {
    return m_kind == Kind::float64 || m_kind == Kind::int64 || m_kind == Kind::uint64 || m_single;
}

std::string_view ColumnSource::ArrayText(std::size_t row) {
    const char* item = m_data + row * m_itemSize;
    const auto number = [this](auto value) {
        return std::string_view(m_number.data(),
                                std::to_chars(m_number.data(), m_number.data() + m_number.size(), value).ptr);
    };
    switch (m_kind) {
    case Kind::float64: {
        const double value = *reinterpret_cast<const double*>(item);
        return std::isnan(value) ? std::string_view() : number(value); // NaN: a missing value
    }
    case Kind::int64:
        return number(*reinterpret_cast<const std::int64_t*>(item));
    case Kind::uint64:
        return number(*reinterpret_cast<const std::uint64_t*>(item));
    case Kind::ucs4:
        m_text.clear();
        for (std::size_t i = 0; i < m_itemSize / 4; ++i) {
            const char32_t c = reinterpret_cast<const char32_t*>(item)[i];
            if (c == 0) {
                break; // the unused end of a fixed-width NumPy text
            }
            AppendUtf8(c, m_text);
        }
        return m_text;
    case Kind::bytes:
        return {item, std::string_view(item, m_itemSize).find('\0') == std::string_view::npos
                          ? m_itemSize
                          : std::string_view(item, m_itemSize).find('\0')};
    case Kind::single:
    case Kind::objects:
        break; // read by Text()
    }
    return {};
}

} // namespace tarvex::python
