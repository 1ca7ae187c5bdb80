#pragma once

#include "budget/input_table.h"
#include "budget/measurement_setup.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex::cli {

// The inputs of one setup as texts, in the order of kSetupInputs (sensor ... unit). The command line's
// options and a batch row both fill these, each with its own names for the messages: "--level" on the
// command line, "level_dbm" in a batch.
inline constexpr std::size_t kSetupInputCount = kSetupInputs.size();
using SetupTexts = std::array<std::string_view, kSetupInputCount>;
using SetupInputNames = std::array<std::string_view, kSetupInputCount>;

// Where an input's text stands in SetupTexts (every input but the id).
constexpr std::size_t SetupSlot(Input input) {
    return Index(input) - 1;
}

// The batch's column names and the command line's option names of the fifteen inputs, from kInputs.
const SetupInputNames& ColumnNames();
const SetupInputNames& OptionNames();

// Builds a setup from its texts. An empty (or blank) text keeps the start state's value. Every input is
// checked against the core's lists and limits, as the window's controls limit them; each problem is
// appended to `problems` (separated by "; ") as "name: what is wrong and what is allowed". The setup is
// usable only when no problem was added. `setup` is overwritten, so a caller may reuse one object.
void ReadSetup(const SetupTexts& texts, const SetupInputNames& names, MeasurementSetup& setup,
               std::string& problems);

// Values already held as numbers (a numeric column of a program that calls the core), in the slots of
// SetupTexts. A number stands for its shortest decimal text and takes the place of the slot's text: a
// number input uses it as it is, with the very checks and messages that text would get, without writing
// and reading it; any other input (and a number that is not finite) reads the text.
using SetupNumbers = std::array<std::optional<double>, kSetupInputCount>;
void ReadSetup(const SetupTexts& texts, const SetupNumbers& numbers, const SetupInputNames& names,
               MeasurementSetup& setup, std::string& problems);

// For the command line's help: what an input allows ("0 ... 12", "probable or conservative", "inside
// the sensor's range") and its start value as a text ("TS-301", "none" for no exclusions).
std::string AllowedValues(Input input);
std::string StartValue(Input input);

} // namespace tarvex::cli
