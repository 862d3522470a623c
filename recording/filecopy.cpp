#include "filecopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace tavrel {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool CopyContent(int from, int to) {
    std::vector<char> buffer(1 << 20);
    while (true) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0) {
            return true;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        for (ssize_t written = 0; written < got;) {
            const ssize_t put = ::write(to, buffer.data() + written, got - written);
            if (put < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return false;
            }
            written += put;
        }
    }
}

std::string FolderOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

}  // namespace

bool CopyFileSafely(const std::string& source, const std::string& destination) {
    FileDescriptor from(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (from.Get() < 0 || ::fstat(from.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    // Hidden, so that a folder scan never lists a copy still under way.
    std::string temporary = FolderOf(destination) + ".tavrel-copy-XXXXXX";
    FileDescriptor to(::mkostemp(temporary.data(), O_CLOEXEC));
    if (to.Get() < 0) {
        return false;
    }
    const timespec times[2] = {status.st_atim, status.st_mtim};
    const bool complete = CopyContent(from.Get(), to.Get()) && ::fsync(to.Get()) == 0 &&
                          ::fchmod(to.Get(), status.st_mode & 07777) == 0 &&
                          ::futimens(to.Get(), times) == 0 && to.Close() &&
                          ::rename(temporary.c_str(), destination.c_str()) == 0;
    if (!complete) {
        ::unlink(temporary.c_str());
    }
    return complete;
}

}  // namespace tavrel
