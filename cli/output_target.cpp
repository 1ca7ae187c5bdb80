#include "cli/output_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace tarvex::cli {
namespace {

constexpr std::size_t kStreamBuffer = std::size_t{64} << 10U;

// The temporary file of the run, for the signal handler: removing it is all a handler may safely do.
std::array<char, PATH_MAX + 1> g_tempPath{};
volatile std::sig_atomic_t g_haveTemp = 0;

extern "C" void RemoveTempAndDie(int signal) {
    if (g_haveTemp != 0) {
        ::unlink(g_tempPath.data());
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void GuardTemp(const std::string& path) {
    if (path.size() >= g_tempPath.size()) {
        return;
    }
    std::memcpy(g_tempPath.data(), path.c_str(), path.size() + 1);
    g_haveTemp = 1;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        std::signal(signal, RemoveTempAndDie);
    }
}

void UnguardTemp() {
    g_haveTemp = 0;
}

std::string Reason(const std::string& what, const std::string& path) {
    return what + " '" + path + "': " + std::strerror(errno);
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A name for the finished file beside its target, unique enough to be taken on the first try nearly
// always.
std::string SideName(const std::string& finalPath, unsigned attempt) {
    static std::random_device seed;
    return DirectoryOf(finalPath) + "/." + NameOf(finalPath) + "." + std::to_string(::getpid()) + "-" +
           std::to_string(seed()) + "-" + std::to_string(attempt);
}

} // namespace

OutputTarget::OutputTarget(const std::string& path)
    : m_path(path) {
    if (path == "-") {
        m_stream = stdout;
    } else {
        struct stat status {};
        const bool exists = ::stat(path.c_str(), &status) == 0;
        if (exists && S_ISDIR(status.st_mode)) {
            throw OutputError("cannot write '" + path + "': it is a directory");
        }
        if (exists && !S_ISREG(status.st_mode)) {
            OpenDirect();
        } else {
            // The new file gets the old one's permissions, or those a new file gets under the umask.
            const mode_t umask = ::umask(0);
            ::umask(umask);
            OpenReplacement(exists, exists ? (status.st_mode & 07777U) : (0666U & ~umask));
        }
    }
    std::setvbuf(m_stream, nullptr, _IOFBF, kStreamBuffer);
}

// A device, pipe or socket: never renamed over, written as it is.
void OutputTarget::OpenDirect() {
    m_stream = std::fopen(m_path.c_str(), "w");
    if (m_stream == nullptr) {
        throw OutputError(Reason("cannot open", m_path));
    }
    m_ownsStream = true;
}

// A regular file is written to an unnamed file in its directory (O_TMPFILE), which only Commit gives a
// name, so that not even SIGKILL leaves anything behind; where the file system cannot, to a hidden named
// file that the destructor and the terminating signals remove.
void OutputTarget::OpenReplacement(bool exists, mode_t mode) {
    // The file a symbolic link points to is the one replaced; the link stays.
    std::array<char, PATH_MAX + 1> resolved{};
    m_finalPath = exists && ::realpath(m_path.c_str(), resolved.data()) != nullptr ? resolved.data() : m_path;
    int fd = ::open(DirectoryOf(m_finalPath).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    m_unnamed = fd >= 0;
    if (!m_unnamed) {
        m_tempPath = DirectoryOf(m_finalPath) + "/." + NameOf(m_finalPath) + ".XXXXXX";
        fd = ::mkstemp(m_tempPath.data());
        if (fd < 0) {
            throw OutputError(Reason("cannot write beside", m_path));
        }
        GuardTemp(m_tempPath);
    }
    ::fchmod(fd, mode);
    m_stream = ::fdopen(fd, "w");
    m_ownsStream = true;
}

OutputTarget::~OutputTarget() {
    if (m_ownsStream && m_stream != nullptr) {
        std::fclose(m_stream);
    }
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        UnguardTemp();
    }
}

// Gives the finished unnamed file its name: straight at the target when there is none yet, else beside
// it, to be renamed over it.
void OutputTarget::NameUnnamed() {
    const std::string procPath = "/proc/self/fd/" + std::to_string(::fileno(m_stream));
    if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, m_finalPath.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        m_finalLinked = true;
        return;
    }
    constexpr unsigned kAttempts = 16;
    for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
        const std::string side = SideName(m_finalPath, attempt);
        if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, side.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            m_tempPath = side;
            GuardTemp(m_tempPath);
            return;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    throw OutputError(Reason("cannot write", m_path));
}

void OutputTarget::Commit() {
    const bool flushed = std::fflush(m_stream) == 0 && std::ferror(m_stream) == 0;
    if (!flushed) {
        throw OutputError(Reason("cannot write", m_path == "-" ? "standard output" : m_path));
    }
    if (m_finalPath.empty()) {
        return;
    }
    if (::fsync(::fileno(m_stream)) != 0) {
        throw OutputError(Reason("cannot write", m_path));
    }
    if (m_unnamed) {
        NameUnnamed();
    }
    const bool closed = std::fclose(m_stream) == 0;
    m_stream = nullptr;
    if (!closed) {
        throw OutputError(Reason("cannot write", m_path));
    }
    if (!m_finalLinked && ::rename(m_tempPath.c_str(), m_finalPath.c_str()) != 0) {
        throw OutputError(Reason("cannot replace", m_path));
    }
    m_tempPath.clear();
    UnguardTemp();
}

} // namespace tarvex::cli
