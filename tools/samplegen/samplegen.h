#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "riffnode.h"

namespace tavrel::samplegen {

// Wall-clock fields of a moment, as the camera's clock shows them.
struct WallClock {
    int year = 2012;
    int month = 5;
    int day = 1;
    int hour = 10;
    int minute = 0;
    int second = 0;

    // "YYYY-MM-DD HH:MM:SS"
    std::string Text() const;
    // The same moment plus a number of seconds (calendar arithmetic in UTC
    // fields, no time zone involved).
    WallClock Plus(std::int64_t seconds) const;
};

// One GPS fix in the camera's 32-byte layout, given in plain units.
struct GpsFix {
    double latitudeRaw = 0;   // degrees * 100 + minutes (2503.5 = 25 deg 3.5 min)
    double longitudeRaw = 0;  // the same for longitude; negative west
    std::int32_t altitude = 0;
    std::uint16_t speedKmh = 0;
    std::optional<WallClock> clock;  // written as year-2000..second; none: year byte 0
    std::uint8_t headingHalf = 0;    // degrees / 2
    std::uint8_t status = 1;         // bit 0: valid fix

    std::vector<std::uint8_t> Encode() const;  // exactly 32 bytes
};

struct GSample {
    std::int8_t x = 0;
    std::int8_t y = 0;
    std::int8_t z = 0;
};

// Everything a generated recording carries. The defaults give a small,
// valid, playable recording with telemetry.
struct RecordingSpec {
    int width = 160;
    int height = 120;
    int framesPerSecond = 10;
    int frameCount = 20;  // length = frameCount / framesPerSecond seconds
    bool withVideo = true;
    bool withAudio = true;
    int audioSampleRate = 8000;  // 16-bit mono PCM

    // Text of the IDIT chunk (written with a terminating zero); none: no IDIT.
    std::optional<std::string> iditText;
    // Clock shown in the picture for frame 0 (also used by the default IDIT
    // of MakeDrivingRecording).
    WallClock clock;

    std::optional<std::uint32_t> gpsRateWord;      // gpsa payload; none: no gpsa
    std::optional<std::uint32_t> gsensorRateWord;  // gsea payload; none: no gsea
    std::vector<GpsFix> gps;                       // gps0 payload; empty: no gps0
    std::vector<GSample> gsensor;                  // gsen payload; empty: no gsen
};

// The recording as a RIFF tree: RIFF 'AVI ' { LIST hdrl { avih, LIST strl
// (video), LIST strl (audio), IDIT }, LIST movi { 00dc / 01wb ... }, idx1,
// gpsa, gsea, gps0, gsen }. Telemetry sits at the top level after the index,
// where the camera appends it when a recording is closed.
RiffNode BuildRecording(const RecordingSpec& recipe);

// Writes bytes to a file, replacing it and making its folder if needed;
// throws std::runtime_error on failure.
void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// A realistic drive: one recording of `seconds` seconds of a drive that
// started `driveOffsetSeconds` before, on a street route through a city,
// with matching positions, speeds and headings, gpsRecordsPerSecond GPS
// records and gsensorSamplesPerSecond G-sensor samples per second (full scale
// 2 G). With hardBrakeAtSecond set, a hard-braking event happens at that
// second of the recording.
struct DriveSpec {
    WallClock driveStart;
    std::int64_t driveOffsetSeconds = 0;
    int seconds = 60;
    int gpsRecordsPerSecond = 1;
    int gsensorSamplesPerSecond = 10;
    int width = 640;
    int height = 480;
    int framesPerSecond = 10;
    std::optional<int> hardBrakeAtSecond;
    std::uint32_t routeSeed = 1;
};
RecordingSpec MakeDrivingRecording(const DriveSpec& drive);

// What MakeSampleFolder wrote, for tests and for printing.
struct SampleFolderReport {
    std::vector<std::filesystem::path> accepted;  // files the viewer must list
    std::vector<std::filesystem::path> rejected;  // files the viewer must leave out
};

struct SampleFolderOptions {
    int width = 640;
    int height = 480;
    int framesPerSecond = 10;
    int secondsPerRecording = 60;
};

// An SD card's worth of recordings: several runs of consecutive one-minute
// recordings (one in a MOVIE/ subfolder), read-only event recordings named
// EVGSnnnn.AVI, and files that must be rejected by name, by the reader, or
// because they are hidden.
SampleFolderReport MakeSampleFolder(const std::filesystem::path& folder,
                                    const SampleFolderOptions& options = {});

}  // namespace tavrel::samplegen
