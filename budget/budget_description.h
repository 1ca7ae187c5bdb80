#pragma once

#include "budget/coverage.h"
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

// What ±U covers and the 95 % interval, by the exact method (budget/coverage.h): two rows for tables, a
// caption ("±0.15 dB (k = 2) covers 99.7 %; the 95 % interval is ±0.11 dB (k = 1.47)") and the sentence of a
// report, and the density in dB for a plot with the marks at ±MU and at the interval's ends.
struct DescribedCoverage {
    DescribedRow coverageOfMU;          // "Coverage of ±U" / "99.7 %"
    DescribedRow interval95;            // "95 % Coverage Interval" / "±0.11 dB (k = 1.47)"
    std::optional<DescribedRow> trials; // "Monte Carlo Trials" / "20000", for the Monte Carlo method only
    std::string caption;
    std::string sentence;
    CoverageFigures figures;           // dB
    double MU = 0.0;                   // dB
    std::vector<DensityPoint> density; // dB and 1/dB, over ±1.5 MU
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
    std::optional<DescribedCoverage> coverage;        // none without a distribution (nothing ticked or all 0)
};

// DescribeBudget describes the coverage by the exact method.
BudgetDescription DescribeBudget(const MeasurementSetup& setup, const UncertaintyBudget& budget,
                                 std::string_view decimalSeparator = ".");

// The coverage of a budget by either method; none without a distribution.
std::optional<DescribedCoverage> DescribeCoverage(const MeasurementSetup& setup,
                                                  const UncertaintyBudget& budget, CoverageMethod method,
                                                  std::string_view decimalSeparator = ".");

// The 95 % half-width as the number the expanded uncertainty's pattern is given: dB, or in percent k95 times
// the combined uncertainty's fraction (as MU is 2 times it).
double ShownHalfWidth95(const CoverageFigures& figures, const UncertaintyBudget& budget, ResultUnit unit);

// Coverage figures as the description writes them: the coverage of ±U ("95.7 %"), the 95 % half-width
// written as the expanded uncertainty is ("0.14 dB", "5.2 %") and k95 ("1.94").
struct CoverageTexts {
    std::string coverageOfMU;
    std::string halfWidth95;
    std::string k95;
};
CoverageTexts CoverageFigureTexts(const CoverageFigures& figures, const UncertaintyBudget& budget,
                                  ResultUnit unit, std::string_view decimalSeparator = ".");

} // namespace tarvex
