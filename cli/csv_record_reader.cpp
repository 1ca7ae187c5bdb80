#include "cli/csv_record_reader.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

namespace tarvex::cli {
namespace {

constexpr std::size_t kBufferSize = std::size_t{64} << 10U;
// Fields beyond this many are counted but not kept: a record that long is invalid anyway, and keeping
// them would let one line of commas take a million strings.
constexpr std::size_t kKeptFields = 256;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Only a line feed ends a record; the carriage return of CRLF counts as a blank around the last field.
// With a tab as the separator, a tab is no blank.
int IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' ? 1 : 0;
}

int IsBlankBesideTabs(unsigned char c) {
    return c == ' ' || c == '\r' ? 1 : 0;
}

int IsRecordEnd(unsigned char c) {
    return c == '\n' ? 1 : 0;
}

} // namespace

std::size_t FdSource::Read(std::span<char> buffer) {
    while (true) {
        const ssize_t got = ::read(m_fd, buffer.data(), buffer.size());
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            throw InputError(0, std::string("cannot read: ") + std::strerror(errno));
        }
    }
}

std::size_t MemorySource::Read(std::span<char> buffer) {
    const std::size_t count = std::min(buffer.size(), m_rest.size());
    std::copy_n(m_rest.begin(), count, buffer.begin());
    m_rest.remove_prefix(count);
    return count;
}

char DetectSeparator(std::string_view firstLine) {
    constexpr std::array<char, 3> kSeparators{',', ';', '\t'};
    std::array<std::size_t, kSeparators.size()> counts{};
    bool quoted = false;
    for (const char c : firstLine.substr(0, firstLine.find('\n'))) {
        quoted = quoted != (c == '"');
        for (std::size_t i = 0; i < kSeparators.size(); ++i) {
            counts[i] += !quoted && c == kSeparators[i] ? 1 : 0;
        }
    }
    return kSeparators[static_cast<std::size_t>(std::ranges::max_element(counts) - counts.begin())];
}

CsvRecordReader::CsvRecordReader(ByteSource& source, std::optional<char> separator)
    : m_source(source)
    , m_separator(separator)
    , m_buffer(kBufferSize) {
    StartParser();
}

CsvRecordReader::~CsvRecordReader() {
    csv_free(&m_parser);
}

void CsvRecordReader::RestartParser() {
    csv_free(&m_parser);
    StartParser();
}

void CsvRecordReader::StartParser() {
    // Strict: a quote inside an unquoted field or after a closing quote is an error, and so is a quoted
    // field left open at the end. Every line end outside quotes is reported, blank lines included.
    csv_init(&m_parser, CSV_STRICT | CSV_STRICT_FINI | CSV_REPALL_NL);
    csv_set_delim(&m_parser, static_cast<unsigned char>(Separator()));
}

void CsvRecordReader::UseBlankAndEndTests(std::string_view bytes) {
    // The carriage return is all that tells these tests from libcsv's own (blank: space or tab; record
    // end: carriage return or line feed). Without one the parser uses its own, which it inlines instead
    // of calling a function for every byte. libcsv takes a tab for a blank before it looks for the
    // separator, so a tab-separated file always needs a test of its own.
    const bool carriageReturn = bytes.find('\r') != std::string_view::npos;
    const bool tabs = Separator() == '\t';
    csv_set_space_func(&m_parser, tabs ? IsBlankBesideTabs : carriageReturn ? IsBlank : nullptr);
    csv_set_term_func(&m_parser, carriageReturn ? IsRecordEnd : nullptr);
}

// The start of the input: the byte-order mark is skipped, and the first line read whole (as far as the
// buffer holds it) to tell its separator.
void CsvRecordReader::ReadFirstLine() {
    const auto whole = [&] {
        const std::string_view read(m_buffer.data(), m_end);
        return read.find('\n') != std::string_view::npos || m_end == m_buffer.size();
    };
    while (m_end > 0 && !whole()) {
        const std::size_t more = m_source.Read(std::span(m_buffer).subspan(m_end));
        if (more == 0) {
            break;
        }
        m_end += more;
    }
    const std::string_view read(m_buffer.data(), m_end);
    if (read.starts_with(kByteOrderMark)) {
        m_begin = kByteOrderMark.size();
    }
    if (!m_separator) {
        m_separator = DetectSeparator(read.substr(m_begin));
        csv_set_delim(&m_parser, static_cast<unsigned char>(*m_separator));
    }
    m_atStart = false;
}

bool CsvRecordReader::Refill() {
    if (m_sourceDone) {
        return false;
    }
    m_begin = 0;
    m_end = m_source.Read(m_buffer);
    if (m_atStart) {
        ReadFirstLine();
    }
    m_sourceDone = m_end == 0;
    return !m_sourceDone;
}

