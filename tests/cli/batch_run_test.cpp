#include "cli/batch_run.h"

#include "budget/inputs.h"
#include "budget/presentation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace tarvex::cli {
namespace {

struct BatchOutput {
    std::string written;
    std::string diagnostics;
    std::string fatal; // "LINE: message" of an InputError
};

BatchOutput Evaluate(std::string_view input, ValueStyle style = ValueStyle::exact,
                     OutputFormat format = OutputFormat::csv, const BatchReading& reading = {},
                     std::optional<CoverageMethod> coverage = std::nullopt) {
    BatchOutput result;
    char* written = nullptr;
    char* diagnostics = nullptr;
    std::size_t writtenSize = 0;
    std::size_t diagnosticsSize = 0;
    std::FILE* out = ::open_memstream(&written, &writtenSize);
    std::FILE* err = ::open_memstream(&diagnostics, &diagnosticsSize);
    MemorySource source(input);
    try {
        RunBatch(source, "in.csv", style, *MakeRowWriter(format, style, out, coverage), err, reading,
                 coverage);
    } catch (const InputError& error) {
        result.fatal = std::to_string(error.Line()) + ": " + error.what();
    }
    std::fclose(out);
    std::fclose(err);
    result.written.assign(written, writtenSize);
    result.diagnostics.assign(diagnostics, diagnosticsSize);
    std::free(written);
    std::free(diagnostics);
    return result;
}

// The records of written CSV, header first, read back with the tool's own reader.
std::vector<std::vector<std::string>> Records(const std::string& csv) {
    MemorySource source(csv);
    CsvRecordReader reader(source, ',');
    CsvRecord record;
    std::vector<std::vector<std::string>> records;
    while (reader.Next(record)) {
        records.emplace_back(record.fields.begin(),
                             record.fields.begin() + static_cast<std::ptrdiff_t>(record.fieldCount));
    }
    return records;
}

// "id|error" of every result row.
std::vector<std::string> IdsAndErrors(const std::string& csv) {
    std::vector<std::string> rows;
    for (const auto& record : Records(csv)) {
        rows.push_back(record.front() + "|" + record.back());
    }
    rows.erase(rows.begin());
    return rows;
}

// A row of a batch with every input column, holding the given values.
std::string Row(std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
    std::string row;
    for (const std::string_view column : kBatchInputColumns) {
        row += column == "id" ? "" : ",";
        for (const auto& [name, value] : values) {
            row += name == column ? std::string(value) : "";
        }
    }
    return row + "\n";
}

std::string AllColumnsHeader() {
    std::string header;
    for (const std::string_view column : kBatchInputColumns) {
        header.append(header.empty() ? "" : ",").append(column);
    }
    return header + "\n";
}

// Every kind of wrong value, each with its message naming what is wrong and what is allowed.
TEST(BatchRows, ErrorMessages) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {Row({{"sensor", "ts301"}}), "sensor: unknown 'ts301' (did you mean TS-301?)"},
        {Row({{"basic_unit", "bx20"}}), "basic_unit: unknown 'bx20' (did you mean BX-20?)"},
        {Row({{"resolution", "0.01"}}), "resolution: unknown '0.01' (did you mean 0.01 dB?)"},
        {Row({{"frequency_ghz", "abc"}}), "frequency_ghz: 'abc' is not a number"},
        {Row({{"frequency_ghz", "0x1p3"}, {"level_dbm", "inf"}, {"filter", "nan"}}),
         "frequency_ghz: '0x1p3' is not a number; level_dbm: 'inf' is not a number; filter: 'nan' is not a "
         "number"},
        {Row({{"frequency_ghz", "1e400"}, {"return_loss_db", "1 0"}}),
         "frequency_ghz: '1e400' is too large; return_loss_db: '1 0' is not a number"},
        {Row({{"frequency_ghz", "40"}}), "frequency_ghz: 40 is above TS-301's top frequency 18 GHz"},
        {Row({{"sensor", "TS-101"}, {"frequency_ghz", "0.001"}}),
         "frequency_ghz: 0.001 is below TS-101's bottom frequency 0.01 GHz"},
        {Row({{"level_dbm", "35"}}), "level_dbm: 35 is above TS-301's top level 20 dBm"},
        {Row({{"level_dbm", "-1e10"}}), "level_dbm: -1e10 is below TS-301's bottom level -30 dBm"},
        {Row({{"level_dbm", "20.5"}}), "level_dbm: 20.5 is above TS-301's top level 20 dBm"},
        {Row({{"level_dbm", "-2147483649"}, {"filter", "99999999999"}}),
         "level_dbm: -2147483649 is below TS-301's bottom level -30 dBm; "
         "filter: 99999999999 is above the top filter number 12"},
        {Row({{"sensor", "TS-999"}, {"level_dbm", "35"}}),
         "sensor: unknown 'TS-999' (one of TS-101, TS-102, TS-103, TS-104, TS-105, TS-106, TS-107, TS-108, "
         "TS-109, TS-201, TS-202A, TS-202B, TS-203, TS-301, TS-302, TS-303, TS-304, TS-305)"},
        {Row({{"return_loss_db", "60.5"}}), "return_loss_db: 60.5 is above the top return loss 60 dB"},
        {Row({{"filter", "13"}}), "filter: 13 is above the top filter number 12"},
        {Row({{"harmonic_2f_dbc", "-5"}, {"harmonic_3f_dbc", "-81"}}),
         "harmonic_2f_dbc: -5 is above the top harmonic level -10 dBc; "
         "harmonic_3f_dbc: -81 is below the bottom harmonic level -80 dBc"},
        {Row({{"temp_min_c", "30"}}), "temp_min_c: 30 is above temp_max_c 24"},
        {Row({{"temp_max_c", "51"}}), "temp_max_c: 51 is above the top temperature 50 \u00b0C"},
        {Row({{"mismatch", "maybe"}, {"fd_lin", "x"}}),
         "mismatch: unknown 'maybe' (one of probable, conservative); "
         "fd_lin: unknown 'x' (one of statistical, systematic)"},
        {Row({{"exclude", "drift foo"}, {"unit", "mW"}}),
         "exclude: unknown 'foo' (one of cal, drift, noise, lin, temp, GG, res, M, P_Coeff, fd_Lin, "
         "Harmonics2f, Harmonics3f); unit: unknown 'mW' (one of dB, percent)"},
    };
    std::string batch = AllColumnsHeader();
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        batch += cases[i].first;
        expected.push_back(std::to_string(i + 2) + "|" + cases[i].second);
    }
    const BatchOutput output = Evaluate(batch);
    EXPECT_EQ(IdsAndErrors(output.written), expected);
    EXPECT_EQ(output.diagnostics.substr(0, output.diagnostics.find('\n')),
              "in.csv:2: sensor: unknown 'ts301' (did you mean TS-301?)");
}

