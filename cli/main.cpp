// tarvex-budget: the uncertainty budget of the window program from the command line, for one setup given
// as options or for every row of a CSV batch.

#include "budget/batch_columns.h"
#include "budget/budget_description.h"
#include "budget/inputs.h"
#include "budget/presentation.h"
#include "budget/program_info.h"
#include "budget/uncertainty_budget.h"
#include "cli/batch_run.h"
#include "cli/output_target.h"
#include "cli/result_writers.h"
#include "cli/setup_inputs.h"

#include <CLI/CLI.hpp>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace tarvex;
using namespace tarvex::cli;

constexpr int kAllValid = 0;
constexpr int kSomeInvalid = 1;
constexpr int kUsageError = 2;

int UsageError(const std::string& message) {
    std::fprintf(stderr, "tarvex-budget: %s\n", message.c_str());
    return kUsageError;
}

// The items separated by commas, in lines of at most 100 characters indented by two blanks.
std::string WrappedList(std::span<const std::string_view> items) {
    constexpr std::size_t kWidth = 100;
    std::string text = " ";
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string item = std::string(items[i]) + (i + 1 < items.size() ? "," : "");
        if (text.size() - lineStart + 1 + item.size() > kWidth) {
            lineStart = text.size() + 1;
            text += "\n ";
        }
        text.append(" ").append(item);
    }
    return text;
}

// An option's description: what it is, what it allows and its start value.
std::string OptionDescription(const InputInfo& info) {
    return std::string(info.help) + ": " + AllowedValues(info.input) + " (default " + StartValue(info.input) +
           ")";
}

// The output columns with their meaning, one line each.
std::string OutputColumns() {
    std::vector<std::pair<std::string, std::string>> rows{
        {"id", "the row's id field, else its input line number"},
        {"...", "the batch's own columns that are not read, as they stand"},
        {"unit", "dB or percent: the unit of every number in the row (empty for an invalid row)"},
    };
    const std::vector<std::string> results = BatchResultColumns();
    for (std::size_t i = 0; i < kContributionCount; ++i) {
        // Without the mode that the mismatch row's caption names: the column serves both.
        const std::string_view caption =
            kContributions[i].caption.substr(0, kContributions[i].caption.find(" ("));
        rows.emplace_back(results[i], std::string(caption) + ", standard uncertainty");
    }
    rows.emplace_back("uc", std::string(kCombinedCaption));
    rows.emplace_back("MU", std::string(ExpandedCaption(ResultUnit::dB)) + " (of Power in percent)");
    rows.emplace_back("systematic_error", std::string(SystematicCaption(ResultUnit::dB)) +
                                              " (of Power in percent); empty while the window hides it");
    rows.emplace_back("error", "why the row is invalid; empty for a valid row");
    std::string text;
    for (const auto& [name, meaning] : rows) {
        text.append("  ").append(name).append(std::max<std::size_t>(18 - name.size(), 1), ' ');
        text.append(meaning).append("\n");
    }
    return text;
}

// The help's closing text: the batch's columns, the output columns, the exit statuses and an example.
std::string Footer() {
    return "Batch input (CSV, separated by commas, semicolons or tabs): a header row naming any of the "
           "columns\n" +
           WrappedList(kBatchInputColumns) +
           "\nin any order and letter case; a missing column or an empty field takes the default of the "
           "option of\nthe same meaning. Numbers may have a decimal comma when the separator is not a comma. "
           "exclude holds\ncontribution keys separated by commas or blanks. The output columns below may "
           "stand in the input too\n(a saved report or an earlier output): they are worked out afresh. Any "
           "other column is carried\nthrough to the output and named on standard error, unless its name is "
           "one typing error away from\nan input column's, which is an error.\n\n"
           "Output columns, one row per input row, in order:\n" +
           OutputColumns() +
           "Exact values are the shortest decimals of the numbers in dB of level, or in percent of power "
           "where "
           "the\nunit is percent; display values are the texts the window shows. CSV lines end with CRLF. A "
           "text "
           "that a\nspreadsheet would take for a formula (it begins with =, +, -, @, a tab or a carriage "
           "return and is\nnot a number) is written to CSV with a leading apostrophe; numbers and JSON Lines "
           "stay as they are.\n\n"
           "Exit status: 0 when every row was valid, 1 when a row was invalid, 2 for a usage error.\n\n"
           "Example: tarvex-budget --batch lab-log.csv --output results.csv\n"
           "The columns are listed above: 'Batch input' for the input, 'Output columns' for the results.";
}