void CsvRecordReader::OnField(void* bytes, std::size_t size, void* self) {
    CsvRecord& record = *static_cast<CsvRecordReader*>(self)->m_filling;
    if (record.fieldCount < kKeptFields) {
        if (record.fields.size() <= record.fieldCount) {
            record.fields.emplace_back();
        }
        record.fields[record.fieldCount].assign(static_cast<const char*>(bytes), size);
    }
    ++record.fieldCount;
}

void CsvRecordReader::OnRecordEnd(int /*terminator*/, void* self) {
    auto& reader = *static_cast<CsvRecordReader*>(self);
    reader.m_filling->blank = reader.m_filling->fieldCount == 0;
    reader.m_recordDone = true;
}

CsvRecordReader::Step CsvRecordReader::FinishInput(CsvRecord& record) {
    if (m_finished || m_skipToLineEnd) {
        return Step::end;
    }
    m_finished = true;
    record.line = m_recordLine;
    if (csv_fini(&m_parser, OnField, OnRecordEnd, this) != 0) {
        record.malformed = "quoted field not closed at the end of the input";
        return Step::record;
    }
    return m_recordDone ? Step::record : Step::end; // a last line without a line feed
}

CsvRecordReader::Segment CsvRecordReader::NextSegment() {
    const char* start = m_buffer.data() + m_begin;
    const std::size_t available = m_end - m_begin;
    const auto* lineFeed = static_cast<const char*>(std::memchr(start, '\n', available));
    const Segment segment{start,
                          lineFeed != nullptr ? static_cast<std::size_t>(lineFeed - start) + 1 : available,
                          lineFeed != nullptr};
    if (m_lineLength + segment.size - (segment.endsLine ? 1 : 0) > kLongestLine) {
        throw InputError(m_line, "line longer than 1 MiB");
    }
    m_begin += segment.size;
    return segment;
}

void CsvRecordReader::EndSegment(const Segment& segment) {
    if (segment.endsLine) {
        ++m_line;
        m_lineLength = 0;
    } else {
        m_lineLength += segment.size;
    }
}

// Parses a segment into `record`; true when the record is complete.
bool CsvRecordReader::ParseSegment(CsvRecord& record, const Segment& segment) {
    m_recordLength += segment.size;
    if (m_recordLength > kLongestLine) {
        throw InputError(m_recordLine, "record longer than 1 MiB");
    }
    record.line = m_recordLine;
    UseBlankAndEndTests(std::string_view(segment.start, segment.size));
    const std::size_t parsed = csv_parse(&m_parser, segment.start, segment.size, OnField, OnRecordEnd, this);
    EndSegment(segment);
    if (parsed < segment.size) {
        record.malformed = "misplaced '\"': a field with quotes must be quoted as a whole, "
                           "with each quote inside doubled";
        RestartParser();
        m_skipToLineEnd = !segment.endsLine;
        m_recordDone = true;
    }
    if (m_recordDone) {
        m_recordLine = m_line;
        m_recordLength = 0;
    }
    return m_recordDone;
}

CsvRecordReader::Step CsvRecordReader::Feed(CsvRecord& record) {
    m_filling = &record;
    record.fieldCount = 0;
    record.blank = false;
    record.malformed.clear();
    m_recordDone = false;
    while (true) {
        if (m_begin == m_end && !Refill()) {
            return FinishInput(record);
        }
        const Segment segment = NextSegment();
        if (!m_skipToLineEnd) {
            if (ParseSegment(record, segment)) {
                return Step::record;
            }
            continue;
        }
        EndSegment(segment);
        if (segment.endsLine) {
            m_skipToLineEnd = false;
            m_recordLine = m_line;
            m_recordLength = 0;
        }
    }
}

bool CsvRecordReader::Next(CsvRecord& record) {
    const auto giveHeldBlank = [&] {
        record.line = m_firstHeldBlank++;
        record.fieldCount = 0;
        record.blank = true;
        record.malformed.clear();
        --m_heldBlanks;
        return true;
    };
    if (m_heldBlanks > 0) {
        return giveHeldBlank();
    }
    if (m_holdingRecord) {
        std::swap(record, m_heldRecord);
        m_holdingRecord = false;
        return true;
    }
    while (Feed(record) == Step::record) {
        if (!record.blank) {
            if (m_heldBlanks == 0) {
                return true;
            }
            std::swap(record, m_heldRecord);
            m_holdingRecord = true;
            return giveHeldBlank();
        }
        if (m_heldBlanks++ == 0) {
            m_firstHeldBlank = record.line;
        }
    }
    m_heldBlanks = 0; // blank lines at the end are no records
    return false;
}

} // namespace tarvex::cli
