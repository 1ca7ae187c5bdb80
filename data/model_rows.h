#pragma once

#include <array>
#include <cstddef>
#include <optional>
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

// One figure of an identifier's row; no value for an unknown identifier.
template <typename Row, std::size_t N>
constexpr std::optional<double> ModelRowFigure(const std::array<Row, N>& rows, std::string_view model,
                                               double Row::*figure) {
    const Row* row = FindModelRow(rows, model);
    return row != nullptr ? std::optional<double>(row->*figure) : std::nullopt;
}

} // namespace tarvex