// Numbers as people and spreadsheets write them, and keywords in any letter case, mean the same setup.
TEST(BatchRows, SpellingsOfOneSetup) {
    const std::string reference = Row({{"frequency_ghz", "10"},
                                       {"level_dbm", "20"},
                                       {"mismatch", "conservative"},
                                       {"exclude", "drift noise"},
                                       {"unit", "percent"}});
    const std::vector<std::string> spellings{
        Row({{"frequency_ghz", "1e1"},
             {"level_dbm", "20.0"},
             {"mismatch", "CONSERVATIVE"},
             {"exclude", "\"Drift,NOISE\""},
             {"unit", "Percent"}}),
        Row({{"frequency_ghz", " +10. "},
             {"level_dbm", "2E+1"},
             {"mismatch", "Conservative"},
             {"exclude", " noise  drift "},
             {"unit", "PERCENT"}}),
        Row({{"frequency_ghz", "\"10.000\""},
             {"level_dbm", "020"},
             {"mismatch", "conservative"},
             {"exclude", "drift noise"},
             {"unit", "percent"}}),
        Row({{"frequency_ghz", "10"},
             {"level_dbm", "200e-1"},
             {"mismatch", "conservative"},
             {"exclude", "\"drift, noise, drift\""},
             {"unit", "percent"}}),
    };
    std::string batch = AllColumnsHeader() + reference;
    for (const std::string& spelling : spellings) {
        batch += spelling;
    }
    const auto records = Records(Evaluate(batch).written);
    ASSERT_EQ(records.size(), spellings.size() + 2);
    for (std::size_t row = 2; row < records.size(); ++row) {
        EXPECT_EQ(std::vector(records[row].begin() + 1, records[row].end()),
                  std::vector(records[1].begin() + 1, records[1].end()))
            << "row " << row;
    }
    EXPECT_EQ(records[1].back(), "");
}

