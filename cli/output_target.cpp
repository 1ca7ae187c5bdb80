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
            // A device, pipe or socket: never renamed over, written as it is.
            m_stream = std::fopen(path.c_str(), "w");
            if (m_stream == nullptr) {
                throw OutputError(Reason("cannot open", path));
            }
            m_ownsStream = true;
        } else {
            // The file a symbolic link points to is the one replaced; the link stays.
            std::array<char, PATH_MAX + 1> resolved{};
            m_finalPath =
                exists && ::realpath(path.c_str(), resolved.data()) != nullptr ? resolved.data() : path;
            const std::size_t slash = m_finalPath.rfind('/');
            const std::string directory = slash == std::string::npos ? "" : m_finalPath.substr(0, slash + 1);
            const std::string name = slash == std::string::npos ? m_finalPath : m_finalPath.substr(slash + 1);
            m_tempPath = directory + "." + name + ".XXXXXX";
            const int fd = ::mkstemp(m_tempPath.data());
            if (fd < 0) {
                throw OutputError(Reason("cannot write beside", path));
            }
            GuardTemp(m_tempPath);
            // The new file gets the old one's permissions, or those a new file gets under the umask.
            const mode_t umask = ::umask(0);
            ::umask(umask);
            ::fchmod(fd, exists ? (status.st_mode & 07777U) : (0666U & ~umask));
            m_stream = ::fdopen(fd, "w");
            m_ownsStream = true;
        }
    }
    std::setvbuf(m_stream, nullptr, _IOFBF, kStreamBuffer);
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

void OutputTarget::Commit() {
    const bool flushed = std::fflush(m_stream) == 0 && std::ferror(m_stream) == 0;
    if (!flushed) {
        throw OutputError(Reason("cannot write", m_path == "-" ? "standard output" : m_path));
    }
    if (m_tempPath.empty()) {
        return;
    }
    const bool synced = ::fsync(::fileno(m_stream)) == 0;
    const bool closed = std::fclose(m_stream) == 0;
    const bool written = synced && closed;
    m_stream = nullptr;
    if (!written) {
        throw OutputError(Reason("cannot write", m_path));
    }
    if (::rename(m_tempPath.c_str(), m_finalPath.c_str()) != 0) {
        throw OutputError(Reason("cannot replace", m_path));
    }
    m_tempPath.clear();
    UnguardTemp();
}

} // namespace tarvex::cli
