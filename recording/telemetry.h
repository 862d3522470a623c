#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tavrel {

// One GPS fix interval as the camera stores it in a `gps0` payload: 32 bytes,
// little-endian, back to back.
struct GpsRecord {
    static constexpr std::size_t kSize = 32;

    double latitudeRaw = 0;   // degrees * 100 + minutes; negative south
    double longitudeRaw = 0;  // degrees * 100 + minutes; negative west
    std::int32_t altitude = 0;
    std::uint16_t speedKmh = 0;
    std::uint8_t yearOffset = 0;  // year - 2000; 0: the record carries no date
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
    std::uint8_t headingHalf = 0;  // course over ground / 2 degrees
    std::uint8_t status = 0;       // bit 0: valid position fix

    static GpsRecord Decode(const std::uint8_t* bytes);

    bool HasFix() const { return (status & 1) != 0; }
    int HeadingDegrees() const { return headingHalf * 2; }
    // Both raw coordinates / 100 stay below 200, the bound the map and the
    // synchronisation test before they use a position.
    bool RawPositionInRange() const;
};

// One three-axis acceleration sample of a `gsen` payload, raw.
struct GSensorSample {
    static constexpr std::size_t kSize = 3;

    std::int8_t x = 0;
    std::int8_t y = 0;
    std::int8_t z = 0;

    static GSensorSample Decode(const std::uint8_t* bytes);
};

struct GeoPoint {
    double latitude = 0;  // decimal degrees
    double longitude = 0;
};

// The point the map draws for a record: a valid fix whose raw coordinates
// / 100 stay below 200, converted to decimal degrees.
std::optional<GeoPoint> MapPointOf(const GpsRecord& record);

// The point an exported track carries: a valid fix whose converted
// coordinates stay below 200 (the bound is tested after conversion).
std::optional<GeoPoint> ExportPointOf(const GpsRecord& record);

// Records in a GPS payload (whole records only) and one of them.
std::size_t GpsRecordCount(std::size_t payloadSize);
GpsRecord GpsRecordAt(const std::vector<std::uint8_t>& payload, std::size_t index);

// Degrees and minutes written as ddd.mmmm (already divided by 100) to decimal
// degrees: 25.035 -> 25.058333...
double NmeaToDegrees(double value);

// Divides both values by 100 and converts them in place; true when both
// converted values are below 200 (the values stay converted either way).
bool ConvertFixPair(double& latitude, double& longitude);

// Byte 0 of the `gpsa` word, with a rate of 0 counted as 1.
int GpsRecordsPerSecond(std::uint32_t gpsRateWord);

// Index of the GPS record that belongs to a playing time, or nothing when the
// payload holds no record that late.
std::optional<std::size_t> GpsRecordIndexAt(std::uint32_t playingMs, std::uint32_t gpsRateWord,
                                            std::uint32_t gpsPayloadSize);

// Samples per millisecond of a `gsea` word; when its rate byte is 0 the rate
// follows from the sample count and the length. Nothing when neither gives a
// positive finite rate (no rate byte and no length): such a recording has no
// usable G-sensor data.
std::optional<double> GSensorSamplesPerMs(std::uint32_t gsensorRateWord,
                                          std::uint32_t gsensorPayloadSize, std::uint32_t lengthMs);

// Index of the sample that belongs to a playing time at a given rate.
std::size_t GSensorSampleIndexAt(double playingMs, double samplesPerMs);

// Full-scale value in G of a `gsea` word (byte 1, 0 counted as 8).
int GSensorFullScale(std::uint32_t gsensorRateWord);

// A raw sample value in G: raw 128 stands for the full scale.
double GSensorValueInG(std::int8_t raw, std::uint32_t gsensorRateWord);

}  // namespace tavrel
