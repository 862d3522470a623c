#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <vector>

namespace tavrel {

// Thrown by WindowedFile when the system reports a read error.
class FileReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The positional read through which every WindowedFile reads: the system's
// pread unless a test puts its own in place, to count the reads a scan makes
// or to make them fail. Null puts the system's back.
using PositionalRead = ssize_t (*)(int fd, void* buffer, std::size_t count, off_t offset);
void SetPositionalRead(PositionalRead read);

// A file opened read-only and read through one window of file content.
// Folder scans run off SD cards in USB readers, where every read is a round
// trip: a walk that asks for four bytes at a time is served from the window,
// and the file is read only where the window does not reach.
class WindowedFile {
public:
    static constexpr std::size_t kWindowSize = 64 * 1024;

    WindowedFile() = default;
    ~WindowedFile();
    WindowedFile(const WindowedFile&) = delete;
    WindowedFile& operator=(const WindowedFile&) = delete;

    bool Open(const std::filesystem::path& path);
    void Close();
    std::uint64_t Length() const { return m_length; }

    // Copies up to `count` bytes at `position` into `out` and returns how many
    // the file holds there: fewer, down to 0, at and past its end. However
    // many bytes a caller asks for, the window stays one window in size.
    std::size_t ReadAt(std::uint64_t position, void* out, std::size_t count);

    // The window's bytes from `position` to its end, read first when the
    // window does not hold min(`count`, kWindowSize) of them; empty at and
    // past the end of the file. Valid until the next read.
    std::span<const std::uint8_t> View(std::uint64_t position, std::size_t count);

private:
    void Fill(std::uint64_t position);

    int m_fd = -1;
    std::uint64_t m_length = 0;
    std::uint64_t m_windowStart = 0;
    std::vector<std::uint8_t> m_window;
};

}  // namespace tavrel
