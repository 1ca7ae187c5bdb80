#pragma once

#include <string>
#include <string_view>

namespace tarvex {

// Every CSV file the programs write: comma-separated fields and CRLF line ends, as RFC 4180 has it.
inline constexpr char kCsvSeparator = ',';
inline constexpr std::string_view kCsvLineEnd = "\r\n";

// Whether a spreadsheet would take the text for a formula: it begins with '=', '+', '-', '@', a tab or a
// carriage return and is not a number ("-40" and "+1.5e3" are numbers; "-0.5 dB" and "=1+1" are not).
bool LooksLikeFormula(std::string_view text);

// Appends `text` as one field. A text that looks like a formula gets a leading apostrophe, which
// spreadsheets show as text and never run (ids and carried-through columns come from outside). The field
// is quoted only when it must be: when it holds a comma, quote, carriage return or line feed, or begins or
// ends with a blank or tab that a reader would drop; a quote inside is doubled.
void AppendCsvField(std::string& line, std::string_view text);

// The same as a string of its own.
std::string CsvField(std::string_view text);

} // namespace tarvex
