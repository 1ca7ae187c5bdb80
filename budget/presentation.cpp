#include "budget/presentation.h"

#include "budget/number_format.h"

namespace tarvex {

namespace {

// The number patterns of one result column.
struct ColumnPatterns {
    std::string_view contribution;
    std::string_view uc;
    std::string_view MU;
    std::string_view systematicError;
};

constexpr ColumnPatterns kDbPatterns{"0.000 dB", " 0.000 dB", "0.00 dB", "0.000 dB"};
constexpr ColumnPatterns kPercentPatterns{"0.00 %", " 0.00 %", "0.0 %", "0.0 %"};

} // namespace

// In percent every value is converted on its own, so the contributions do not combine by root-sum-square
// into uc, and MU is twice the percent value of uc rather than the percent value of 2 uc.
ResultValues ShownValues(const UncertaintyBudget& budget, ResultUnit unit) {
    const bool percent = unit == ResultUnit::percent;
    const auto shown = [percent](double dB) { return percent ? dB_to_pc(dB) : dB; };
    ResultValues values;
    for (std::size_t i = 0; i < kContributionCount; ++i) {
        values.u[i] = shown(budget.u[i]);
    }
    values.uc = shown(budget.uc);
    values.MU = percent ? 2.0 * values.uc : budget.MU;
    values.systematicError = shown(budget.systematicError);
    return values;
}

ResultTexts PresentBudget(const UncertaintyBudget& budget, ResultUnit unit,
                          std::string_view decimalSeparator) {
    const ColumnPatterns& patterns = unit == ResultUnit::percent ? kPercentPatterns : kDbPatterns;
    const ResultValues values = ShownValues(budget, unit);
    ResultTexts texts;
    for (std::size_t i = 0; i < kContributionCount; ++i) {
        texts.u[i] = FormatNumber(values.u[i], patterns.contribution, decimalSeparator);
    }
    texts.uc = FormatNumber(values.uc, patterns.uc, decimalSeparator);
    texts.MU = FormatNumber(values.MU, patterns.MU, decimalSeparator);
    texts.systematicError = FormatNumber(values.systematicError, patterns.systematicError, decimalSeparator);
    return texts;
}

std::string_view ExpandedCaption(ResultUnit unit) {
    return unit == ResultUnit::percent ? "Expanded Uncertainty of Power (k=2)"
                                       : "Expanded Uncertainty of Level (k=2)";
}

std::string_view SystematicCaption(ResultUnit unit) {
    return unit == ResultUnit::percent ? "Systematic Error of Power" : "Systematic Error of Level";
}

std::string_view MismatchCaption(MismatchMode mode) {
    return mode == MismatchMode::probable ? kMismatchProbableCaption : kMismatchConservativeCaption;
}

std::string_view ExpandedPattern(ResultUnit unit) {
    return unit == ResultUnit::percent ? kPercentPatterns.MU : kDbPatterns.MU;
}

} // namespace tarvex
