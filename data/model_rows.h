#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tarvex {

// Every per-model table is an array of rows with a `model` identifier, listed in catalogue order.
// The row of an identifier is the first whose model matches exactly (case-sensitive, whole text);
// nothing is derived from the identifier's text itself.
template <typename Row, std::size_t N>
constexpr const Row* FindModelRow(const std::array<Row, N>& rows, std::string_view model) {
    for (const Row& row : rows) {
        // Identifiers share their "TS-" prefix and mostly differ in the last character: checking that
        // first spares most rows the full comparison, and a lookup may pass every row of its table.
        if (!model.empty() && row.model.back() == model.back() && row.model == model) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace tarvex
