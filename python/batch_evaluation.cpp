// budgets(): many setups at once, as columns, with the command line's checks, numbers and messages.

#include "python/bindings.h"
#include "python/column_source.h"
#include "python/result_numbers.h"
#include "python/setup_arguments.h"
#include "python/value_text.h"

#include "budget/batch_columns.h"
#include "budget/input_table.h"
#include "cli/field_text.h"
#include "cli/setup_inputs.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <limits>
#include <span>
#include <unordered_map>
#include <utility>

namespace py = pybind11;

namespace tarvex::python {
namespace {

constexpr std::size_t kResultCount = kContributionCount + 3; // u_<key> ..., uc, MU, systematic_error
// Rows evaluated between two takes of the GIL: enough that taking it costs nothing (a microsecond in a
// millisecond), few enough that a chunk's prepared texts are still in the cache when its rows are read
// (5 % faster than 16,384 rows a chunk).
constexpr std::size_t kChunkRows = 1024;
constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// The columns of a call: the inputs by position among the setup's inputs, and those passed through to the
// result as given (the id, and columns the batch does not know), each as one array of the call's length.
struct InputColumns {
    std::array<ColumnSource, cli::kSetupInputCount> inputs;
    py::object id;
    std::vector<std::pair<std::string, py::object>> carried;
    std::size_t rows = 1;
};

bool IsResultColumn(std::string_view name) {
    static const std::vector<std::string> columns = BatchResultColumns(CoverageMethod::monteCarlo);
    return std::ranges::any_of(
        columns, [name](const std::string& column) { return cli::SameIgnoringCase(name, column); });
}

// Every sequence column must have the same length; one value for all rows counts for any length.
std::size_t CommonRows(const InputColumns& columns, const py::handle idValue) {
    std::string lengths;
    std::optional<std::size_t> rows;
    bool differ = false;
    const auto note = [&](std::string_view name, std::size_t count) {
        differ = differ || (rows && *rows != count);
        rows = rows.value_or(count);
        lengths.append(lengths.empty() ? "" : ", ").append(name).append(" ").append(std::to_string(count));
    };
    if (idValue && !IsSingleValue(idValue)) {
        note(kBatchInputColumns.front(), py::len(idValue));
    }
    for (const auto& [name, value] : columns.carried) {
        if (!IsSingleValue(value)) {
            note(name, py::len(value));
        }
    }
    for (std::size_t i = 0; i < cli::kSetupInputCount; ++i) {
        if (const std::optional<std::size_t> count = columns.inputs[i].Rows()) {
            note(cli::ColumnNames()[i], *count);
        }
    }
    if (differ) {
        throw py::value_error("the columns differ in length (rows: " + lengths + ")");
    }
    return rows.value_or(1);
}

// A passed-through column as an array of the call's length.
py::object PassedArray(const py::object& value, std::size_t rows) {
    const py::module_ numpy = py::module_::import("numpy");
    return IsSingleValue(value) ? numpy.attr("full")(rows, value, "O") : numpy.attr("asarray")(value);
}

// Column names as the command line reads a header: in any letter case and with blanks around. A name it
// does not know is carried through, unless it looks like a mistyped input column.
InputColumns ReadColumns(py::handle mapping) {
    if (!py::hasattr(mapping, "keys")) {
        throw py::type_error("budgets() takes a mapping of column name to values (a dict or a DataFrame)");
    }
    InputColumns columns;
    py::object idValue;
    std::array<bool, kBatchInputColumns.size()> seen{};
    for (const py::handle key : mapping.attr("keys")()) {
        if (!py::isinstance<py::str>(key)) {
            throw py::type_error("column names must be str, not " +
                                 std::string(py::str(key.get_type().attr("__name__"))));
        }
        const auto given = key.cast<std::string>();
        const std::string_view name = cli::Trimmed(given);
        const py::object value = mapping[key];
        const auto* known = std::ranges::find_if(kBatchInputColumns, [name](std::string_view column) {
            return cli::SameIgnoringCase(name, column);
        });
        if (known == kBatchInputColumns.end()) {
            if (!IsResultColumn(name) && !cli::NearestChoice(name, kBatchInputColumns).empty()) {
                throw py::value_error(UnknownNameMessage("column", name, kBatchInputColumns));
            }
            if (!IsResultColumn(name)) { // an earlier result's columns are worked out afresh
                columns.carried.emplace_back(given, value);
            }
            continue;
        }
        const auto index = static_cast<std::size_t>(known - kBatchInputColumns.begin());
        if (std::exchange(seen[index], true)) {
            throw py::value_error("column " + std::string(*known) + " appears twice");
        }
        if (index == 0) {
            idValue = value;
        } else {
            columns.inputs[index - 1] = ColumnSource(*known, value);
        }
    }
    columns.rows = CommonRows(columns, idValue);
    if (idValue) {
        columns.id = PassedArray(idValue, columns.rows);
    }
    for (auto& [name, value] : columns.carried) {
        value = PassedArray(value, columns.rows);
    }
    return columns;
}

// A Python object array that is filled row by row; it starts with "" in every row.
class ObjectColumn {
public:
    explicit ObjectColumn(std::size_t rows)
        : m_array(py::module_::import("numpy").attr("full")(rows, "", "O"))
        , m_items(static_cast<PyObject**>(m_array.mutable_data())) {}

