#pragma once

#include "budget/measurement_setup.h"
#include "budget/program_info.h"
#include "budget/uncertainty_budget.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

// One row of a described budget: a caption and the text the window shows for it.
struct DescribedRow {
    std::string caption;
    std::string text;
};

// One contribution row: its caption as the window shows it (the mismatch caption carries the mode), its
// value text and whether it is included in the combined uncertainty.
struct DescribedContribution {
    Contribution key;
    std::string caption;
    std::string text;
    bool included;
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
};

BudgetDescription DescribeBudget(const MeasurementSetup& setup, const UncertaintyBudget& budget,
                                 std::string_view decimalSeparator = ".");

} // namespace tarvex
