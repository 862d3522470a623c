#pragma once

#include <filesystem>
#include <vector>

namespace tavrel::samplegen {

struct BenchFolderOptions {
    int count = 2000;
    int width = 160;
    int height = 120;
    int framesPerSecond = 1;
};

// `count` consecutive one-minute recordings of one drive, 500 to a
// subfolder (100MEDIA/, 101MEDIA/, ...), for timing folder scans. The
// pictures and sound are encoded once and shared by every file, so only
// headers, IDIT and telemetry differ. Returns the files in order.
std::vector<std::filesystem::path> MakeBenchFolder(const std::filesystem::path& folder,
                                                   const BenchFolderOptions& options);

}  // namespace tavrel::samplegen
