// tarvex-budget: the uncertainty budget of the window program from the command line, for one setup given
// as options or for every row of a CSV batch.

#include "budget/batch_columns.h"
#include "budget/budget_description.h"
#include "budget/inputs.h"
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

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

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

std::string Listed(std::span<const std::string_view> items, std::string_view separator) {
    std::string list;
    for (const std::string_view item : items) {
        list.append(list.empty() ? "" : separator).append(item);
    }
    return list;
}

// The option descriptions, with their defaults from the window's start state.
std::array<std::string, kSetupInputCount> OptionDescriptions() {
    const MeasurementSetup start = StartSetup();
    std::array<std::string_view, kContributionCount> keys{};
    std::ranges::transform(kContributions, keys.begin(), &ContributionInfo::keyName);
    const auto whole = [](WholeRange range) {
        return std::to_string(range.lowest) + " ... " + std::to_string(range.highest);
    };
    const FixedInputLimits& fixed = kFixedInputLimits;
    return {
        "power sensor: " + Listed(SensorModels(), ", ") + " (default " + start.sensor + ")",
        "basic unit: " + Listed(BasicUnitModels(), ", ") + " (default " + start.basicUnit + ")",
        "display resolution: " + Listed(Resolutions(), ", ") + " (default " + start.resolution + ")",
        "frequency in GHz, inside the sensor's range (default " + ShortestDecimal(start.frequency) + ")",
        "level in whole dBm, inside the sensor's range (default " + std::to_string(start.level) + ")",
        "source return loss in dB, " + ShortestDecimal(fixed.returnLossMinDb) + " ... " +
            ShortestDecimal(fixed.returnLossMaxDb) + " (default " + ShortestDecimal(start.returnLossDb) + ")",
        "filter number, " + whole(fixed.filterNumber) + " (default " + std::to_string(start.filterNumber) +
            ")",
        "second harmonic in dBc, " + whole(fixed.harmonicDbc) + " (default " +
            std::to_string(start.harmonic2f) + ")",
        "third harmonic in dBc, " + whole(fixed.harmonicDbc) + " (default " +
            std::to_string(start.harmonic3f) + ")",
        "lower temperature limit in degrees Celsius, " + whole(fixed.temperatureC) + " (default " +
            std::to_string(start.tempMin) + ")",
        "upper temperature limit in degrees Celsius, " + whole(fixed.temperatureC) + " (default " +
            std::to_string(start.tempMax) + ")",
        "sensor match: probable or conservative (default probable)",
        "frequency-dependent linearity error: statistical or systematic (default statistical)",
        "contributions left out, separated by commas: " + Listed(keys, " ") + " (default none)",
        "results in dB or percent (default dB)",
    };
}

constexpr const char* kFooter = R"(Batch input (CSV): a header row naming any of the columns
  id, sensor, basic_unit, resolution, frequency_ghz, level_dbm, return_loss_db, filter,
  harmonic_2f_dbc, harmonic_3f_dbc, temp_min_c, temp_max_c, mismatch, fd_lin, exclude, unit
in any order; a missing column or an empty field takes the default of the option of the same meaning.
exclude holds contribution keys separated by blanks. The output columns below may stand in the input
too (a saved report or an earlier output): they are worked out afresh. Any other column is an error.

Output: one row per input row, in order: id (else the input line number), u_cal, u_drift, u_noise,
u_lin, u_temp, u_GG, u_res, u_M, u_P_Coeff, u_fd_Lin, u_Harmonics2f, u_Harmonics3f, uc, MU,
systematic_error (empty while the window hides it) and error (empty for a valid row). Exact values are
the shortest decimals of the numbers in the row's unit; display values are the texts the window shows.

Exit status: 0 when every row was valid, 1 when a row was invalid, 2 for a usage error.)";

struct Options {
    std::array<std::string, kSetupInputCount> setup;
    std::optional<std::string> batch;
    std::string output = "-";
    std::optional<std::string> format;
    std::string values = "exact";
};

int RunSingle(const Options& options, OutputFormat format, ValueStyle style) {
    SetupTexts texts{};
    std::ranges::copy(options.setup, texts.begin());
    MeasurementSetup setup;
    std::string problems;
    ReadSetup(texts, OptionNames(), setup, problems);
    if (!problems.empty()) {
        return UsageError(problems);
    }
    OutputTarget output(options.output);
    const UncertaintyBudget budget = EvaluateBudget(setup);
    if (format == OutputFormat::text) {
        const std::string table = BudgetTable(DescribeBudget(setup, budget));
        std::fwrite(table.data(), 1, table.size(), output.Stream());
    } else {
        const auto writer = MakeRowWriter(format, style, output.Stream());
        writer->Begin();
        writer->Row("", BatchResultFields(setup, budget, style), "");
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
    const auto writer = MakeRowWriter(format, style, output.Stream());
    BatchSummary summary;
    try {
        summary = RunBatch(input, name, style, *writer, stderr);
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

int Main(int argc, char** argv) {
    CLI::App app("The measurement uncertainty budget of an RF power measurement with a Tarvex sensor, as the "
                 "window program shows it: for one setup given as options, or for every row of a CSV batch.",
                 "tarvex-budget");
    app.set_version_flag("--version", "tarvex-budget " + std::string(kProgramVersion));
    app.footer(kFooter);
    Options options;
    app.add_option("--batch", options.batch, "evaluate every row of this CSV file ('-' for standard input)")
        ->type_name("FILE");
    app.add_option("--output", options.output, "write the results to this file instead of standard output")
        ->type_name("FILE");
    const std::array<std::string, kSetupInputCount> descriptions = OptionDescriptions();
    constexpr std::array<const char*, kSetupInputCount> kValueNames{
        "ID", "ID", "TEXT", "GHZ", "DBM", "DB", "N", "DBC", "DBC", "C", "C", "MODE", "MODE", "KEYS", "UNIT"};
    for (std::size_t i = 0; i < kSetupInputCount; ++i) {
        app.add_option(std::string(OptionNames()[i]), options.setup[i], descriptions[i])
            ->type_name(kValueNames[i]);
    }
    app.add_option(
           "--format", options.format,
           "text (an aligned table, one setup only), csv or jsonl (default text for one setup, csv for a "
           "batch)")
        ->transform(CLI::IsMember({"text", "csv", "jsonl"}, CLI::ignore_case))
        ->type_name("FORMAT");
    app.add_option("--values", options.values,
                   "exact (shortest decimals that read back to the same numbers) or display (the window's "
                   "texts) in csv and jsonl (default exact)")
        ->transform(CLI::IsMember({"exact", "display"}, CLI::ignore_case))
        ->type_name("STYLE");

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& done) {
        return app.exit(done); // --help, --version
    } catch (const CLI::ParseError& error) {
        return UsageError(std::string(error.what()) + "\nRun 'tarvex-budget --help' for the options.");
    }

    for (const std::string_view name : OptionNames()) {
        if (options.batch && app.count(std::string(name)) > 0) {
            return UsageError(std::string(name) +
                              " cannot be combined with --batch: give it as a column of the "
                              "batch");
        }
    }
    const std::string formatName = options.format.value_or(options.batch ? "csv" : "text");
    const OutputFormat format = formatName == "text"  ? OutputFormat::text
                                : formatName == "csv" ? OutputFormat::csv
                                                      : OutputFormat::jsonl;
    const ValueStyle style = options.values == "display" ? ValueStyle::display : ValueStyle::exact;
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

} // namespace

int main(int argc, char** argv) {
    try {
        return Main(argc, argv);
    } catch (const std::exception& error) { // out of memory, for instance
        return UsageError(error.what());
    }
}
