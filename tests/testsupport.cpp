#include "testsupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <ctime>
#include <string>

namespace tavrel::test {

namespace {

// CTest runs every test case in a process of its own, several at a time, so
// each process works below a folder of its own and removes it when it ends.
class ScratchRoot {
public:
    ScratchRoot()
        : m_path(std::filesystem::path(::testing::TempDir()) /
                 ("tavrel-test-" + std::to_string(::getpid()))) {}
    ~ScratchRoot() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

}  // namespace

std::filesystem::path FreshFolder(const std::string& name) {
    static const ScratchRoot root;
    const std::filesystem::path folder = root.Path() / name;
    std::filesystem::remove_all(folder);
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
    samplegen::RecordingSpec recipe;
    recipe.width = 160;
    recipe.height = 120;
    recipe.framesPerSecond = 1;
    recipe.frameCount = seconds;
    recipe.withAudio = false;
    recipe.clock = start;
    recipe.iditText = start.Text();
    return recipe;
}

void MakeReadOnly(const std::filesystem::path& path) {
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
}

}  // namespace tavrel::test
