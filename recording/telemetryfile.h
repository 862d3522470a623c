#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "recordinginfo.h"

namespace tavrel {

// The telemetry payloads of one recording, read from where the reader found
// them. A payload that does not lie wholly inside the file is left empty:
// its declared size cannot be trusted, so nothing of it is used.
struct TelemetryPayloads {
    std::vector<std::uint8_t> gps;
    std::vector<std::uint8_t> gsensor;
};

enum class Payloads { Gps, GpsAndGSensor };

// Nothing when the file cannot be opened or read.
std::optional<TelemetryPayloads> ReadTelemetryPayloads(const std::string& path,
                                                       const RecordingInfo& info, Payloads which);

}  // namespace tavrel
