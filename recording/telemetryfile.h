#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "recordinginfo.h"

namespace tavrel {

// The largest telemetry payload read. A camera writes at most 10 GPS
// records (320 bytes) and 100 G-sensor samples (300 bytes) a second; a 4 GiB
// FAT32 file holds under 10 hours of video even at 1 Mbit/s, less than any
// dash camera records at, and 10 hours of either payload stay under 12 MiB.
// Two payloads of this size keep loading well under 64 MB.
inline constexpr std::uint32_t kMaxTelemetryPayloadBytes = 16 * 1024 * 1024;

// The telemetry payloads of one recording, read from where the reader found
// them. A payload that does not lie wholly inside the file, or is larger than
// kMaxTelemetryPayloadBytes, is left empty: its declared size cannot be
// trusted, so nothing of it is used. When memory for them runs out, both are
// left empty: the recording counts as one without telemetry.
struct TelemetryPayloads {
    std::vector<std::uint8_t> gps;
    std::vector<std::uint8_t> gsensor;
};

enum class Payloads { Gps, GpsAndGSensor };

// Nothing when the file cannot be opened or read.
std::optional<TelemetryPayloads> ReadTelemetryPayloads(const std::string& path,
                                                       const RecordingInfo& info, Payloads which);

}  // namespace tavrel