// The shape of the input: byte-order mark, line ends, quoting, blank lines, field counts and encodings.
TEST(BatchRows, CsvShapes) {
    const std::string_view twoColumns = "2 fields where the header names 3 columns";
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases{
        {"\xEF\xBB\xBFid,level_dbm\r\nA,5\r\nB, 6 \r\n", {"A|", "B|"}},
        // Carriage returns inside a field and at a line's end, on lines among others without one.
        {"id,level_dbm\nA\rB,5\r\n\"C\r\nD\",6\nE,7\n", {"A\rB|", "C\r\nD|", "E|"}},
        {"id,level_dbm\n\"a,\"\"b\"\"\nc\",5\nlast,1", {"a,\"b\"\nc|", "last|"}},
        {"level_dbm,sensor\n5,\n\n\n", {"2|"}},
        {"id,level_dbm\nA,5\n\n  \nB,6\n",
         {"A|", "3|blank line where the header names 2 columns",
          "4|blank line where the header names 2 columns", "B|"}},
        {"level_dbm\n5\n\n7\n", {"2|", "3|", "4|"}},
        {"id,level_dbm,unit\nA,5\nB,1,dB,x\n",
         {"2|" + std::string(twoColumns), "3|4 fields where the header names 3 columns"}},
        {"id,level_dbm\nA,5\"\nB,\"6\"x\nC,\"7\"\n",
         {"2|misplaced '\"': a field with quotes must be quoted as a whole, with each quote inside doubled",
          "3|misplaced '\"': a field with quotes must be quoted as a whole, with each quote inside doubled",
          "C|"}},
        {"id,unit\n", {}},
        {"level_dbm,u_cal,MU,error\n5,junk,,x\n", {"2|"}}, // its own result columns are worked out afresh
        {"id\nA\n\"B\n", {"A|", "3|quoted field not closed at the end of the input"}},
        {"", {}},
    };
    for (const auto& [input, expected] : cases) {
        SCOPED_TRACE(input);
        EXPECT_EQ(IdsAndErrors(Evaluate(input).written), expected);
    }
    EXPECT_EQ(IdsAndErrors(Evaluate(std::string("id,sensor\nA,TS\0\nB,\xff\n", 20)).written),
              (std::vector<std::string>{"2|sensor: holds a NUL character",
                                        "3|sensor: holds bytes that are not UTF-8"}));
}

// A lab's own files: separators, decimal commas, header spellings, identifiers in any letter case, and
// columns of its own carried through after the id, in their order, and named once on standard error.
TEST(BatchRows, LabFiles) {
    struct Case {
        std::string input;
        BatchReading reading;
        std::vector<std::string> carried; // names, then the row's fields
    };
    const std::vector<Case> cases{
        {"ID;Operator;Frequency_GHz;return_loss_db;sensor;basic_unit;level_dbm\r\n"
         "A;Kim;10,5;20,5;ts-106;bx-10;-10,5\r\n",
         {},
         {"Operator", "Kim"}},
        {"id\toperator\tserial no\tfrequency_ghz\treturn_loss_db\tsensor\tbasic_unit\tlevel_dbm\n"
         "A\tKim\t 7 \t10,5\t20.5\tTS-106\tBx-10\t-10.50\n",
         {},
         {"operator", "serial no", "Kim", "7"}},
        {"id;note, with commas, many;frequency_ghz;return_loss_db;sensor;basic_unit;level_dbm\n"
         "A;a,b;10.5;20.5;TS-106;BX-10;-1.05e1\n",
         {';', false},
         {"note, with commas, many", "a,b"}},
        {" Id , FREQUENCY_GHZ,return_loss_db ,sensor,basic_unit,level_dbm\n"
         "A,\"10,5\",\"20,5\",TS-106,BX-10,\"-10,5\"\n",
         {std::nullopt, true},
         {}},
    };
    const auto reference = Records(
        Evaluate(
            "id,frequency_ghz,return_loss_db,sensor,basic_unit,level_dbm\nA,10.5,20.5,TS-106,BX-10,-10.5\n")
            .written);
    const std::vector results(reference[1].begin() + 1, reference[1].end());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        const BatchOutput output = Evaluate(c.input, ValueStyle::exact, OutputFormat::csv, c.reading);
        const auto records = Records(output.written);
        ASSERT_EQ(records.size(), 2U);
        const std::size_t carried = c.carried.size() / 2;
        std::vector<std::string> expected(c.carried.begin(), c.carried.end());
        EXPECT_EQ(std::vector(records[0].begin() + 1, records[0].begin() + 1 + carried),
                  std::vector(expected.begin(), expected.begin() + carried));
        EXPECT_EQ(std::vector(records[1].begin() + 1, records[1].begin() + 1 + carried),
                  std::vector(expected.begin() + carried, expected.end()));
        EXPECT_EQ(std::vector(records[1].begin() + 1 + carried, records[1].end()), results);
        EXPECT_EQ(output.diagnostics.find("columns carried through unread") != std::string::npos,
                  carried > 0);
    }
}

