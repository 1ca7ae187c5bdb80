#include "budget/budget_description.h"

#include "budget/batch_columns.h"
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

// The unit that the budget table's numbers share, from the first that reads as a number.
std::string ValueUnit(const std::vector<DescribedContribution>& rows) {
    for (const DescribedContribution& row : rows) {
        if (row.number) {
            return row.number->unit;
        }
    }
    return {};
}

// The inputs that are list entries, first in the description: sensor, basic unit and resolution. They stay
// texts in every language, the resolution "0.01 dB" too, which names an entry of its list.
constexpr std::size_t kListEntries = 3;

// The numbers behind the shown texts, read back with the separator they were written with.
void ReadNumbers(BudgetDescription& description, std::string_view decimalSeparator) {
    const auto read = [decimalSeparator](auto& row) {
        row.number = ReadShownNumber(row.text, decimalSeparator);
    };
    std::vector<DescribedRow>& inputs = description.inputs;
    std::for_each(inputs.begin() + static_cast<std::ptrdiff_t>(std::min(kListEntries, inputs.size())),
                  inputs.end(), read);
    std::ranges::for_each(description.contributions, read);
    read(description.combined);
    read(description.expanded);
    if (description.systematic) {
        read(*description.systematic);
    }
    description.valueUnit = ValueUnit(description.contributions);
}

} // namespace

std::string_view IncludedText(bool included) {
    return included ? "yes" : "no";
}

std::string CaptionWithUnit(std::string_view caption, std::string_view unit) {
    std::string text(caption);
    if (!unit.empty()) {
        text.append(" (").append(unit).append(")");
    }
    return text;
}

BudgetDescription DescribeBudget(const MeasurementSetup& setup, const UncertaintyBudget& budget,
                                 std::string_view decimalSeparator) {
    const ImpedanceReadouts impedance = ImpedanceReadoutDb(setup.returnLossDb, decimalSeparator);
    BudgetDescription description;
    description.inputs = {
        {"Power Sensor", setup.sensor},
        {"Basic Unit", setup.basicUnit},
        {"Resolution", setup.resolution},
        {"Frequency", FrequencyReadoutGHz(setup.frequency, decimalSeparator)},
        {"Level", LevelReadout(setup.level, decimalSeparator)},
        {"Power", PowerReadout(setup.level, decimalSeparator)},
        {"Return Loss", impedance.returnLoss},
        {"Reflection Coefficient", impedance.reflectionCoefficient},
        {"VSWR", impedance.vswr},
        {"Filter No.", FilterReadout(setup.filterNumber)},
        {"Harmonics 2f", HarmonicReadout(setup.harmonic2f)},
        {"Harmonics 3f", HarmonicReadout(setup.harmonic3f)},
        {"Lower Temp. Limit", TemperatureReadout(setup.tempMin)},
        {"Upper Temp. Limit", TemperatureReadout(setup.tempMax)},
        // The settings in the command line's keywords.
        {"Sensor Match", std::string(MismatchKeyword(setup.mismatchMode))},
        {"Frequency dep. Linearity Error", std::string(LinearityKeyword(setup.fdLinSystematic))},
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
    ReadNumbers(description, decimalSeparator);
    return description;
}

} // namespace tarvex
