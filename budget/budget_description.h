#pragma once

#include "budget/measurement_setup.h"
#include "budget/number_format.h"
#include "budget/uncertainty_budget.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

// The title of the program, of its main window and of every document it writes.
inline constexpr std::string_view kProgramTitle = "Measurement Uncertainty Analysis Tarvex, Rev. 1.0";

// The budget table's column headings, as the window and every document show them.
inline constexpr std::string_view kInfluenceQuantityHeading = "Influence Quantity";
inline constexpr std::string_view kStandardUncertaintyHeading = "Standard Uncertainty";
inline constexpr std::string_view kIncludedHeading = "Included";

// A contribution's inclusion as documents write it: "yes" or "no".
std::string_view IncludedText(bool included);

// A caption with the unit of its numbers in parentheses, as a heading over numbers without their unit:
// "Standard Uncertainty (dB)", "Frequency (GHz)"; the caption alone when there is no unit.
std::string CaptionWithUnit(std::string_view caption, std::string_view unit);

// One row of a described budget: a caption, the text the window shows for it and, when that text is a
// number with or without a unit, the number as shown.
struct DescribedRow {
    std::string caption;
    std::string text;
    std::optional<ShownNumber> number{};
};

// One contribution row: its caption as the window shows it (the mismatch caption carries the mode), its
// value text and whether it is included in the combined uncertainty.
struct DescribedContribution {
    Contribution key;
    std::string caption;
    std::string text;
    bool included;
    std::optional<ShownNumber> number{};
};

// One included contribution's share of the combined variance, u²/uc²: the fraction (0 ... 1) for drawing
// a bar and its text in percent with one decimal ("57.3 %").
struct DescribedShare {
    Contribution key;
    std::string caption;
    double fraction;
    std::string text;
};

// A whole budget as the window shows it, for the clipboard, reports, print-outs and the command line's
// table. Every text is one the window writes (read-outs and result labels, with the given decimal
// separator), with the leading blank of a result pattern dropped, so that a document can never disagree
// with the screen; nothing here formats a number of its own.
struct BudgetDescription {
    std::vector<DescribedRow> inputs;                 // sensor ... linearity treatment, document names
    std::vector<DescribedContribution> contributions; // the twelve rows in the window's order
    DescribedRow combined;                            // combined standard uncertainty
    DescribedRow expanded;                            // expanded uncertainty (k = 2), caption by unit
    std::optional<DescribedRow> systematic;           // only while the window shows the systematic row
    std::vector<DescribedShare> shares;               // included contributions, largest share first
    std::string valueUnit;                            // of every number in the budget table: dB or %
};

BudgetDescription DescribeBudget(const MeasurementSetup& setup, const UncertaintyBudget& budget,
                                 std::string_view decimalSeparator = ".");

} // namespace tarvex
