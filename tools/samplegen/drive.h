#pragma once

#include <cstdint>
#include <memory>

#include "samplegen.h"

namespace tavrel::samplegen::detail {

// One car driving one endless route. Recordings of the same drive are cut
// from it in order, so a simulator kept between recordings (bench folders)
// never replays the drive from its start.
class DriveSimulator {
public:
    explicit DriveSimulator(std::uint32_t routeSeed);
    ~DriveSimulator();
    DriveSimulator(const DriveSimulator&) = delete;
    DriveSimulator& operator=(const DriveSimulator&) = delete;

    // The recording for drive.driveOffsetSeconds; offsets must not go back
    // before the end of the previous call's recording. drive.routeSeed is
    // ignored in favour of the constructor's.
    RecordingSpec Record(const DriveSpec& drive);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tavrel::samplegen::detail
