// Drives the batch reader of tarvex-budget with arbitrary bytes: malformed CSV, huge numbers, NaN, inf,
// hexadecimal numbers, signs and blanks. Besides anything the sanitizers object to, it is a fault when
// the number of result rows differs from the number of rows read, when a row has neither results nor an
// error, or when the CSV written does not read back as one header and one 17-field record per row.

#include "cli/batch_run.h"
#include "cli/csv_record_reader.h"
#include "cli/result_writers.h"

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
    void Begin() override { m_inner.Begin(); }
    void Row(std::string_view id, std::span<const std::string> results, std::string_view error) override {
        Check(!id.empty());
        Check(results.empty() != error.empty());
        Check(results.empty() || results.size() == kContributionCount + 3);
        ++rows;
        m_inner.Row(id, results, error);
    }
    std::uint64_t rows = 0;

private:
    RowWriter& m_inner;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ValueStyle style = size % 2 == 0 ? ValueStyle::exact : ValueStyle::display;

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
        summary = RunBatch(input, "fuzz", style, writer, diagnostics);
    } catch (const InputError&) {
        completed = false;
    }
    std::fclose(diagnostics);
    std::fclose(out);

    if (completed) {
        Check(summary.rows == writer.rows);
        MemorySource again(std::string_view(written, writtenSize));
        CsvRecordReader reader(again);
        CsvRecord record;
        std::uint64_t records = 0;
        while (reader.Next(record)) {
            Check(record.malformed.empty() && record.fieldCount == kContributionCount + 5);
            ++records;
        }
        Check(records == summary.rows + 1);
    }
    std::free(written);
    return 0;
}
