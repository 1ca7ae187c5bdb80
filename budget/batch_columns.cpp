#include "budget/batch_columns.h"

#include "budget/presentation.h"

#include <charconv>
#include <system_error>

namespace tarvex {

std::vector<std::string> BatchResultColumns() {
    std::vector<std::string> columns;
    for (const ContributionInfo& info : kContributions) {
        columns.push_back("u_" + std::string(info.keyName));
    }
    for (const char* column : {"uc", "MU", "systematic_error", "error"}) {
        columns.emplace_back(column);
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
    std::array<char, 32> buffer{}; // the longest shortest form of a double has 24 characters
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return error == std::errc() ? std::string(buffer.data(), end) : std::string();
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
        std::to_string(setup.level),
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
    fields.reserve(kContributionCount + 3);
    if (style == ValueStyle::display) {
        const ResultTexts texts = PresentBudget(budget, setup.unit);
        fields.assign(texts.u.begin(), texts.u.end());
        fields.push_back(texts.uc);
        fields.push_back(texts.MU);
        fields.push_back(budget.showSystematic ? texts.systematicError : std::string());
        return fields;
    }
    const ResultValues values = ShownValues(budget, setup.unit);
    const double scale = setup.unit == ResultUnit::percent ? 100.0 : 1.0;
    for (const double u : values.u) {
        fields.push_back(ShortestDecimal(scale * u));
    }
    fields.push_back(ShortestDecimal(scale * values.uc));
    fields.push_back(ShortestDecimal(scale * values.MU));
    fields.push_back(budget.showSystematic ? ShortestDecimal(scale * values.systematicError) : std::string());
    return fields;
}

} // namespace tarvex
