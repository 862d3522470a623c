#pragma once

#include <string>

namespace tavrel {

// A file written under a temporary name beside its final one and renamed
// into place only once every byte is on the disk, so that a full card or an
// error half-way leaves whatever was there before untouched.
class ReplacingFile {
public:
    ReplacingFile() = default;
    // Removes the temporary file unless Commit succeeded.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file in the folder of `path`; false when it
    // cannot be created.
    bool Open(const std::string& path);
    // Failures are remembered and reported by Commit.
    void Write(const std::string& text);
    // Flushes the temporary file to the disk and renames it to the final
    // name; false, with the temporary removed, when any step failed.
    bool Commit();

private:
    void Discard();

    int m_fd = -1;
    bool m_failed = false;
    std::string m_path;
    std::string m_temporary;
};

}  // namespace tavrel
