// Feeds arbitrary bytes to the recording reader as a file: whatever the
// bytes, ReadRecording must return 0 or -1 without crashing, hanging or
// reading out of bounds.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "avirecordingreader.h"

namespace {

std::string ScratchPath() {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder != nullptr ? folder : "/tmp") + "/tavrel-fuzz-" +
           std::to_string(::getpid()) + ".AVI";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = ScratchPath();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    tavrel::RecordingInfo info;
    const int result = tavrel::AviRecordingReader().ReadRecording(path, &info);
    if (result != 0 && result != -1) {
        std::abort();
    }
    if (result == 0 && (info.videoWidth == 0 || info.videoHeight == 0 || info.lengthMs == 0 ||
                        info.fileSize != size)) {
        std::abort();
    }
    return 0;
}