    // With the GIL.
    void Set(std::size_t row, py::handle text) {
        Py_SETREF(m_items[row], py::reinterpret_borrow<py::object>(text).release().ptr());
    }
    py::array& Array() { return m_array; }

private:
    py::array m_array;
    PyObject** m_items;
};

// The result arrays of a call: u_<key> ... systematic_error as float64 (exact) or as the window's texts
// (display), and the error texts. Rows are written without the GIL; the texts become Python objects,
// chunk by chunk, with it.
class ResultArrays {
public:
    ResultArrays(std::size_t rows, ValueStyle style)
        : m_style(style)
        , m_units(rows, kNoUnit)
        , m_errors(rows) {
        for (std::size_t i = 0; i < kResultCount; ++i) {
            if (style == ValueStyle::exact) {
                m_numbers.emplace_back(static_cast<py::ssize_t>(rows));
                m_numberData.push_back(m_numbers.back().mutable_data());
            } else {
                m_texts.emplace_back(rows);
            }
        }
    }

    // Without the GIL.
    void Valid(std::size_t row, const MeasurementSetup& setup, const UncertaintyBudget& budget) {
        m_units[row] = static_cast<std::uint8_t>(setup.unit);
        if (m_style == ValueStyle::display) {
            PendingRow& pending = NextPending(row, true);
            AssignBatchResultFields(setup, budget, m_style, pending.texts);
            return;
        }
        const ResultNumbers numbers = NumbersInUnit(setup, budget);
        for (std::size_t i = 0; i < kContributionCount; ++i) {
            m_numberData[i][row] = numbers.u[i];
        }
        m_numberData[kContributionCount][row] = numbers.uc;
        m_numberData[kContributionCount + 1][row] = numbers.MU;
        m_numberData[kContributionCount + 2][row] = numbers.systematicError.value_or(kNoValue);
    }
    void Invalid(std::size_t row, std::string_view problems) {
        for (double* column : m_numberData) {
            column[row] = kNoValue;
        }
        NextPending(row, false).texts.assign(1, std::string(problems));
    }

    // With the GIL: the chunk's texts into the object arrays.
    void Publish() {
        for (const PendingRow& pending : std::span(m_pending).first(m_pendingCount)) {
            if (!pending.valid) {
                m_errors.Set(pending.row, py::str(pending.texts.front()));
                continue;
            }
            for (std::size_t i = 0; i < kResultCount; ++i) {
                m_texts[i].Set(pending.row, Interned(pending.texts[i]));
            }
        }
        m_pendingCount = 0;
    }

    // The command line's columns: id, the carried ones, unit (empty for an invalid row), results, error.
    py::dict Take(const InputColumns& inputs) {
        py::dict result;
        if (inputs.id) {
            result[py::str(kBatchInputColumns.front())] = inputs.id;
        }
        for (const auto& [name, values] : inputs.carried) {
            result[py::str(name)] = values;
        }
        ObjectColumn units(m_units.size());
        const std::array<py::object, 2> keywords{py::str(std::string(UnitKeyword(ResultUnit::dB))),
                                                 py::str(std::string(UnitKeyword(ResultUnit::percent)))};
        for (std::size_t row = 0; row < m_units.size(); ++row) {
            if (m_units[row] != kNoUnit) {
                units.Set(row, keywords[m_units[row]]);
            }
        }
        result[py::str(std::string(InfoOf(Input::unit).column))] = units.Array();
        const std::vector<std::string> columns = BatchResultColumns();
        for (std::size_t i = 0; i < kResultCount; ++i) {
            result[py::str(columns[i])] =
                m_style == ValueStyle::exact ? py::object(m_numbers[i]) : py::object(m_texts[i].Array());
        }
        result[py::str(columns.back())] = m_errors.Array();
        return result;
    }

private:
    // A valid row's texts (display), or an invalid row's error alone.
    struct PendingRow {
        std::size_t row = 0;
        bool valid = false;
        std::vector<std::string> texts;
    };

