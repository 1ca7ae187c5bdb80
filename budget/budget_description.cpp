#include "budget/budget_description.h"

#include "budget/batch_columns.h"
#include "budget/input_table.h"
#include "budget/number_format.h"
#include "budget/presentation.h"
#include "budget/value_mappings.h"

#include <algorithm>
#include <cmath>

namespace tarvex {
namespace {

// A result label's text without the leading blank that some patterns carry (" 0.075 dB").
std::string WithoutLeadingBlank(std::string text) {
    if (!text.empty() && text.front() == ' ') {
        text.erase(0, 1);
    }
    return text;
}

// The shares of the combined variance, from the budget's dB values: uc is the root-sum-square of the
// included dB values, so their squares add up to uc² exactly (the percent values, each converted on its
// own, would not). Largest first; equal shares keep the window's order. None when uc is 0 or not finite.
std::vector<DescribedShare> VarianceShares(const std::vector<DescribedContribution>& rows,
                                           const UncertaintyBudget& budget,
                                           std::string_view decimalSeparator) {
    std::vector<DescribedShare> shares;
    const double variance = budget.uc * budget.uc;
    if (!(variance > 0.0) || !std::isfinite(variance)) {
        return shares;
    }
    for (const DescribedContribution& row : rows) {
        if (row.included) {
            const double u = budget.u[Index(row.key)];
            const double fraction = u * u / variance;
            if (!std::isfinite(fraction)) {
                continue; // only a budget not combined from its own values has one
            }
            shares.push_back(
                {row.key, row.caption, fraction, FormatNumber(fraction, "0.0 %", decimalSeparator)});
        }
    }
    std::stable_sort(shares.begin(), shares.end(), [](const DescribedShare& a, const DescribedShare& b) {
        return a.fraction > b.fraction;
    });
    return shares;
}

constexpr std::size_t kDensityPoints = 121;
constexpr double kDensityReachPerMU = 1.5;

} // namespace

BudgetDescription DescribeBudget(const MeasurementSetup& setup, const UncertaintyBudget& budget,
                                 std::string_view decimalSeparator) {
    const ImpedanceReadouts impedance = ImpedanceReadoutDb(setup.returnLossDb, decimalSeparator);
    BudgetDescription description;
    const auto captionOf = [](Input input) { return std::string(InfoOf(input).caption); };
    description.inputs = {
        {captionOf(Input::sensor), setup.sensor},
        {captionOf(Input::basicUnit), setup.basicUnit},
        {captionOf(Input::resolution), setup.resolution},
        {captionOf(Input::frequency), FrequencyReadoutGHz(setup.frequency, decimalSeparator)},
        {captionOf(Input::level), LevelReadout(setup.level, decimalSeparator)},
        {std::string(kPowerCaption), PowerReadout(setup.level, decimalSeparator)},
        {captionOf(Input::returnLoss), impedance.returnLoss},
        {std::string(kReflectionCoefficientCaption), impedance.reflectionCoefficient},
        {std::string(kVswrCaption), impedance.vswr},
        {captionOf(Input::filter), FilterReadout(setup.filterNumber)},
        {captionOf(Input::harmonic2f), HarmonicReadout(setup.harmonic2f)},
        {captionOf(Input::harmonic3f), HarmonicReadout(setup.harmonic3f)},
        {captionOf(Input::tempMin), TemperatureReadout(setup.tempMin)},
        {captionOf(Input::tempMax), TemperatureReadout(setup.tempMax)},
        // The settings in the command line's keywords.
        {captionOf(Input::mismatch), std::string(MismatchKeyword(setup.mismatchMode))},
        {captionOf(Input::fdLin), std::string(LinearityKeyword(setup.fdLinSystematic))},
    };

    const ResultTexts texts = PresentBudget(budget, setup.unit, decimalSeparator);
    for (const Contribution key : kTableOrder) {
        const std::string_view caption =
            key == Contribution::M ? MismatchCaption(setup.mismatchMode) : kContributions[Index(key)].caption;
        description.contributions.push_back({key, std::string(caption),
                                             WithoutLeadingBlank(texts.u[Index(key)]),
                                             setup.include[Index(key)] != 0});
    }
    description.combined = {std::string(kCombinedCaption), WithoutLeadingBlank(texts.uc)};
    description.expanded = {std::string(ExpandedCaption(setup.unit)), WithoutLeadingBlank(texts.MU)};
    if (budget.showSystematic) {
        description.systematic = DescribedRow{std::string(SystematicCaption(setup.unit)),
                                              WithoutLeadingBlank(texts.systematicError)};
    }
    description.shares = VarianceShares(description.contributions, budget, decimalSeparator);
    description.coverage = DescribeCoverage(setup, budget, CoverageMethod::exact, decimalSeparator);
    return description;
}

double ShownHalfWidth95(const CoverageFigures& figures, const UncertaintyBudget& budget, ResultUnit unit) {
    return unit == ResultUnit::percent ? figures.k95 * ShownValues(budget, unit).uc : figures.halfWidth95;
}

CoverageTexts CoverageFigureTexts(const CoverageFigures& figures, const UncertaintyBudget& budget,
                                  ResultUnit unit, std::string_view decimalSeparator) {
    return {FormatNumber(figures.coverageOfMU, "0.0 %", decimalSeparator),
            FormatNumber(ShownHalfWidth95(figures, budget, unit), ExpandedPattern(unit), decimalSeparator),
            FormatNumber(figures.k95, "0.00", decimalSeparator)};
}

std::optional<DescribedCoverage> DescribeCoverage(const MeasurementSetup& setup,
                                                  const UncertaintyBudget& budget, CoverageMethod method,
                                                  std::string_view decimalSeparator) {
    const std::vector<ErrorTerm> terms = BudgetErrorTerms(setup, budget);
    const std::optional<CoverageFigures> figures =
        method == CoverageMethod::exact ? ExactCoverage(terms) : BudgetCoverage(setup, budget, method);
    if (!figures) {
        return std::nullopt;
    }
    const CoverageTexts texts = CoverageFigureTexts(*figures, budget, setup.unit, decimalSeparator);
    const std::string expanded = WithoutLeadingBlank(PresentBudget(budget, setup.unit, decimalSeparator).MU);
    DescribedCoverage coverage;
    coverage.figures = *figures;
    coverage.coverageOfMU = {"Coverage of ±U", texts.coverageOfMU};
    coverage.interval95 = {"95 % Coverage Interval", "±" + texts.halfWidth95 + " (k = " + texts.k95 + ")"};
    if (method == CoverageMethod::monteCarlo) {
        coverage.trials = DescribedRow{"Monte Carlo Trials", std::to_string(figures->trials)};
    }
    coverage.caption = "±" + expanded + " (k = 2) covers " + texts.coverageOfMU + "; the 95 % interval is " +
                       coverage.interval95.text;
    coverage.sentence =
        "The expanded uncertainty is the combined standard uncertainty multiplied by the coverage "
        "factor k = 2. Taken as the sum of independent errors of their distributions (normal, "
        "rectangular or U-shaped), the ticked contributions give a total error of which ±" +
        expanded + " covers " + texts.coverageOfMU + "; the symmetric interval that covers 95 % is " +
        coverage.interval95.text + ".";
    coverage.MU = 2.0 * figures->halfWidth95 / figures->k95;
    const double reach = kDensityReachPerMU * coverage.MU;
    coverage.density = ExactDensityCurve(terms, -reach, reach, kDensityPoints);
    return coverage;
}

} // namespace tarvex
