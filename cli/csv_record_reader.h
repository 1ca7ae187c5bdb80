#pragma once

#include <csv.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::cli {

// Where the bytes of a batch come from: a file descriptor (a file, a pipe, standard input) or memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to buffer.size() bytes; 0 at the end. Throws InputError when reading fails.
    virtual std::size_t Read(std::span<char> buffer) = 0;
};

class FdSource final : public ByteSource {
public:
    explicit FdSource(int fd)
        : m_fd(fd) {}
    std::size_t Read(std::span<char> buffer) override;

private:
    int m_fd;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes)
        : m_rest(bytes) {}
    std::size_t Read(std::span<char> buffer) override;

private:
    std::string_view m_rest;
};

// Input that cannot be read on: line is where it happened (0 when no line applies).
class InputError : public std::runtime_error {
public:
    InputError(std::uint64_t line, const std::string& message)
        : std::runtime_error(message)
        , m_line(line) {}
    std::uint64_t Line() const { return m_line; }

private:
    std::uint64_t m_line;
};

// One record of a CSV file. Its fields are reused from record to record; only the first fieldCount count.
struct CsvRecord {
    std::uint64_t line = 0; // line on which the record starts, from 1
    std::vector<std::string> fields;
    std::size_t fieldCount = 0;
    bool blank = false;    // a line without fields (blanks only)
    std::string malformed; // why the record's quoting is broken, empty when it is sound
};

// Reads CSV as RFC 4180 has it (fields in double quotes where they hold separators, quotes or line breaks,
// CRLF or LF) one record at a time with libcsv, so that memory stays bounded whatever the input's size.
// The separator is a comma, a semicolon or a tab: the one given, else the one that the first line holds
// most often outside quotes (a comma when it holds none), as spreadsheets in various locales export them.
// A UTF-8 byte-order mark at the start is skipped; blanks around an unquoted field are dropped. Blank
// lines are records of their own, except at the end of the input where they are none. A quote inside an
// unquoted field or after a closing quote makes the record malformed up to the end of its line; reading
// goes on with the next line. A quoted field still open at the end of the input makes the last record
// malformed. A line or record longer than kLongestLine ends the input with an InputError.
class CsvRecordReader {
public:
    static constexpr std::size_t kLongestLine = std::size_t{1} << 20U;

    explicit CsvRecordReader(ByteSource& source, std::optional<char> separator = std::nullopt);
    ~CsvRecordReader();
    CsvRecordReader(const CsvRecordReader&) = delete;
    CsvRecordReader& operator=(const CsvRecordReader&) = delete;

    // The next record, false at the end of the input.
    bool Next(CsvRecord& record);

    // The separator in use; known once the first record has been read.
    char Separator() const { return m_separator.value_or(','); }

private:
    enum class Step : std::uint8_t { record, end };
    // A piece of the buffer up to and including the next line feed, or up to the buffer's end.
    struct Segment {
        const char* start;
        std::size_t size;
        bool endsLine;
    };
    Step Feed(CsvRecord& record);
    Step FinishInput(CsvRecord& record);
    Segment NextSegment();
    void EndSegment(const Segment& segment);
    bool ParseSegment(CsvRecord& record, const Segment& segment);
    void StartParser();
    void RestartParser();
    void UseBlankAndEndTests(std::string_view bytes);
    bool Refill();
    void ReadFirstLine();
    static void OnField(void* bytes, std::size_t size, void* self);
    static void OnRecordEnd(int terminator, void* self);

    ByteSource& m_source;
    std::optional<char> m_separator;
    csv_parser m_parser{};
    std::vector<char> m_buffer;
    std::size_t m_begin = 0; // unread bytes of m_buffer
    std::size_t m_end = 0;
    bool m_atStart = true; // nothing read yet: a byte-order mark and the first line may follow
    bool m_sourceDone = false;
    bool m_finished = false;
    bool m_skipToLineEnd = false;   // the rest of a malformed record's line
    std::uint64_t m_line = 1;       // line of the next byte
    std::size_t m_lineLength = 0;   // bytes of the current line so far
    std::size_t m_recordLength = 0; // bytes of the current record so far
    std::uint64_t m_recordLine = 1; // line on which the current record started
    CsvRecord* m_filling = nullptr; // record that the callbacks fill
    bool m_recordDone = false;
    // Blank lines are held back until a record follows them, since at the end of the input they are none.
    std::uint64_t m_heldBlanks = 0;
    std::uint64_t m_firstHeldBlank = 0;
    CsvRecord m_heldRecord;
    bool m_holdingRecord = false;
};

// The separator that a header line uses: the one of ',', ';' and tab that it holds most often outside
// quotes; a comma on a tie or when it holds none.
char DetectSeparator(std::string_view firstLine);

} // namespace tarvex::cli
