#pragma once

#include <sys/types.h>

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
// terminal) are written directly. A regular file, existing or new, is written to an unnamed temporary
// file in its directory (O_TMPFILE) that Commit links in, so that an error or an interrupted run, even
// one killed by SIGKILL, leaves the previous file whole and nothing beside it. Where the file system has
// no unnamed files, a hidden temporary file beside the target is renamed over it instead; the destructor
// and a terminating signal remove that one.
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
    void OpenDirect();
    void OpenReplacement(bool exists, mode_t mode);
    void NameUnnamed();

    std::string m_path;         // as given, for messages
    std::string m_finalPath;    // the regular file to replace, empty when written directly
    std::string m_tempPath;     // a named temporary file, to be renamed over the target
    bool m_unnamed = false;     // written to an O_TMPFILE file
    bool m_finalLinked = false; // linked in as the target itself
    std::FILE* m_stream = nullptr;
    bool m_ownsStream = false;
};

} // namespace tarvex::cli
