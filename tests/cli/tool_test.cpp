// tarvex-budget as a process: exit statuses, messages, the start state as a table, and files written
// whole or not at all.

#include "budget/batch_columns.h"
#include "budget/program_info.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <thread>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

void WriteFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the tool in a fresh directory with `input` on standard input.
class Tool : public ::testing::Test {
protected:
    void SetUp() override {
        std::string dir = (fs::temp_directory_path() / "tarvex-budget-XXXXXX").string();
        ASSERT_NE(::mkdtemp(dir.data()), nullptr);
        m_dir = dir;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    Outcome Invoke(const std::vector<std::string>& args, const std::string& input = "") {
        WriteFile(m_dir / "stdin", input);
        std::string command = "cd '" + m_dir.string() + "' && '" TARVEX_BUDGET "'";
        for (const std::string& arg : args) {
            command += " '" + arg + "'";
        }
        command += " <stdin >stdout 2>stderr";
        const int status = std::system(command.c_str());
        Outcome outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(m_dir / "stdout"),
                        ReadFile(m_dir / "stderr")};
        fs::remove(m_dir / "stdin");
        fs::remove(m_dir / "stdout");
        fs::remove(m_dir / "stderr");
        return outcome;
    }

    // Names in the directory: nothing else may be left behind, a temporary file least of all.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir)) {
            names.push_back(entry.path().filename().string());
        }
        std::ranges::sort(names);
        return names;
    }

    fs::path m_dir;
};

TEST_F(Tool, ExitStatusesAndMessages) {
    struct Case {
        std::vector<std::string> args;
        std::string input;
        int status;
        std::string errStart; // start of standard error
    };
    const std::vector<Case> cases{
        {{"--version"}, "", 0, ""},
        {{"--batch", "-"}, "level_dbm\n20\n", 0, ""},
        {{"--batch", "-", "--format", "JSONL", "--values", "display"}, "level_dbm\n", 0, ""},
        {{"--batch", "-"},
         "level_dbm\n20\n21\n",
         1,
         "-:3: level_dbm: 21 is above TS-301's top level 20 dBm\n"},
        {{"--batch", "-"}, "level_dbm\n\"20\n", 1, "-:2: quoted field not closed at the end of the input\n"},
        {{"--batch", "-"}, "id;Operator\nA;Kim\n", 0, "-: columns carried through unread: 'Operator'\n"},
        {{"--batch", "-", "--delimiter", "semicolon"},
         "id,x;level_dbm\nA,B;-10,5\n",
         0,
         "-: columns carried through unread: 'id,x'\n"},
        {{"--batch", "-", "--delimiter", "pipe"}, "", 2, "tarvex-budget: --delimiter: pipe not in {"},
        {{"--batch", "-"}, "level\n", 2, "-:1: unknown column 'level' (did you mean level_dbm?)\n"},
        {{"--batch", "missing.csv"},
         "",
         2,
         "tarvex-budget: cannot read 'missing.csv': No such file or directory\n"},
        {{"--batch", "."}, "", 2, "tarvex-budget: cannot read '.': it is a directory\n"},
        {{"--batch", "-", "--output", "no/such/dir/out.csv"}, "", 2, "tarvex-budget: cannot write beside"},
        {{"--batch", "-", "--output", "."}, "", 2, "tarvex-budget: cannot write '.': it is a directory\n"},
        {{"--batch", "-", "--format", "text"}, "", 2, "tarvex-budget: text is not a batch format"},
        {{"--batch", "-", "--sensor", "TS-301"},
         "",
         2,
         "tarvex-budget: --sensor cannot be combined with --batch"},
        {{"--level", "35"}, "", 2, "tarvex-budget: --level: 35 is above TS-301's top level 20 dBm\n"},
        {{"--level", "-10,5"}, "", 2, "tarvex-budget: --level: '-10,5' is not a number\n"},
        {{"--level", "-10,5", "--decimal-comma"}, "", 0, ""},
        {{"--format", "xml"}, "", 2, "tarvex-budget: --format: xml not in {"},
        {{"--coverage=normal"}, "", 2, "tarvex-budget: --coverage: normal not in {"},
        {{"--bogus"}, "", 2, "tarvex-budget: The following argument was not expected: --bogus"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = Invoke(c.args, c.input);
        SCOPED_TRACE(c.args.front() + " " + c.args.back());
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_TRUE(outcome.err.starts_with(c.errStart)) << outcome.err;
        EXPECT_EQ(c.errStart.empty(), outcome.err.empty()) << outcome.err;
    }
    // The help explains every output column and ends with an example and where the columns stand.
    const std::string help = Invoke({"--help"}).out;
    for (const std::string& column : tarvex::BatchResultColumns()) {
        EXPECT_NE(help.find("\n  " + column + " "), std::string::npos) << column;
    }
    EXPECT_NE(help.find("\nExample: tarvex-budget --batch "), std::string::npos);
    EXPECT_TRUE(help.ends_with("'Output columns' for the results.\n")) << help;
    EXPECT_EQ(Invoke({"--version"}).out, "tarvex-budget " + std::string(tarvex::kProgramVersion) + "\n");
}

// The table's layout: captions padded to one column, ticks, a blank line before the sums. The start
// state's texts are the core's; other settings change the captions, ticks and rows.
TEST_F(Tool, TextTable) {
    const Outcome start = Invoke({});
    EXPECT_EQ(start.status, 0);
    EXPECT_TRUE(start.out.starts_with("Power Sensor                             TS-301\n"
                                      "Basic Unit                               BX-20\n"))
        << start.out;
    EXPECT_NE(start.out.find("Frequency dep. Linearity Error           statistical\n\n"
                             "Calibration Uncertainty              [x] 0.060 dB\n"),
              std::string::npos)
        << start.out;
    EXPECT_TRUE(start.out.ends_with("Harmonics Effect 3f                  [x] 0.000 dB\n"
                                    "\n"
                                    "Combined Standard Uncertainty            0.075 dB\n"
                                    "Expanded Uncertainty of Level (k=2)      0.15 dB\n"))
        << start.out;

    const std::string percent = Invoke({"--unit", "percent", "--mismatch", "conservative", "--fd-lin",
                                        "systematic", "--exclude", "drift,Noise"})
                                    .out;
    for (const char* line : {"\nDisplay Noise                        [ ] 0.00 %\n",
                             "\nMismatch Uncertainty (conservative)  [x] 1.27 %\n",
                             "\nExpanded Uncertainty of Power (k=2)      3.8 %\n"
                             "Systematic Error of Power                0.0 %\n"}) {
        EXPECT_NE(percent.find(line), std::string::npos) << line << percent;
    }
    // The coverage rows follow the expanded uncertainty; the Monte Carlo adds its trials.
    EXPECT_TRUE(Invoke({"--coverage"})
                    .out.ends_with("Expanded Uncertainty of Level (k=2)      0.15 dB\n"
                                   "Coverage of \u00b1U                           95.7 %\n"
                                   "95 % Coverage Interval                   \u00b10.14 dB (k = 1.94)\n"));
    EXPECT_TRUE(Invoke({"--coverage", "montecarlo"})
                    .out.ends_with("Monte Carlo Trials                       760000\n"));
}

// A regular file is replaced whole once the input has been read, invalid rows included, keeping its
// permissions; a run that fails leaves the previous file; a device is written directly.
TEST_F(Tool, OutputFileWrittenWholeOrNotAtAll) {
    const fs::path out = m_dir / "out.csv";
    WriteFile(out, "previous\n");
    fs::permissions(out, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    EXPECT_EQ(Invoke({"--batch", "-", "--output", "out.csv"}, "id,Sensr\nA,TS-301\n").status, 2);
    EXPECT_EQ(ReadFile(out), "previous\n");
    EXPECT_EQ(Files(), std::vector<std::string>{"out.csv"});

    EXPECT_EQ(
        Invoke({"--batch", "-", "--output", "out.csv", "--format", "jsonl"}, "id,level_dbm\nA,0\nB,99\n")
            .status,
        1);
    const std::string written = ReadFile(out);
    EXPECT_TRUE(written.starts_with("{\"id\":\"A\",\"unit\":\"dB\",\"u_cal\":0.06,")) << written;
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 2);
    EXPECT_EQ(fs::status(out).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Files(), std::vector<std::string>{"out.csv"});

    // An unclosed quote at the end spoils its row only.
    EXPECT_EQ(Invoke({"--batch", "-", "--output", "out.csv"}, "id\nA\n\"B\n").status, 1);
    const std::string partly = ReadFile(out);
    EXPECT_EQ(std::count(partly.begin(), partly.end(), '\n'), 3);
    EXPECT_EQ(Files(), std::vector<std::string>{"out.csv"});

    EXPECT_EQ(Invoke({"--output", "new.csv", "--format", "csv"}).status, 0);
    const std::string single = ReadFile(m_dir / "new.csv");
    EXPECT_EQ(std::count(single.begin(), single.end(), '\n'), 2);

    EXPECT_EQ(Invoke({"--batch", "-", "--output", "/dev/null"}, "id\nA\n").status, 0);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// Whether the process has a file open that has no name (an unnamed temporary file or a deleted one).
bool HoldsUnnamedFile(pid_t pid) {
    const fs::path fds = "/proc/" + std::to_string(pid) + "/fd";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fds, error)) {
        if (fs::read_symlink(entry.path(), error).string().ends_with(" (deleted)")) {
            return true;
        }
    }
    return false;
}

