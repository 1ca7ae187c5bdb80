#pragma once

#include "budget/measurement_setup.h"

#include <pybind11/pybind11.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarvex::python {

// The position of a batch input column (sensor ... unit, without id) among a setup's inputs.
std::optional<std::size_t> InputPosition(std::string_view column);

// "unknown <what> 'name' (did you mean <nearest>?)", or with every choice listed when none is near.
std::string UnknownNameMessage(std::string_view what, std::string_view name,
                               std::span<const std::string_view> choices);

// A name that an argument takes and what it stands for.
template <typename Value> struct NamedChoice {
    std::string_view name;
    Value value;
};

// What `name` stands for among `choices`; else ValueError with `context` before the UnknownNameMessage
// for `what`.
template <typename Value, std::size_t N>
Value ChoiceNamed(const std::array<NamedChoice<Value>, N>& choices, std::string_view name,
                  std::string_view what, std::string_view context = {}) {
    for (const NamedChoice<Value>& choice : choices) {
        if (choice.name == name) {
            return choice.value;
        }
    }
    std::array<std::string_view, N> names{};
    std::ranges::transform(choices, names.begin(), &NamedChoice<Value>::name);
    throw pybind11::value_error(std::string(context) + UnknownNameMessage(what, name, names));
}

// A setup from keyword arguments named like the batch's input columns; every one may be left out and
// then has the start state's value. An unknown keyword raises TypeError naming the nearest valid one
// among the function's own keywords (`own`, such as sweep's axis) and the inputs (`function` names the
// caller in the message); a value that is not allowed raises ValueError with the command line's message
// for that column.
MeasurementSetup SetupFromKeywords(const pybind11::kwargs& keywords, std::string_view function,
                                   std::span<const std::string_view> own = {});

} // namespace tarvex::python
