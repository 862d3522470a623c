#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>

#include "windowedfile.h"

namespace tavrel::test {

// Counts the reads every WindowedFile makes while it lives, and notes the
// largest: cards sit in USB readers where every read is a round trip, and a
// read as large as a size the file declares is memory the file made us take.
class ReadCounter {
public:
    ReadCounter() {
        s_reads = 0;
        s_largest = 0;
        SetPositionalRead(&CountedRead);
    }
    ~ReadCounter() { SetPositionalRead(nullptr); }
    ReadCounter(const ReadCounter&) = delete;
    ReadCounter& operator=(const ReadCounter&) = delete;

    int Reads() const { return s_reads; }
    std::size_t LargestRead() const { return s_largest; }

private:
    static ssize_t CountedRead(int fd, void* buffer, std::size_t count, off_t offset) {
        ++s_reads;
        s_largest = std::max(s_largest, count);
        return ::pread(fd, buffer, count, offset);
    }

    static inline int s_reads = 0;
    static inline std::size_t s_largest = 0;
};

}  // namespace tavrel::test
