#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace tarvex {

// Every per-model table is an array of rows with a `model` identifier, listed in catalogue order.
// The row of an identifier is the first whose model matches exactly (case-sensitive, whole text);
// nothing is derived from the identifier's text itself.
template <typename Row, std::size_t N>
constexpr const Row* FindModelRow(const std::array<Row, N>& rows, std::string_view model) {
    const auto row = std::ranges::find(rows, model, &Row::model);
    return row == rows.end() ? nullptr : &*row;
}

} // namespace tarvex
