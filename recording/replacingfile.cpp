#include "replacingfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace tavrel {

namespace {

std::atomic<unsigned> g_temporarySerial{0};

std::string FolderOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

ReplacingFile::~ReplacingFile() {
    Discard();
}

bool ReplacingFile::Open(const std::string& path) {
    Discard();
    m_path = path;
    m_failed = false;
    // A folder or a device under the final name is never replaced by a file.
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        return false;
    }
    // Our own unique name rather than mkstemp's, so that the file is created
    // with the mode the user's umask gives a new file, not 0600. Hidden, so
    // that a folder listing never shows an export still under way.
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_temporary = FolderOf(path) + ".tavrel-export-" + std::to_string(::getpid()) + "-" +
                      std::to_string(g_temporarySerial++);
        m_fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (m_fd < 0) {
        m_temporary.clear();
    }
    return m_fd >= 0;
}

void ReplacingFile::Write(const std::string& text) {
    if (m_fd < 0 || m_failed) {
        m_failed = true;
        return;
    }
    for (std::size_t written = 0; written < text.size();) {
        const ssize_t put = ::write(m_fd, text.data() + written, text.size() - written);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            m_failed = true;
            return;
        }
        written += static_cast<std::size_t>(put);
    }
}

bool ReplacingFile::Commit() {
    if (m_fd < 0) {
        return false;
    }
    const bool synced = !m_failed && ::fsync(m_fd) == 0;
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    if (!synced || !closed || ::rename(m_temporary.c_str(), m_path.c_str()) != 0) {
        Discard();
        return false;
    }
    m_temporary.clear();
    return true;
}

void ReplacingFile::Discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

}  // namespace tavrel