// Ids and carried fields that a spreadsheet would run as formulas are written as text; numbers stay.
TEST(BatchRows, FormulaGuard) {
    const std::string written = Evaluate("id,note\n=1+1,-5\n@x,+\n", ValueStyle::exact).written;
    const auto records = Records(written);
    ASSERT_EQ(records.size(), 3U);
    EXPECT_EQ(records[1][0] + "|" + records[1][1], "'=1+1|-5");
    EXPECT_EQ(records[2][0] + "|" + records[2][1], "'@x|'+");
    const std::string jsonl = Evaluate("id\n=1+1\n", ValueStyle::exact, OutputFormat::jsonl).written;
    EXPECT_TRUE(jsonl.starts_with("{\"id\":\"=1+1\",")) << jsonl;
}

// Input that cannot be read on ends the run after the rows before it; a bad header before any row.
TEST(BatchRows, FatalInput) {
    struct Case {
        std::string input;
        std::string fatal;
        std::size_t writtenRecords; // header included
    };
    const std::vector<Case> cases{
        {"id\n" + std::string((1U << 20U) + 1, 'x') + "\n", "2: line longer than 1 MiB", 1},
        {"id\n\"" + std::string(1U << 19U, 'x') + "\n" + std::string(1U << 19U, 'x') + "\"\n",
         "2: record longer than 1 MiB", 1},
        {"id,Sensr\nA,TS-301\n", "1: unknown column 'Sensr' (did you mean sensor?)", 0},
        {"id;Level-dBm\n", "1: unknown column 'Level-dBm' (did you mean level_dbm?)", 0},
        {"sensor, SENSOR\n", "1: column sensor appears twice", 0},
        {"\nsensor\n", "1: the first line must name the columns, it is blank", 0},
    };
    for (const Case& c : cases) {
        const BatchOutput output = Evaluate(c.input);
        EXPECT_EQ(output.fatal, c.fatal);
        EXPECT_EQ(Records(output.written).size(), c.writtenRecords) << c.fatal;
    }
}

TEST(BatchRows, InvalidRowsReportedUpToALimit) {
    std::string batch = "level_dbm\n";
    for (int row = 0; row < 25; ++row) {
        batch += "99\n";
    }
    const BatchOutput output = Evaluate(batch);
    EXPECT_EQ(std::count(output.diagnostics.begin(), output.diagnostics.end(), '\n'), 21);
    EXPECT_TRUE(
        output.diagnostics.starts_with("in.csv:2: level_dbm: 99 is above TS-301's top level 20 dBm\n"));
    EXPECT_TRUE(output.diagnostics.ends_with("in.csv:21: level_dbm: 99 is above TS-301's top level 20 dBm\n"
                                             "\u2026 and 5 more invalid rows\n"));
}

// Display values are the window's label texts for the setup a row describes; the second row is written
// by the core's own input fields of a batch, with every setting off its start value.
TEST(BatchRows, DisplayValuesAreTheWindowTexts) {
    std::vector<MeasurementSetup> setups(2, StartSetup());
    setups[1] = {"TS-109", "BX-10", 40.0, -10, 0, 0, 50, 35.5, "0.1 dB", -10, -80};
    setups[1].unit = ResultUnit::percent;
    setups[1].fdLinSystematic = true;
    setups[1].mismatchMode = MismatchMode::conservative;
    setups[1].include[Index(Contribution::drift)] = 0;
    std::string second;
    for (const std::string& field : BatchInputFields(setups[1], "2")) {
        second.append(second.empty() ? "" : ",").append(field);
    }
    const auto records =
        Records(Evaluate(AllColumnsHeader() + Row({}) + second + "\n", ValueStyle::display).written);
    ASSERT_EQ(records.size(), 3U);
    for (std::size_t i = 0; i < setups.size(); ++i) {
        const UncertaintyBudget budget = EvaluateBudget(setups[i]);
        const ResultTexts texts = PresentBudget(budget, setups[i].unit);
        std::vector<std::string> expected(texts.u.begin(), texts.u.end());
        expected.insert(expected.end(),
                        {texts.uc, texts.MU, budget.showSystematic ? texts.systematicError : ""});
        EXPECT_EQ(std::vector(records[i + 1].begin() + 2, records[i + 1].end() - 1), expected) << i;
    }
}