    PendingRow& NextPending(std::size_t row, bool valid) {
        if (m_pendingCount == m_pending.size()) {
            m_pending.emplace_back();
        }
        PendingRow& pending = m_pending[m_pendingCount++];
        pending.row = row;
        pending.valid = valid;
        return pending;
    }

    // The few distinct texts of a display column are shared rather than made again for every row.
    py::handle Interned(const std::string& text) {
        auto [place, added] = m_interned.try_emplace(text);
        if (added) {
            place->second = py::str(text);
        }
        return place->second;
    }

    static constexpr std::uint8_t kNoUnit = 0xFF; // an invalid row's

    ValueStyle m_style;
    std::vector<std::uint8_t> m_units; // each row's ResultUnit, written without the GIL
    std::vector<py::array_t<double>> m_numbers;
    std::vector<double*> m_numberData; // their memory, written without the GIL
    std::vector<ObjectColumn> m_texts;
    ObjectColumn m_errors;
    std::vector<PendingRow> m_pending; // the first m_pendingCount are this chunk's; all keep their storage
    std::size_t m_pendingCount = 0;
    std::unordered_map<std::string, py::object> m_interned;
};

// Reads and evaluates rows first ... first + count - 1, without the GIL.
void EvaluateChunk(InputColumns& columns, std::size_t first, std::size_t count, ResultArrays& results) {
    MeasurementSetup setup;
    std::string problems;
    cli::SetupTexts texts{};
    cli::SetupNumbers numbers{};
    std::array<bool, cli::kSetupInputCount> numeric{};
    std::ranges::transform(columns.inputs, numeric.begin(), &ColumnSource::Numeric);
    for (std::size_t row = first; row < first + count; ++row) {
        for (std::size_t i = 0; i < cli::kSetupInputCount; ++i) {
            // Numbers of numeric columns are neither written nor read as texts.
            numbers[i] = numeric[i] ? columns.inputs[i].Number(row) : std::nullopt;
            texts[i] = numbers[i] ? std::string_view() : columns.inputs[i].Text(row);
        }
        problems.clear();
        cli::ReadSetup(texts, numbers, cli::ColumnNames(), setup, problems);
        if (problems.empty()) {
            results.Valid(row, setup, EvaluateBudget(setup));
        } else {
            results.Invalid(row, problems);
        }
    }
}

constexpr std::array<NamedChoice<ValueStyle>, 2> kStyles{
    {{ValueStyleKeyword(ValueStyle::exact), ValueStyle::exact},
     {ValueStyleKeyword(ValueStyle::display), ValueStyle::display}}};

py::dict Budgets(const py::handle mapping, const std::string& values) {
    const ValueStyle style = ChoiceNamed(kStyles, values, "style", "values: ");
    InputColumns columns = ReadColumns(mapping);
    ResultArrays results(columns.rows, style);
    for (std::size_t first = 0; first < columns.rows; first += kChunkRows) {
        const std::size_t count = std::min(kChunkRows, columns.rows - first);
        for (ColumnSource& column : columns.inputs) {
            column.Prepare(first, count);
        }
        {
            const py::gil_scoped_release release;
            EvaluateChunk(columns, first, count, results);
        }
        results.Publish();
    }
    return results.Take(columns);
}

} // namespace

void AddBatch(py::module_& module) {
    module.def(
        "budgets", &Budgets, py::arg("columns"),
        py::arg("values") = std::string(ValueStyleKeyword(ValueStyle::exact)),
        "budgets(columns, values='exact') -> dict[str, numpy.ndarray]\n\n"
        "The budgets of many setups at once, as tarvex-budget --batch gives them, row for row.\n\n"
        "columns maps batch column names (id, sensor, frequency_ghz, level_dbm, ...: those of\n"
        "budget(), in any letter case) to a NumPy array, a list or any sequence, or to one value for\n"
        "every row; a dict or a pandas DataFrame. A column left out, an empty text, None or NaN has the\n"
        "start value; other columns are carried through, unless a name looks like a mistyped input.\n"
        "The result maps id (when given), the carried columns, unit, u_cal ... u_Harmonics3f, uc, MU,\n"
        "systematic_error and error to arrays of the same length: numbers as float64 in each row's\n"
        "unit (NaN where the row is invalid, and systematic_error where the window hides it), or with\n"
        "values='display' the window's texts; error holds the command line's message for an invalid\n"
        "row and '' for a valid one. Invalid rows never raise. Columns of different lengths raise\n"
        "ValueError, a mistyped column name too. pandas.DataFrame(result) is the command line's table.\n"
        "The evaluation runs without the GIL, so that other threads go on meanwhile.");
}

} // namespace tarvex::python
