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
ResultTexts PresentBudget(const UncertaintyBudget& budget, ResultUnit unit,
                          std::string_view decimalSeparator) {
    const bool percent = unit == ResultUnit::percent;
    const ColumnPatterns& patterns = percent ? kPercentPatterns : kDbPatterns;
    const auto shown = [percent](double dB) { return percent ? dB_to_pc(dB) : dB; };
    const double shownUc = shown(budget.uc);

    ResultTexts texts;
    for (std::size_t i = 0; i < kContributionCount; ++i) {
        texts.u[i] = FormatNumber(shown(budget.u[i]), patterns.contribution, decimalSeparator);
    }
    texts.uc = FormatNumber(shownUc, patterns.uc, decimalSeparator);
    texts.MU = FormatNumber(percent ? 2.0 * shownUc : budget.MU, patterns.MU, decimalSeparator);
    texts.systematicError =
        FormatNumber(shown(budget.systematicError), patterns.systematicError, decimalSeparator);
    return texts;
}

} // namespace tarvex
