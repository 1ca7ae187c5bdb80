#pragma once

#include "budget/measurement_setup.h"

#include <pybind11/pybind11.h>

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

// A setup from keyword arguments named like the batch's input columns; every one may be left out and
// then has the start state's value. An unknown keyword raises TypeError naming the nearest valid one
// (`function` names the caller in the message); a value that is not allowed raises ValueError with the
// command line's message for that column.
MeasurementSetup SetupFromKeywords(const pybind11::kwargs& keywords, std::string_view function);

} // namespace tarvex::python
