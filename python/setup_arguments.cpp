#include "python/setup_arguments.h"

#include "python/value_text.h"

#include "cli/field_text.h"
#include "cli/setup_inputs.h"

#include <algorithm>
#include <array>
#include <vector>

namespace py = pybind11;

namespace tarvex::python {

std::optional<std::size_t> InputPosition(std::string_view column) {
    const cli::SetupInputNames& names = cli::ColumnNames();
    const auto* found = std::ranges::find(names, column);
    return found == names.end() ? std::nullopt
                                : std::optional(static_cast<std::size_t>(found - names.begin()));
}

std::string UnknownNameMessage(std::string_view what, std::string_view name,
                               std::span<const std::string_view> choices) {
    std::string message = "unknown " + std::string(what) + " " + cli::Quoted(name);
    const std::string_view near = cli::NearestChoice(name, choices);
    if (!near.empty()) {
        return message.append(" (did you mean ").append(near).append("?)");
    }
    message += " (one of ";
    for (const std::string_view choice : choices) {
        message.append(choice).append(choice == choices.back() ? ")" : ", ");
    }
    return message;
}

MeasurementSetup SetupFromKeywords(const py::kwargs& keywords, std::string_view function,
                                   std::span<const std::string_view> own) {
    std::array<std::string, cli::kSetupInputCount> texts;
    for (const auto& [key, value] : keywords) {
        const std::string name = py::str(key);
        const std::optional<std::size_t> position = InputPosition(name);
        if (!position) {
            std::vector<std::string_view> valid(own.begin(), own.end());
            valid.insert(valid.end(), cli::ColumnNames().begin(), cli::ColumnNames().end());
            throw py::type_error(std::string(function) + "() got an " +
                                 UnknownNameMessage("keyword argument", name, valid));
        }
        AssignValueText(value, texts[*position]);
    }
    cli::SetupTexts views{};
    std::ranges::copy(texts, views.begin());
    MeasurementSetup setup;
    std::string problems;
    cli::ReadSetup(views, cli::ColumnNames(), setup, problems);
    if (!problems.empty()) {
        throw py::value_error(problems);
    }
    return setup;
}

} // namespace tarvex::python
