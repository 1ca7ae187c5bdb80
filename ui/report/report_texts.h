#pragma once

#include <string_view>

// The texts and the bar colour that every rendering of a report shares (HTML page, PDF and paper), so
// that they read the same in each. The budget table's headings and the included marks are the core's
// (budget/budget_description.h).
namespace report_texts {

inline constexpr std::string_view kCreated = "Created";
inline constexpr std::string_view kInputsHeading = "Inputs and settings";
inline constexpr std::string_view kBudgetHeading = "Uncertainty budget";
inline constexpr std::string_view kSharesHeading = "Share of the combined variance (u\u00b2/uc\u00b2)";

// The variance bars' colour, 0xRRGGBB.
inline constexpr unsigned kBarColour = 0x3a6ea5;

} // namespace report_texts
