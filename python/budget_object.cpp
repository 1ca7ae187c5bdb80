// Budget and budget(): one setup from keyword arguments, evaluated by the core.

#include "python/bindings.h"
#include "python/result_numbers.h"
#include "python/setup_arguments.h"

#include "budget/batch_columns.h"
#include "budget/budget_description.h"
#include "budget/input_table.h"
#include "budget/inputs.h"
#include "cli/result_writers.h"
#include "cli/setup_inputs.h"

#include <pybind11/stl.h>

#include <algorithm>

namespace py = pybind11;

namespace tarvex::python {
namespace {

// One evaluated setup; the Python object Budget.
struct EvaluatedBudget {
    MeasurementSetup setup;
    UncertaintyBudget budget;
    ResultNumbers numbers;
};

EvaluatedBudget Evaluate(const MeasurementSetup& setup) {
    const UncertaintyBudget budget = EvaluateBudget(setup);
    return {setup, budget, NumbersInUnit(setup, budget)};
}

py::dict Contributions(const EvaluatedBudget& evaluated) {
    py::dict values;
    for (const ContributionInfo& info : kContributions) {
        values[py::str(std::string(info.keyName))] = evaluated.numbers.u[Index(info.key)];
    }
    return values;
}

py::dict Included(const EvaluatedBudget& evaluated) {
    py::dict included;
    for (const ContributionInfo& info : kContributions) {
        included[py::str(std::string(info.keyName))] = evaluated.setup.include[Index(info.key)] != 0;
    }
    return included;
}

// The result labels' texts keyed like the attributes: the twelve keys, uc, MU, systematic_error.
py::dict Texts(const EvaluatedBudget& evaluated) {
    const std::vector<std::string> fields =
        BatchResultFields(evaluated.setup, evaluated.budget, ValueStyle::display);
    const std::vector<std::string> columns = BatchResultColumns();
    py::dict texts;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& column = columns[i];
        texts[py::str(i < kContributionCount ? column.substr(2) : column)] = fields[i]; // u_cal -> cal
    }
    return texts;
}

// The inputs as batch fields, keyed by column: the setup as a batch row would give it.
py::dict Inputs(const EvaluatedBudget& evaluated) {
    const std::vector<std::string> fields = BatchInputFields(evaluated.setup, "");
    py::dict inputs;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        inputs[py::str(std::string(kBatchInputColumns[i]))] = fields[i];
    }
    return inputs;
}

std::string Representation(const EvaluatedBudget& evaluated) {
    const std::vector<std::string> fields = BatchInputFields(evaluated.setup, "");
    const std::vector<std::string> results =
        BatchResultFields(evaluated.setup, evaluated.budget, ValueStyle::display);
    return "<tarvex_uncertainty.Budget " + evaluated.setup.sensor + " at " + fields[4] + " GHz, " +
           fields[5] + " dBm: MU " + results[kContributionCount + 1] + ">";
}

// Text wrapped at blanks into lines of at most `width` characters, each after `indent`.
std::string Wrapped(std::string_view text, std::string_view indent, std::size_t width) {
    std::string lines;
    std::size_t lineStart = 0;
    std::size_t word = 0;
    while (word < text.size()) {
        const std::size_t end = std::min(text.find(' ', word + 1), text.size());
        if (end - lineStart > width && word > lineStart) {
            lines.append(indent).append(text.substr(lineStart, word - lineStart)).append("\n");
            lineStart = word + 1;
        }
        word = end;
    }
    return lines.append(indent).append(text.substr(lineStart)).append("\n");
}

// The docstring of budget(), with every input, what it allows and its start value from the core's table.
std::string BudgetDoc() {
    std::string doc =
        "budget(**setup) -> Budget\n\n"
        "The uncertainty budget of one measurement setup, as the window and tarvex-budget show it.\n\n"
        "Every input is an optional keyword argument named like tarvex-budget's batch column; one left\n"
        "out (or None) has the window's start value:\n\n";
    for (const InputInfo& info : kSetupInputs) {
        doc.append("    ").append(info.column).append(": ").append(info.help);
        doc.append(" (start ").append(cli::StartValue(info.input)).append(")\n");
        doc += Wrapped(cli::AllowedValues(info.input), "        ", 88);
    }
    doc += "\nNumbers may be given as int or float, or as text like the command line's. A value that is not\n"
           "allowed raises ValueError with the command line's message; an unknown keyword raises TypeError\n"
           "naming the nearest input. exclude also takes a list of contribution keys. str() of the result\n"
           "is tarvex-budget's text table.";
    return doc;
}

void AddBudgetAttributes(py::class_<EvaluatedBudget>& budget) {
    for (const ContributionInfo& info : kContributions) {
        const std::size_t index = Index(info.key);
        const std::string doc =
            std::string(info.caption) + ": the standard uncertainty in the result unit (dB or %).";
        budget.def_property_readonly(
            std::string(info.keyName).c_str(),
            [index](const EvaluatedBudget& evaluated) { return evaluated.numbers.u[index]; }, doc.c_str());
    }
    budget.def_property_readonly(
        "uc", [](const EvaluatedBudget& evaluated) { return evaluated.numbers.uc; },
        "Combined standard uncertainty of the included contributions, in the result unit.");
    budget.def_property_readonly(
        "MU", [](const EvaluatedBudget& evaluated) { return evaluated.numbers.MU; },
        "Expanded uncertainty (k = 2), in the result unit.");
    budget.def_property_readonly(
        "systematic_error",
        [](const EvaluatedBudget& evaluated) { return evaluated.numbers.systematicError; },
        "Systematic error (the frequency-dependent linearity error treated as systematic), in the result\n"
        "unit; None while the window hides its row.");
    budget.def_property_readonly(
        "unit",
        [](const EvaluatedBudget& evaluated) { return std::string(UnitKeyword(evaluated.setup.unit)); },
        "The result unit: 'dB' or 'percent' (the numbers are then in %).");
}

void AddBudgetViews(py::class_<EvaluatedBudget>& budget) {
    budget.def_property_readonly("contributions", &Contributions,
                                 "The twelve standard uncertainties by key, in evaluation order.");
    budget.def_property_readonly("included", &Included,
                                 "Whether each contribution counts in the combined uncertainty, by key.");
    budget.def_property_readonly("texts", &Texts,
                                 "The window's result label texts by key (the twelve keys, uc, MU,\n"
                                 "systematic_error; the latter empty while hidden).");
    budget.def_property_readonly("inputs", &Inputs,
                                 "The setup as a batch row gives it: batch column -> text.");
    budget.def("__str__", [](const EvaluatedBudget& evaluated) {
        return cli::BudgetTable(DescribeBudget(evaluated.setup, evaluated.budget));
    });
    budget.def("__repr__", &Representation);
}

} // namespace

void AddBudget(py::module_& module) {
    py::class_<EvaluatedBudget> budget(
        module, "Budget",
        "The evaluated budget of one setup, made by budget(). The numbers are\n"
        "in the result unit, exactly those tarvex-budget writes with\n"
        "--values exact; str() gives its text table.");
    AddBudgetAttributes(budget);
    AddBudgetViews(budget);
    static const std::string doc = BudgetDoc();
    module.def(
        "budget", [](const py::kwargs& setup) { return Evaluate(SetupFromKeywords(setup, "budget")); },
        doc.c_str());
}

} // namespace tarvex::python
