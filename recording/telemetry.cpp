#include "telemetry.h"

#include <cmath>

#include "byteorder.h"

namespace tavrel {

GpsRecord GpsRecord::Decode(const std::uint8_t* bytes) {
    GpsRecord record;
    record.latitudeRaw = ReadLeDouble(bytes);
    record.longitudeRaw = ReadLeDouble(bytes + 8);
    record.altitude = static_cast<std::int32_t>(ReadLe32(bytes + 16));
    record.speedKmh = ReadLe16(bytes + 20);
    record.yearOffset = bytes[22];
    record.month = bytes[23];
    record.day = bytes[24];
    record.hour = bytes[25];
    record.minute = bytes[26];
    record.second = bytes[27];
    record.headingHalf = bytes[28];
    record.status = bytes[29];
    return record;
}

bool GpsRecord::RawPositionInRange() const {
    return latitudeRaw / 100 < 200 && longitudeRaw / 100 < 200;
}

GSensorSample GSensorSample::Decode(const std::uint8_t* bytes) {
    return GSensorSample{static_cast<std::int8_t>(bytes[0]), static_cast<std::int8_t>(bytes[1]),
                         static_cast<std::int8_t>(bytes[2])};
}

std::optional<GeoPoint> MapPointOf(const GpsRecord& record) {
    if (!record.HasFix() || !record.RawPositionInRange()) {
        return std::nullopt;
    }
    return GeoPoint{NmeaToDegrees(record.latitudeRaw / 100),
                    NmeaToDegrees(record.longitudeRaw / 100)};
}

std::optional<GeoPoint> ExportPointOf(const GpsRecord& record) {
    GeoPoint point{record.latitudeRaw, record.longitudeRaw};
    if (!record.HasFix() || !ConvertFixPair(point.latitude, point.longitude)) {
        return std::nullopt;
    }
    return point;
}

std::size_t GpsRecordCount(std::size_t payloadSize) {
    return payloadSize / GpsRecord::kSize;
}

GpsRecord GpsRecordAt(const std::vector<std::uint8_t>& payload, std::size_t index) {
    return GpsRecord::Decode(payload.data() + index * GpsRecord::kSize);
}

double NmeaToDegrees(double value) {
    const double degrees = std::trunc(value);
    return degrees + (value - degrees) * 100 / 60;
}

bool ConvertFixPair(double& latitude, double& longitude) {
    latitude = NmeaToDegrees(latitude / 100);
    longitude = NmeaToDegrees(longitude / 100);
    return latitude < 200 && longitude < 200;
}

int GpsRecordsPerSecond(std::uint32_t gpsRateWord) {
    const int rate = static_cast<int>(gpsRateWord & 0xFF);
    return rate == 0 ? 1 : rate;
}

std::optional<std::size_t> GpsRecordIndexAt(std::uint32_t playingMs, std::uint32_t gpsRateWord,
                                            std::uint32_t gpsPayloadSize) {
    const std::uint64_t index =
        static_cast<std::uint64_t>(playingMs) * GpsRecordsPerSecond(gpsRateWord) / 1000;
    if (index >= gpsPayloadSize / GpsRecord::kSize) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(index);
}

std::optional<double> GSensorSamplesPerMs(std::uint32_t gsensorRateWord,
                                          std::uint32_t gsensorPayloadSize,
                                          std::uint32_t lengthMs) {
    const std::uint32_t perSecond = gsensorRateWord & 0xFF;
    const double rate = perSecond != 0
                            ? perSecond / 1000.0
                            : static_cast<double>(gsensorPayloadSize / GSensorSample::kSize) /
                                  static_cast<double>(lengthMs);
    if (!std::isfinite(rate) || rate <= 0) {
        return std::nullopt;
    }
    return rate;
}

std::size_t GSensorSampleIndexAt(double playingMs, double samplesPerMs) {
    const double index = std::floor(playingMs * samplesPerMs);
    return index > 0 ? static_cast<std::size_t>(index) : 0;
}

int GSensorFullScale(std::uint32_t gsensorRateWord) {
    const int fullScale = static_cast<int>((gsensorRateWord >> 8) & 0xFF);
    return fullScale == 0 ? 8 : fullScale;
}

double GSensorValueInG(std::int8_t raw, std::uint32_t gsensorRateWord) {
    return raw * static_cast<double>(GSensorFullScale(gsensorRateWord)) / 128;
}

}  // namespace tavrel
