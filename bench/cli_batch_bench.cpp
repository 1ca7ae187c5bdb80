// tarvex-budget on a batch of 1,000,000 varied setups, written to /dev/null, against the bare evaluation
// (EvaluateBudget alone, setups prepared before timing) of the same setups; and the time of one call for a
// single setup. Prints rows per second, the cost ratio, and the peak resident memory of the tool as
// /usr/bin/time reports it (the tool's own, not that of this process, which a directly spawned child
// would inherit as its starting peak). With --write-batch it writes only the batch, to standard output.

#include "budget/batch_columns.h"
#include "budget/inputs.h"
#include "budget/uncertainty_budget.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tarvex;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kRows = 1'000'000;
constexpr std::size_t kChunk = 100'000;
constexpr int kRepetitions = 3;

// The same varied setups on every pass: a small linear congruential generator with a fixed seed.
class SetupGenerator {
public:
    MeasurementSetup Next() {
        MeasurementSetup setup = StartSetup();
        setup.sensor = Pick(SensorModels());
        setup.basicUnit = Pick(BasicUnitModels());
        setup.resolution = Pick(Resolutions());
        const SensorInputLimits limits = *SensorInputLimitsOf(setup.sensor);
        const auto hundredths =
            static_cast<std::uint64_t>(100 * (limits.frequencyMaxGHz - limits.frequencyMinGHz));
        setup.frequency = (100 * limits.frequencyMinGHz + static_cast<double>(Below(hundredths + 1))) / 100.0;
        setup.frequency = std::min(setup.frequency, limits.frequencyMaxGHz);
        setup.level = Whole(limits.levelDbm);
        setup.returnLossDb = static_cast<double>(Below(601)) / 10.0;
        setup.filterNumber = Whole(kFixedInputLimits.filterNumber);
        setup.harmonic2f = Whole(kFixedInputLimits.harmonicDbc);
        setup.harmonic3f = Whole(kFixedInputLimits.harmonicDbc);
        setup.tempMin = Whole(kFixedInputLimits.temperatureC);
        setup.tempMax = Whole({setup.tempMin, kFixedInputLimits.temperatureC.highest});
        setup.mismatchMode = Below(2) == 0 ? MismatchMode::probable : MismatchMode::conservative;
        setup.fdLinSystematic = Below(2) == 0;
        setup.unit = Below(2) == 0 ? ResultUnit::dB : ResultUnit::percent;
        setup.include[Below(kContributionCount)] = Below(4) == 0 ? 0 : 1;
        return setup;
    }

private:
    std::uint64_t Below(std::uint64_t n) {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return (m_state >> 33U) % n;
    }
    int Whole(WholeRange range) {
        return range.lowest +
               static_cast<int>(Below(static_cast<std::uint64_t>(range.highest - range.lowest) + 1));
    }
    std::string Pick(std::span<const std::string_view> choices) {
        return std::string(choices[Below(choices.size())]);
    }

    std::uint64_t m_state = 20261206;
};

double Median(std::vector<double> values) {
    std::ranges::sort(values);
    return values[values.size() / 2];
}

struct ProcessCost {
    double seconds;
    double peakMiB;
};

// Runs the tool with standard output to /dev/null and returns its wall time and, when measured under
// /usr/bin/time, its peak memory.
ProcessCost RunTool(std::vector<std::string> args, bool measureMemory = false) {
    const std::string memoryFile = "/tmp/tarvex-budget-bench-rss";
    args.insert(args.begin(), TARVEX_BUDGET);
    if (measureMemory) {
        args.insert(args.begin(), {"/usr/bin/time", "-f", "%M", "-o", memoryFile});
    }
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::perror("posix_spawn");
        std::exit(1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "tarvex-budget failed with status %d\n", status);
        std::exit(1);
    }
    double peakKiB = 0.0;
    if (measureMemory) {
        std::FILE* file = std::fopen(memoryFile.c_str(), "r");
        if (file == nullptr || std::fscanf(file, "%lf", &peakKiB) != 1) {
            std::fprintf(stderr, "no peak memory from /usr/bin/time\n");
            std::exit(1);
        }
        std::fclose(file);
        ::unlink(memoryFile.c_str());
    }
    return {seconds, peakKiB / 1024.0};
}

