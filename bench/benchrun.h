#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "samplegen.h"

namespace tavrel::bench {

// A run of one-minute recordings of one drive at 5 GPS records a second,
// with a tiny picture (the benchmarks only read telemetry), written into a
// scratch folder of this process.
inline std::filesystem::path WriteRun(int recordings) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tavrel-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    for (int i = 0; i < recordings; ++i) {
        samplegen::DriveSpec drive;
        drive.driveStart = {2012, 5, 1, 10, 0, 0};
        drive.driveOffsetSeconds = 60 * i;
        drive.gpsRecordsPerSecond = 5;
        drive.width = 32;
        drive.height = 24;
        drive.framesPerSecond = 1;
        char name[32];
        std::snprintf(name, sizeof name, "FILE%04d.AVI", i + 1);
        samplegen::WriteFile(
            folder / name,
            samplegen::BuildRecording(samplegen::MakeDrivingRecording(drive)).Serialize());
    }
    return folder;
}

}  // namespace tavrel::bench
