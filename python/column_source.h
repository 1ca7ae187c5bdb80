#pragma once

#include <pybind11/pybind11.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::python {

// Looks up, once and with the GIL, what reading columns needs of NumPy. The module calls it when it is
// imported: looked up first inside budgets(), by two threads at once, the lookup could deadlock (one
// thread waiting for the other's lookup while holding the GIL that the lookup needs).
void PrepareNumpy();

// One input column of budgets(): the text of each row, read from a NumPy array, a pandas column, a list
// or one value for all rows. Numbers and NumPy texts are read straight from the array's memory, so
// without the GIL; a column of Python objects is turned into texts a chunk of rows at a time, with it.
class ColumnSource {
public:
    // An empty column: every row's text is empty (the start state's value).
    ColumnSource() = default;
    // Raises ValueError when the value is an array of more than one dimension.
    ColumnSource(std::string_view column, pybind11::handle value);

    // The number of rows; none for one value for all rows.
    std::optional<std::size_t> Rows() const;

    // With the GIL: makes the texts of rows first ... first + count - 1 ready where they need Python.
    void Prepare(std::size_t first, std::size_t count);

    // Without the GIL: the value of a row of a numeric array as a number, when the core may take it as
    // one (its text then reads alike); none for a missing value and for every other kind of column.
    std::optional<double> Number(std::size_t row) const;
    // Whether Number may give a number at all.
    bool Numeric() const;

    // Without the GIL: the text of a row (inside the prepared ones), valid until the next call. Inline for
    // the texts of Python objects and of one value for all rows, the common columns of a call.
    std::string_view Text(std::size_t row) {
        if (m_kind == Kind::objects) {
            const PreparedText& text = m_prepared[row - m_preparedFirst];
            return text.data != nullptr ? std::string_view(text.data, text.size)
                                        : std::string_view(m_converted).substr(text.offset, text.size);
        }
        return m_kind == Kind::single ? std::string_view(m_text) : ArrayText(row);
    }

private:
    enum class Kind : std::uint8_t { single, float64, int64, uint64, ucs4, bytes, objects };

    // The text of a row of a NumPy array.
    std::string_view ArrayText(std::size_t row);

    void ReadArray(std::string_view column, pybind11::handle value);

    Kind m_kind = Kind::single;
    pybind11::object m_keep; // the array or sequence that the pointers below point into
    const char* m_data = nullptr;
    std::size_t m_itemSize = 0;
    std::size_t m_rows = 0;
    std::optional<double> m_single;  // the single value when it is a number that the core may take
    std::string m_text;              // the single value, or the latest row's converted text
    std::array<char, 32> m_number{}; // the latest row's number as text
    // The prepared rows of an object column: a str is read where it stands, in its own UTF-8 form (held
    // here, so that a thread that changes the column meanwhile cannot free it); any other value's text
    // is written into m_converted.
    struct PreparedText {
        const char* data; // null: at `offset` in m_converted
        std::size_t offset;
        std::size_t size;
    };
    std::vector<PreparedText> m_prepared;
    std::vector<pybind11::object> m_held;
    std::string m_converted;
    std::size_t m_preparedFirst = 0;
};

} // namespace tarvex::python