void WriteBatchTo(std::FILE* file, std::size_t rows) {
    std::string line;
    for (std::size_t i = 0; i < kBatchInputColumns.size(); ++i) {
        line.append(i == 0 ? "" : ",").append(kBatchInputColumns[i]);
    }
    std::fprintf(file, "%s\n", line.c_str());
    SetupGenerator generator;
    for (std::size_t row = 0; row < rows; ++row) {
        line.clear();
        for (const std::string& field : BatchInputFields(generator.Next(), std::to_string(row + 1))) {
            line.append(line.empty() ? "" : ",").append(field);
        }
        std::fprintf(file, "%s\n", line.c_str());
    }
}

std::string WriteBatch(std::size_t rows) {
    std::string path = "/tmp/tarvex-budget-bench-XXXXXX";
    std::FILE* file = ::fdopen(::mkstemp(path.data()), "w");
    WriteBatchTo(file, rows);
    std::fclose(file);
    return path;
}

// Seconds of EvaluateBudget over the first `rows` setups, prepared chunk by chunk outside the timing.
double BareEvaluation(std::size_t rows) {
    SetupGenerator generator;
    std::vector<MeasurementSetup> setups(kChunk);
    double seconds = 0.0;
    double sink = 0.0;
    for (std::size_t done = 0; done < rows; done += kChunk) {
        std::ranges::generate(setups, [&] { return generator.Next(); });
        const Clock::time_point start = Clock::now();
        for (const MeasurementSetup& setup : setups) {
            sink += EvaluateBudget(setup).MU;
        }
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    std::printf("(checksum %.6g)\n", sink);
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    // "--write-batch" writes the benchmark's batch to standard output and stops, for comparing the tool's
    // output across versions or profiling it on its own.
    if (argc == 2 && std::string_view(argv[1]) == "--write-batch") {
        WriteBatchTo(stdout, kRows);
        return 0;
    }
    const std::string batch = WriteBatch(kRows);
    const std::string small = WriteBatch(1000);
    std::vector<double> toolSeconds;
    std::vector<double> bareSeconds;
    double peakMiB = 0.0;
    for (int i = 0; i < kRepetitions; ++i) {
        const ProcessCost cost = RunTool({"--batch", batch}, true);
        toolSeconds.push_back(cost.seconds);
        peakMiB = std::max(peakMiB, cost.peakMiB);
        bareSeconds.push_back(BareEvaluation(kRows));
    }
    const double smallPeakMiB = RunTool({"--batch", small}, true).peakMiB;
    constexpr int kSingleCalls = 51;
    std::vector<double> singleSeconds;
    singleSeconds.reserve(kSingleCalls);
    for (int i = 0; i < kSingleCalls; ++i) {
        singleSeconds.push_back(RunTool({"--sensor", "TS-106", "--frequency", "20", "--level", "8", "--unit",
                                         "percent", "--fd-lin", "systematic"})
                                    .seconds);
    }
    ::unlink(batch.c_str());
    ::unlink(small.c_str());

    const double tool = Median(toolSeconds);
    const double bare = Median(bareSeconds);
    const auto perRow = [](double seconds) { return seconds / static_cast<double>(kRows) * 1e9; };
    std::printf("rows                          %zu\n", kRows);
    std::printf("tarvex-budget --batch         %.2f s  %.0f rows/s  %.0f ns/row\n", tool,
                static_cast<double>(kRows) / tool, perRow(tool));
    std::printf("EvaluateBudget alone          %.2f s  %.0f rows/s  %.0f ns/row\n", bare,
                static_cast<double>(kRows) / bare, perRow(bare));
    std::printf("ratio                         %.2f\n", tool / bare);
    std::printf("peak resident memory          %.1f MiB (1,000 rows: %.1f MiB)\n", peakMiB, smallPeakMiB);
    std::printf("single setup call             %.2f ms (median of %zu)\n", Median(singleSeconds) * 1e3,
                singleSeconds.size());
    return 0;
}