// The start state in CSV and JSON Lines, display and exact.
TEST(BatchRows, StartStateInBothRowFormats) {
    const std::string start = "id\nS\n";
    EXPECT_EQ(
        Evaluate(start, ValueStyle::display).written,
        "id,unit,u_cal,u_drift,u_noise,u_lin,u_temp,u_GG,u_res,u_M,u_P_Coeff,u_fd_Lin,u_Harmonics2f,"
        "u_Harmonics3f,uc,MU,systematic_error,error\r\n"
        "S,dB,0.060 dB,0.000 dB,0.000 dB,0.010 dB,0.000 dB,0.008 dB,0.003 dB,0.043 dB,0.000 dB,0.000 dB,"
        "0.000 dB,0.000 dB,\" 0.075 dB\",0.15 dB,,\r\n");
    const std::string displayed = Evaluate(start, ValueStyle::display, OutputFormat::jsonl).written;
    EXPECT_TRUE(displayed.starts_with(
        "{\"id\":\"S\",\"unit\":\"dB\",\"u_cal\":\"0.060 dB\",\"u_drift\":\"0.000 dB\","));
    EXPECT_TRUE(displayed.ends_with(",\"uc\":\" 0.075 dB\",\"MU\":\"0.15 dB\",\"systematic_error\":null,"
                                    "\"error\":null}\n"));
    const auto exact = Records(Evaluate(start).written);
    EXPECT_EQ(exact[1][2], "0.06");
    const auto systematic = Records(Evaluate("fd_lin\nsystematic\nstatistical\n").written);
    EXPECT_EQ(systematic[1][16], "0");
    EXPECT_EQ(systematic[2][16], ""); // hidden again in the next row
    const std::string jsonl =
        Evaluate("id,level_dbm\n\"q\"\"\\\",99\n", ValueStyle::exact, OutputFormat::jsonl).written;
    EXPECT_TRUE(jsonl.starts_with("{\"id\":\"q\\\"\\\\\",\"unit\":null,\"u_cal\":null,")) << jsonl;
    EXPECT_TRUE(jsonl.ends_with("\"error\":\"level_dbm: 99 is above TS-301's top level 20 dBm\"}\n"))
        << jsonl;
}

// The coverage columns stand before error: filled for a budget with a distribution, empty for one without
// (every contribution excluded) and for an invalid row; an output with them reads back as input.
TEST(BatchRows, CoverageColumns) {
    const std::string input = "id,exclude,level_dbm\n"
                              "A,,0\n"
                              "B,cal drift noise lin temp GG res M P_Coeff fd_Lin Harmonics2f Harmonics3f,0\n"
                              "C,,99\n";
    const struct {
        CoverageMethod method;
        ValueStyle style;
        std::vector<std::string> header, first; // the coverage columns, and row A's fields in them
    } cases[] = {
        {CoverageMethod::exact,
         ValueStyle::display,
         {"coverage_of_MU", "half_width_95", "k95"},
         {"95.7 %", "0.14 dB", "1.94"}},
        {CoverageMethod::monteCarlo,
         ValueStyle::display,
         {"coverage_of_MU", "half_width_95", "k95", "trials"},
         {"95.7 %", "0.15 dB", "1.94", "760000"}}, // batches of 10,000 until stable
    };
    for (const auto& c : cases) {
        const std::string written = Evaluate(input, c.style, OutputFormat::csv, {}, c.method).written;
        const auto records = Records(written);
        ASSERT_EQ(records.size(), 4U);
        const std::size_t at = records[0].size() - 1 - c.header.size();
        EXPECT_EQ(std::vector(records[0].begin() + static_cast<std::ptrdiff_t>(at), records[0].end() - 1),
                  c.header);
        EXPECT_EQ(std::vector(records[1].begin() + static_cast<std::ptrdiff_t>(at), records[1].end() - 1),
                  c.first);
        for (const std::size_t row : {2U, 3U}) {
            EXPECT_EQ(
                std::vector(records[row].begin() + static_cast<std::ptrdiff_t>(at), records[row].end() - 1),
                std::vector<std::string>(c.header.size()))
                << row;
        }
        EXPECT_EQ(records[2].back(), ""); // no distribution is not an error
        EXPECT_EQ(Evaluate(written.substr(0, written.find('\n') + 1)).fatal, ""); // the header reads back
    }
}

} // namespace
} // namespace tarvex::cli
