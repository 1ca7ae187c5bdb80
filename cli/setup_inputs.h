#pragma once

#include "budget/measurement_setup.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace tarvex::cli {

// The inputs of one setup as texts, in the order of the batch's input columns after the id (sensor ...
// unit). The command line's options and a batch row both fill these, each with its own names for the
// messages: "--level" on the command line, "level_dbm" in a batch.
inline constexpr std::size_t kSetupInputCount = 15;
using SetupTexts = std::array<std::string_view, kSetupInputCount>;
using SetupInputNames = std::array<std::string_view, kSetupInputCount>;

// The batch's column names and the command line's option names of the fifteen inputs.
const SetupInputNames& ColumnNames();
const SetupInputNames& OptionNames();

// Builds a setup from its texts. An empty (or blank) text keeps the start state's value. Every input is
// checked against the core's lists and limits, as the window's controls limit them; each problem is
// appended to `problems` (separated by "; ") as "name: what is wrong and what is allowed". The setup is
// usable only when no problem was added. `setup` is overwritten, so a caller may reuse one object.
void ReadSetup(const SetupTexts& texts, const SetupInputNames& names, MeasurementSetup& setup,
               std::string& problems);

// The text without the blanks (spaces and tabs) around it.
std::string_view Trimmed(std::string_view text);

// Whether text is well-formed UTF-8 (no overlong forms, surrogates or code points above U+10FFFF).
bool IsUtf8(std::string_view text);

// A text shortened for a message: blanks around it dropped, control characters (and every byte of text
// that is not UTF-8) escaped, and cut after 40 characters with an ellipsis.
std::string Quoted(std::string_view text);

// The closest of `choices` to a mistyped `text`: the one that is the same apart from letter case, blanks,
// hyphens and underscores; else the only one that is one edit away or begins with the text. Empty when
// there is none.
std::string_view NearestChoice(std::string_view text, std::span<const std::string_view> choices);

} // namespace tarvex::cli