struct Options {
    std::array<std::string, kSetupInputCount> setup;
    std::optional<std::string> batch;
    std::string output = "-";
    std::optional<std::string> format;
    std::string values{ValueStyleKeyword(ValueStyle::exact)};
    std::optional<char> separator;
    bool decimalComma = false;
    std::optional<std::string> coverage; // "" when given without a method
};

std::optional<CoverageMethod> CoverageOption(const Options& options) {
    if (!options.coverage) {
        return std::nullopt;
    }
    return *options.coverage == CoverageMethodKeyword(CoverageMethod::monteCarlo) ? CoverageMethod::monteCarlo
                                                                                  : CoverageMethod::exact;
}

int RunSingle(const Options& options, OutputFormat format, ValueStyle style) {
    std::array<std::string, kSetupInputCount> given = options.setup;
    for (const InputInfo& info : kSetupInputs) {
        if (info.number && options.decimalComma) {
            std::ranges::replace(given[SetupSlot(info.input)], ',', '.');
        }
    }
    SetupTexts texts{};
    std::ranges::copy(given, texts.begin());
    MeasurementSetup setup;
    std::string problems;
    ReadSetup(texts, OptionNames(), setup, problems);
    if (!problems.empty()) {
        return UsageError(problems);
    }
    OutputTarget output(options.output);
    const UncertaintyBudget budget = EvaluateBudget(setup);
    const std::optional<CoverageMethod> coverage = CoverageOption(options);
    if (format == OutputFormat::text) {
        BudgetDescription description = DescribeBudget(setup, budget);
        description.coverage = coverage ? DescribeCoverage(setup, budget, *coverage) : std::nullopt;
        const std::string table = BudgetTable(description);
        std::fwrite(table.data(), 1, table.size(), output.Stream());
    } else {
        const auto writer = MakeRowWriter(format, style, output.Stream(), coverage);
        writer->Begin({});
        std::vector<std::string> results = BatchResultFields(setup, budget, style);
        if (coverage) {
            AppendCoverageFields(setup, budget, *coverage, style, results);
        }
        writer->Row({"", {}, UnitKeyword(setup.unit), results, ""});
    }
    output.Commit();
    return kAllValid;
}

int RunBatchFile(const Options& options, OutputFormat format, ValueStyle style) {
    const std::string& name = *options.batch;
    const int fd = name == "-" ? STDIN_FILENO : ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return UsageError("cannot read '" + name + "': " + std::strerror(errno));
    }
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
        return UsageError("cannot read '" + name + "': it is a directory");
    }
    FdSource input(fd);
    OutputTarget output(options.output);
    const std::optional<CoverageMethod> coverage = CoverageOption(options);
    const auto writer = MakeRowWriter(format, style, output.Stream(), coverage);
    BatchSummary summary;
    try {
        summary = RunBatch(input, name, style, *writer, stderr, {options.separator, options.decimalComma},
                           coverage);
    } catch (const InputError& error) {
        if (error.Line() == 0) {
            return UsageError(name + ": " + error.what());
        }
        std::fprintf(stderr, "%s:%llu: %s\n", name.c_str(), static_cast<unsigned long long>(error.Line()),
                     error.what());
        return kUsageError;
    }
    output.Commit();
    return summary.invalidRows == 0 ? kAllValid : kSomeInvalid;
}

