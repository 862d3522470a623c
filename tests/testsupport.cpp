#include "testsupport.h"

#include <gtest/gtest.h>

#include <ctime>

namespace tavrel::test {

std::filesystem::path FreshFolder(const std::string& name) {
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / name;
    std::error_code ignored;
    // Read-only files and folders left by an earlier run must go too.
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder);
    return folder;
}

std::string WriteRecording(const std::filesystem::path& path,
                           const samplegen::RiffNode& recording) {
    std::filesystem::create_directories(path.parent_path());
    samplegen::WriteFile(path, recording.Serialize());
    return path.string();
}

std::int64_t UtcSeconds(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    return static_cast<std::int64_t>(::timegm(&tm));
}

samplegen::RecordingSpec ShortRecording(int seconds, const samplegen::WallClock& start) {
    samplegen::RecordingSpec spec;
    spec.width = 160;
    spec.height = 120;
    spec.framesPerSecond = 1;
    spec.frameCount = seconds;
    spec.withAudio = false;
    spec.clock = start;
    spec.iditText = start.Text();
    return spec;
}

void MakeReadOnly(const std::filesystem::path& path) {
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
}

}  // namespace tavrel::test
