#include "recordingname.h"

#include <sys/stat.h>

#include <cstddef>

namespace tavrel {

namespace {

bool IsAsciiAlnum(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsAsciiDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

// Length in UTF-16 code units, the characters the camera's 8.3 rule counts.
std::size_t Utf16Length(const std::string& text) {
    std::size_t length = 0;
    for (const unsigned char c : text) {
        if ((c & 0xC0) != 0x80) {
            length += c >= 0xF0 ? 2 : 1;  // four-byte sequences need a surrogate pair
        }
    }
    return length;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

bool IsReadOnlyFile(const std::string& path) {
    struct stat status {};
    // Attributes that cannot be read count as read-only, so such a file is
    // never treated as free to delete.
    return ::stat(path.c_str(), &status) != 0 || (status.st_mode & S_IWUSR) == 0;
}

RecordingNameCheck IsRecordingName(const std::string& folder, const std::string& name) {
    RecordingNameCheck check;
    check.accepted = true;
    for (std::size_t i = 0; i < 4 && i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (!IsAsciiAlnum(c) && c != '_' && c != '-') {
            check.accepted = false;
        }
    }
    // Only ASCII bytes can pass the tests below, so byte positions are
    // character positions here.
    if (Utf16Length(name) < 8) {
        check.accepted = false;
    } else {
        for (std::size_t i = 4; i < 8; ++i) {
            if (!IsAsciiDigit(static_cast<unsigned char>(name[i]))) {
                check.accepted = false;
            }
        }
    }
    if (Utf16Length(name) != 12 && EndsWith(name, ".AVI")) {
        check.accepted = false;
    }

    std::string path = folder;
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    path += name;
    if (IsReadOnlyFile(path)) {
        check.lockFlags = name.compare(0, 4, "EVGS") == 0 ? LOCK_EVENT : LOCK_OTHER;
    }
    return check;
}

}  // namespace tavrel
