// Drives the batch reader of tarvex-budget with arbitrary bytes: malformed CSV, huge numbers, NaN, inf,
// hexadecimal numbers, signs and blanks. Besides anything the sanitizers object to, it is a fault when
// the number of result rows differs from the number of rows read, when a row has neither results nor an
// error, or when the CSV written does not read back as one header and one record per row, each with the
// id, the carried-through fields, the unit, the fifteen results and the error.

#include "cli/batch_run.h"
#include "cli/csv_record_reader.h"
#include "cli/result_writers.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

using namespace tarvex;
using namespace tarvex::cli;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Passes rows on to the real writer and checks each.
class CheckingWriter final : public RowWriter {
public:
    explicit CheckingWriter(RowWriter& inner)
        : m_inner(inner) {}
    void Begin(std::span<const std::string> carriedColumns) override {
        carried = carriedColumns.size();
        m_inner.Begin(carriedColumns);
    }
    void Row(const ResultRow& row) override {
        Check(!row.id.empty());
        Check(row.results.empty() != row.error.empty());
        Check(row.results.empty() == row.unit.empty());
        Check(row.results.empty() || row.results.size() == kContributionCount + 3);
        Check(row.carried.size() == carried);
        ++rows;
        m_inner.Row(row);
    }
    std::uint64_t rows = 0;
    std::size_t carried = 0;

private:
    RowWriter& m_inner;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ValueStyle style = size % 2 == 0 ? ValueStyle::exact : ValueStyle::display;
    // Half the inputs with their separator detected, the others with one given and a decimal comma.
    constexpr std::array<char, 3> kSeparators{',', ';', '\t'};
    const BatchReading reading = size % 4 < 2 ? BatchReading{} : BatchReading{kSeparators[size % 3], true};

    char* written = nullptr;
    std::size_t writtenSize = 0;
    std::FILE* out = ::open_memstream(&written, &writtenSize);
    std::FILE* diagnostics = std::fopen("/dev/null", "w");
    const auto csv = MakeRowWriter(OutputFormat::csv, style, out);
    CheckingWriter writer(*csv);
    MemorySource input(bytes);
    bool completed = true;
    BatchSummary summary;
    try {
        summary = RunBatch(input, "fuzz", style, writer, diagnostics, reading);
    } catch (const InputError&) {
        completed = false;
    }
    std::fclose(diagnostics);
    std::fclose(out);

    if (completed) {
        Check(summary.rows == writer.rows);
        MemorySource again(std::string_view(written, writtenSize));
        CsvRecordReader reader(again, ',');
        CsvRecord record;
        std::uint64_t records = 0;
        while (reader.Next(record)) {
            Check(record.malformed.empty() && record.fieldCount == kContributionCount + 6 + writer.carried);
            ++records;
        }
        Check(records == summary.rows + 1);
    }
    std::free(written);
    return 0;
}
