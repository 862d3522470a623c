// Preloaded into a program under test: every open of the file whose path ends
// with $TAVREL_FAIL_REOPEN fails with EIO after the first, as when the card
// goes away between the scan and the reading of a recording.

#include <dlfcn.h>
#include <fcntl.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

using OpenFunction = int (*)(const char*, int, ...);

int g_opensOfTheFile = 0;

bool FailsThisOpen(const char* path) {
    const char* suffix = std::getenv("TAVREL_FAIL_REOPEN");
    if (suffix == nullptr || path == nullptr) {
        return false;
    }
    const std::size_t pathLength = std::strlen(path);
    const std::size_t suffixLength = std::strlen(suffix);
    if (pathLength < suffixLength || std::strcmp(path + pathLength - suffixLength, suffix) != 0) {
        return false;
    }
    return ++g_opensOfTheFile > 1;
}

int Forward(const char* symbol, const char* path, int flags, va_list arguments) {
    // The mode follows only when the open may create the file.
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) != 0 ? va_arg(arguments, mode_t) : 0;
    if (FailsThisOpen(path)) {
        errno = EIO;
        return -1;
    }
    const auto real = reinterpret_cast<OpenFunction>(::dlsym(RTLD_NEXT, symbol));
    return real(path, flags, mode);
}

}  // namespace

extern "C" int open(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const int fd = Forward("open", path, flags, arguments);
    va_end(arguments);
    return fd;
}

extern "C" int open64(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const int fd = Forward("open64", path, flags, arguments);
    va_end(arguments);
    return fd;
}
