#include "telemetryfile.h"

#include <new>

#include "windowedfile.h"

namespace tavrel {

namespace {

std::vector<std::uint8_t> ReadPayload(WindowedFile& file, std::uint64_t offset,
                                      std::uint32_t size) {
    if (size == 0 || size > kMaxTelemetryPayloadBytes || offset + size > file.Length()) {
        return {};
    }
    std::vector<std::uint8_t> payload(size);
    payload.resize(file.ReadAt(offset, payload.data(), payload.size()));
    return payload;
}

}  // namespace

std::optional<TelemetryPayloads> ReadTelemetryPayloads(const std::string& path,
                                                       const RecordingInfo& info, Payloads which) {
    try {
        WindowedFile file;
        if (!file.Open(path)) {
            return std::nullopt;
        }
        TelemetryPayloads payloads;
        payloads.gps = ReadPayload(file, info.gpsOffset, info.gpsSize);
        if (which == Payloads::GpsAndGSensor) {
            payloads.gsensor = ReadPayload(file, info.gsensorOffset, info.gsensorSize);
        }
        return payloads;
    } catch (const FileReadError&) {
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return TelemetryPayloads{};
    }
}

}  // namespace tavrel
