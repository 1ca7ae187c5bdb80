#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>

namespace tarvex::cli {

// Output that cannot be opened or written, with the system's reason.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where the results go. Standard output and targets that are not regular files (/dev/null, a pipe, a
// terminal) are written directly. A regular file, existing or new, is written to a temporary file beside
// it and renamed over it by Commit, so that an error or an interrupted run leaves the previous file
// whole: the destructor, and a terminating signal, remove the temporary file instead.
class OutputTarget {
public:
    // "-" is standard output. Throws OutputError.
    explicit OutputTarget(const std::string& path);
    ~OutputTarget();
    OutputTarget(const OutputTarget&) = delete;
    OutputTarget& operator=(const OutputTarget&) = delete;

    std::FILE* Stream() const { return m_stream; }

    // Flushes everything written and puts it in place. Throws OutputError.
    void Commit();

private:
    std::string m_path;      // as given, for messages
    std::string m_finalPath; // the regular file to replace, empty when written directly
    std::string m_tempPath;
    std::FILE* m_stream = nullptr;
    bool m_ownsStream = false;
};

} // namespace tarvex::cli
