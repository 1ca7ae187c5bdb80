#include "budget/budget_description.h"

#include "budget/presentation.h"
#include "budget/value_mappings.h"

namespace tarvex {
namespace {

// A result label's text without the leading blank that some patterns carry (" 0.075 dB").
std::string WithoutLeadingBlank(std::string text) {
    if (!text.empty() && text.front() == ' ') {
        text.erase(0, 1);
    }
    return text;
}

} // namespace

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
        {"Sensor Match", setup.mismatchMode == MismatchMode::probable ? "probable" : "conservative"},
        {"Frequency dep. Linearity Error", setup.fdLinSystematic ? "systematic" : "statistical"},
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
    return description;
}

} // namespace tarvex
