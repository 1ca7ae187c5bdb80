#include "budget/batch_columns.h"

#include "budget/budget_description.h"
#include "budget/presentation.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <system_error>

namespace tarvex {
namespace {

// Assigning into an existing string keeps its storage.
void AssignShortestDecimal(std::string& text, double value) {
    std::array<char, 32> buffer{}; // the longest shortest form of a double has 24 characters
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    text.assign(buffer.data(), error == std::errc() ? end : buffer.data());
}

} // namespace

std::vector<std::string> BatchResultColumns(std::optional<CoverageMethod> coverage) {
    std::vector<std::string> columns;
    for (const ContributionInfo& info : kContributions) {
        columns.push_back("u_" + std::string(info.keyName));
    }
    for (const char* column : {"uc", "MU", "systematic_error"}) {
        columns.emplace_back(column);
    }
    if (coverage) {
        const std::vector<std::string> more = CoverageColumns(*coverage);
        columns.insert(columns.end(), more.begin(), more.end());
    }
    columns.emplace_back("error");
    return columns;
}

std::vector<std::string> CoverageColumns(CoverageMethod method) {
    std::vector<std::string> columns{"coverage_of_MU", "half_width_95", "k95"};
    if (method == CoverageMethod::monteCarlo) {
        columns.emplace_back("trials");
    }
    return columns;
}

std::string_view MismatchKeyword(MismatchMode mode) {
    return mode == MismatchMode::probable ? "probable" : "conservative";
}

std::string_view LinearityKeyword(bool fdLinSystematic) {
    return fdLinSystematic ? "systematic" : "statistical";
}

std::string_view UnitKeyword(ResultUnit unit) {
    return unit == ResultUnit::percent ? "percent" : "dB";
}

std::string ShortestDecimal(double value) {
    std::string text;
    AssignShortestDecimal(text, value);
    return text;
}

std::vector<std::string> BatchInputFields(const MeasurementSetup& setup, std::string_view id) {
    std::string excluded;
    for (const ContributionInfo& info : kContributions) {
        if (setup.include[Index(info.key)] == 0) {
            excluded += (excluded.empty() ? "" : " ") + std::string(info.keyName);
        }
    }
    return {
        std::string(id),
        setup.sensor,
        setup.basicUnit,
        setup.resolution,
        ShortestDecimal(setup.frequency),
        ShortestDecimal(setup.level),
        ShortestDecimal(setup.returnLossDb),
        std::to_string(setup.filterNumber),
        std::to_string(setup.harmonic2f),
        std::to_string(setup.harmonic3f),
        std::to_string(setup.tempMin),
        std::to_string(setup.tempMax),
        std::string(MismatchKeyword(setup.mismatchMode)),
        std::string(LinearityKeyword(setup.fdLinSystematic)),
        excluded,
        std::string(UnitKeyword(setup.unit)),
    };
}

std::vector<std::string> BatchResultFields(const MeasurementSetup& setup, const UncertaintyBudget& budget,
                                           ValueStyle style) {
    std::vector<std::string> fields;
    AssignBatchResultFields(setup, budget, style, fields);
    return fields;
}

void AssignBatchResultFields(const MeasurementSetup& setup, const UncertaintyBudget& budget, ValueStyle style,
                             std::vector<std::string>& fields) {
    constexpr std::size_t kResultCount = kContributionCount + 3;
    fields.resize(kResultCount);
    if (style == ValueStyle::display) {
        ResultTexts texts = PresentBudget(budget, setup.unit);
        std::move(texts.u.begin(), texts.u.end(), fields.begin());
        fields[kContributionCount] = std::move(texts.uc);
        fields[kContributionCount + 1] = std::move(texts.MU);
        fields[kContributionCount + 2] =
            budget.showSystematic ? std::move(texts.systematicError) : std::string();
        return;
    }
    const ResultValues values = ShownValues(budget, setup.unit);
    const double scale = setup.unit == ResultUnit::percent ? 100.0 : 1.0;
    const auto assign = AssignShortestDecimal;
    for (std::size_t i = 0; i < kContributionCount; ++i) {
        assign(fields[i], scale * values.u[i]);
    }
    assign(fields[kContributionCount], scale * values.uc);
    assign(fields[kContributionCount + 1], scale * values.MU);
    if (budget.showSystematic) {
        assign(fields[kContributionCount + 2], scale * values.systematicError);
    } else {
        fields[kContributionCount + 2].clear();
    }
}

void AppendCoverageFields(const MeasurementSetup& setup, const UncertaintyBudget& budget,
                          CoverageMethod method, ValueStyle style, std::vector<std::string>& fields) {
    const std::size_t count = CoverageColumns(method).size();
    const std::optional<CoverageFigures> figures = BudgetCoverage(setup, budget, method);
    if (!figures) {
        fields.resize(fields.size() + count);
        return;
    }
    if (style == ValueStyle::display) {
        CoverageTexts texts = CoverageFigureTexts(*figures, budget, setup.unit);
        fields.push_back(std::move(texts.coverageOfMU));
        fields.push_back(std::move(texts.halfWidth95));
        fields.push_back(std::move(texts.k95));
    } else {
        const double scale = setup.unit == ResultUnit::percent ? 100.0 : 1.0;
        fields.push_back(ShortestDecimal(100.0 * figures->coverageOfMU));
        fields.push_back(ShortestDecimal(scale * ShownHalfWidth95(*figures, budget, setup.unit)));
        fields.push_back(ShortestDecimal(figures->k95));
    }
    if (method == CoverageMethod::monteCarlo) {
        fields.push_back(std::to_string(figures->trials));
    }
}

} // namespace tarvex