// Killed outright while it writes, the tool leaves the previous file whole and nothing beside it, where
// the file system has unnamed temporary files.
TEST_F(Tool, KilledRunLeavesNothingBehind) {
    const int probe = ::open(m_dir.c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (probe < 0) {
        GTEST_SKIP() << "no unnamed temporary files here";
    }
    ::close(probe);
    const fs::path out = m_dir / "out.csv";
    WriteFile(out, "previous\n");
    std::array<int, 2> input{};
    ASSERT_EQ(::pipe(input.data()), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(input[0], STDIN_FILENO);
        ::close(input[1]);
        if (::chdir(m_dir.c_str()) == 0) {
            ::execl(TARVEX_BUDGET, TARVEX_BUDGET, "--batch", "-", "--output", "out.csv", nullptr);
        }
        ::_exit(127);
    }
    ::close(input[0]);
    const std::string rows = "id\nA\n";
    EXPECT_EQ(::write(input[1], rows.data(), rows.size()), static_cast<ssize_t>(rows.size()));
    // The tool opens its output before it reads; the pipe stays open, so it waits for more rows.
    bool unnamed = false;
    for (int look = 0; look < 3000 && !unnamed && Files().size() == 1; ++look) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        unnamed = HoldsUnnamedFile(pid);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ::close(input[1]);
    EXPECT_TRUE(unnamed);
    EXPECT_EQ(ReadFile(out), "previous\n");
    EXPECT_EQ(Files(), std::vector<std::string>{"out.csv"});
}

} // namespace
