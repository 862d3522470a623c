#pragma once

#include <cstdint>

namespace tavrel {

// The facts of one usable recording file, as the reader found them.
struct RecordingInfo {
    std::uint64_t gpsOffset = 0;  // first byte of the GPS records; 0: no gps0 chunk
    std::uint32_t gpsSize = 0;    // declared payload size
    std::uint64_t gsensorOffset = 0;
    std::uint32_t gsensorSize = 0;
    std::uint16_t videoWidth = 0;
    std::uint16_t videoHeight = 0;
    std::int64_t startTime = 0;  // calendar seconds; 0: unknown
    std::int64_t lengthSeconds = 0;
    std::uint32_t lengthMs = 0;
    std::uint64_t fileSize = 0;
    std::uint32_t gpsRateWord = 0;
    std::uint32_t gsensorRateWord = 0;

    bool operator==(const RecordingInfo&) const = default;
};

}  // namespace tavrel
