#include "windowedfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tavrel {

namespace {

PositionalRead g_positionalRead = ::pread;

}  // namespace

void SetPositionalRead(PositionalRead read) {
    g_positionalRead = read != nullptr ? read : ::pread;
}

WindowedFile::~WindowedFile() {
    Close();
}

bool WindowedFile::Open(const std::filesystem::path& path) {
    Close();
    // Non-blocking so that a FIFO handed in by name cannot stall the open.
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0) {
        return false;
    }
    struct stat status {};
    if (::fstat(m_fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        Close();
        return false;
    }
    m_length = static_cast<std::uint64_t>(status.st_size);
    return true;
}

void WindowedFile::Close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_length = 0;
    m_windowStart = 0;
    m_window.clear();
}

std::size_t WindowedFile::ReadAt(std::uint64_t position, void* out, std::size_t count) {
    auto* bytes = static_cast<std::uint8_t*>(out);
    std::size_t copied = 0;
    while (copied < count) {
        const std::span<const std::uint8_t> view = View(position + copied, count - copied);
        if (view.empty()) {
            break;
        }
        const std::size_t piece = std::min(view.size(), count - copied);
        std::memcpy(bytes + copied, view.data(), piece);
        copied += piece;
    }
    return copied;
}

std::span<const std::uint8_t> WindowedFile::View(std::uint64_t position, std::size_t count) {
    if (position >= m_length || count == 0) {
        return {};
    }
    const std::uint64_t wanted =
        std::min<std::uint64_t>(std::min<std::size_t>(count, kWindowSize), m_length - position);
    const bool inWindow =
        position >= m_windowStart && position + wanted <= m_windowStart + m_window.size();
    if (!inWindow) {
        Fill(position);
    }
    const std::uint64_t skipped = position - m_windowStart;
    if (skipped >= m_window.size()) {
        return {};  // the file shrank since it was opened
    }
    return std::span<const std::uint8_t>(m_window).subspan(static_cast<std::size_t>(skipped));
}

void WindowedFile::Fill(std::uint64_t position) {
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(kWindowSize, m_length - position));
    m_window.resize(wanted);
    m_windowStart = position;
    std::size_t filled = 0;
    while (filled < wanted) {
        const ssize_t got = g_positionalRead(m_fd, m_window.data() + filled, wanted - filled,
                                             static_cast<off_t>(position + filled));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            m_window.clear();
            throw FileReadError(std::strerror(errno));
        }
        if (got == 0) {
            break;  // the file shrank since it was opened
        }
        filled += static_cast<std::size_t>(got);
    }
    m_window.resize(filled);
}

}  // namespace tavrel