void AddOptions(CLI::App& app, Options& options) {
    app.set_version_flag("--version", "tarvex-budget " + std::string(kProgramVersion));
    app.footer(Footer());
    app.add_option("--batch", options.batch, "evaluate every row of this CSV file ('-' for standard input)")
        ->type_name("FILE");
    app.add_option("--output", options.output, "write the results to this file instead of standard output")
        ->type_name("FILE");
    for (const InputInfo& info : kSetupInputs) {
        app.add_option(std::string(info.option), options.setup[SetupSlot(info.input)],
                       OptionDescription(info))
            ->type_name(std::string(info.valueName));
    }
    app.add_option_function<std::string>(
           "--delimiter",
           [&options](const std::string& name) {
               options.separator = name == "semicolon" || name == ";" ? ';' : name == "tab" ? '\t' : ',';
           },
           "the batch's separator: comma, semicolon or tab (default: the one its header line uses)")
        ->transform(CLI::IsMember({"comma", "semicolon", "tab", ",", ";"}, CLI::ignore_case))
        ->type_name("SEPARATOR");
    app.add_flag("--decimal-comma", options.decimalComma,
                 "numbers may have a decimal comma (always in a batch whose separator is not a comma)");
    app.add_option(
           "--format", options.format,
           "text (an aligned table, one setup only), csv or jsonl (default text for one setup, csv for a "
           "batch)")
        ->transform(CLI::IsMember({"text", "csv", "jsonl"}, CLI::ignore_case))
        ->type_name("FORMAT");
    app.add_option("--values", options.values,
                   "exact (shortest decimals that read back to the same numbers) or display (the window's "
                   "texts) in csv and jsonl (default exact)")
        ->transform(
            CLI::IsMember(std::vector<std::string>{std::string(ValueStyleKeyword(ValueStyle::exact)),
                                                   std::string(ValueStyleKeyword(ValueStyle::display))},
                          CLI::ignore_case))
        ->type_name("STYLE");
    app.add_option(
           "--coverage", options.coverage,
           "add what the expanded uncertainty covers and the 95 % interval: the columns coverage_of_MU "
           "(percent), half_width_95 (in the row's unit) and k95 before error, by the exact method or "
           "by Monte Carlo (montecarlo, adding trials); empty for a row without a distribution")
        ->expected(0, 1)
        ->check(CLI::IsMember(
            std::vector<std::string>{"", std::string(CoverageMethodKeyword(CoverageMethod::exact)),
                                     std::string(CoverageMethodKeyword(CoverageMethod::monteCarlo))}))
        ->type_name("[METHOD]");
}

// Runs what the parsed options ask for.
int Run(const CLI::App& app, const Options& options) {
    for (const InputInfo& info : kSetupInputs) {
        if (options.batch && app.count(std::string(info.option)) > 0) {
            return UsageError(std::string(info.option) +
                              " cannot be combined with --batch: give it as a column of the batch");
        }
    }
    const std::string formatName = options.format.value_or(options.batch ? "csv" : "text");
    const OutputFormat format = formatName == "text"  ? OutputFormat::text
                                : formatName == "csv" ? OutputFormat::csv
                                                      : OutputFormat::jsonl;
    const ValueStyle style =
        options.values == ValueStyleKeyword(ValueStyle::display) ? ValueStyle::display : ValueStyle::exact;
    try {
        if (!options.batch) {
            return RunSingle(options, format, style);
        }
        if (format == OutputFormat::text) {
            return UsageError("text is not a batch format: use --format csv or jsonl");
        }
        return RunBatchFile(options, format, style);
    } catch (const OutputError& error) {
        return UsageError(error.what());
    }
}

int Main(int argc, char** argv) {
    CLI::App app("The measurement uncertainty budget of an RF power measurement with a Tarvex sensor, as the "
                 "window program shows it: for one setup given as options, or for every row of a CSV batch.",
                 "tarvex-budget");
    Options options;
    AddOptions(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& done) {
        return app.exit(done); // --help, --version
    } catch (const CLI::ParseError& error) {
        return UsageError(std::string(error.what()) + "\nRun 'tarvex-budget --help' for the options.");
    }
    return Run(app, options);
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Main(argc, argv);
    } catch (const std::exception& error) { // out of memory, for instance
        return UsageError(error.what());
    }
}
