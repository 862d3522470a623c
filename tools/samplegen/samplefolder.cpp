#include <cstdio>
#include <stdexcept>
#include <string>

#include "benchfolder.h"
#include "drive.h"
#include "media.h"
#include "samplegen.h"

namespace tavrel::samplegen {

namespace {

namespace fs = std::filesystem;

void MakeReadOnly(const fs::path& path) {
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::replace);
}

struct Run {
    WallClock start;
    std::uint32_t seed;
    int gpsRecordsPerSecond;
};

DriveSpec DriveOf(const Run& run, const SampleFolderOptions& options, int index) {
    DriveSpec drive;
    drive.driveStart = run.start;
    drive.driveOffsetSeconds = std::int64_t{index} * options.secondsPerRecording;
    drive.seconds = options.secondsPerRecording;
    drive.gpsRecordsPerSecond = run.gpsRecordsPerSecond;
    drive.width = options.width;
    drive.height = options.height;
    drive.framesPerSecond = options.framesPerSecond;
    drive.routeSeed = run.seed;
    return drive;
}

void WriteRecording(const fs::path& path, const RecordingSpec& recording) {
    WriteFile(path, BuildRecording(recording).Serialize());
}

// A short recording that the reader would take, for files that must be
// turned away for their name or place alone.
RecordingSpec ShortRecording(const SampleFolderOptions& options, WallClock start, int seconds) {
    DriveSpec drive;
    drive.driveStart = start;
    drive.seconds = seconds;
    drive.width = options.width;
    drive.height = options.height;
    drive.framesPerSecond = options.framesPerSecond;
    drive.routeSeed = 9;
    return MakeDrivingRecording(drive);
}

}  // namespace

SampleFolderReport MakeSampleFolder(const fs::path& folder, const SampleFolderOptions& options) {
    if (options.secondsPerRecording <= 25) {
        throw std::invalid_argument("sample recordings must be longer than 25 seconds");
    }
    fs::create_directories(folder);
    fs::create_directories(folder / "MOVIE");
    fs::create_directories(folder / ".Trash");
    SampleFolderReport report;

    // Morning drive, one GPS record a second.
    const Run morning{{2012, 5, 1, 8, 30, 12}, 1, 1};
    for (int i = 0; i < 4; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "FILE%04d.AVI", i + 1);
        WriteRecording(folder / name, MakeDrivingRecording(DriveOf(morning, options, i)));
        report.accepted.push_back(folder / name);
    }

    // An hour later, five records a second, with a hard brake the camera
    // kept as an event recording.
    const Run later{morning.start.Plus(4 * options.secondsPerRecording + 3600 + 388), 4, 5};
    const fs::path movie = folder / "MOVIE";
    {
        detail::DriveSimulator simulator(later.seed);
        WriteRecording(movie / "FILE0101.AVI", simulator.Record(DriveOf(later, options, 0)));
        DriveSpec braking = DriveOf(later, options, 1);
        braking.hardBrakeAtSecond = 25;
        WriteRecording(movie / "EVGS0102.AVI", simulator.Record(braking));
        MakeReadOnly(movie / "EVGS0102.AVI");
        WriteRecording(movie / "FILE0103.AVI", simulator.Record(DriveOf(later, options, 2)));
        for (const char* name : {"FILE0101.AVI", "EVGS0102.AVI", "FILE0103.AVI"}) {
            report.accepted.push_back(movie / name);
        }
    }

    // Next day: a recording locked by hand keeps its ordinary name.
    const Run nextDay{{2012, 5, 2, 17, 5, 31}, 3, 1};
    WriteRecording(folder / "FILE0201.AVI", MakeDrivingRecording(DriveOf(nextDay, options, 0)));
    MakeReadOnly(folder / "FILE0201.AVI");
    report.accepted.push_back(folder / "FILE0201.AVI");

    // Good recordings with names the camera never writes.
    const WallClock elsewhere{2012, 5, 3, 12, 0, 0};
    for (const char* name : {"FILE001.AVI", "ABCDEFGH.AVI"}) {
        WriteRecording(folder / name, ShortRecording(options, elsewhere, 2));
        report.rejected.push_back(folder / name);
    }

    // Not a recording at all.
    const std::string text = "This is not a recording.\n";
    WriteFile(folder / "FILE0300.AVI", std::vector<std::uint8_t>(text.begin(), text.end()));
    report.rejected.push_back(folder / "FILE0300.AVI");

    // Cut off half-way through its movi list, as when the card is pulled.
    {
        const std::vector<std::uint8_t> whole =
            BuildRecording(ShortRecording(options, elsewhere.Plus(600), 6)).Serialize();
        // RIFF header (12) + hdrl list (8 + size) + movi list header (12).
        const std::uint32_t hdrlSize = whole[16] | whole[17] << 8 | whole[18] << 16 |
                                       static_cast<std::uint32_t>(whole[19]) << 24;
        const std::size_t moviStart = 12 + 8 + hdrlSize;
        const std::uint32_t moviSize = whole[moviStart + 4] | whole[moviStart + 5] << 8 |
                                       whole[moviStart + 6] << 16 |
                                       static_cast<std::uint32_t>(whole[moviStart + 7]) << 24;
        const std::vector<std::uint8_t> cut(whole.begin(),
                                            whole.begin() + moviStart + 8 + moviSize / 2);
        WriteFile(folder / "FILE0301.AVI", cut);
        report.rejected.push_back(folder / "FILE0301.AVI");
    }

    // Hidden: valid recordings a viewer must still not show.
    WriteRecording(folder / ".Trash" / "FILE0400.AVI",
                   ShortRecording(options, elsewhere.Plus(1200), 3));
    report.rejected.push_back(folder / ".Trash" / "FILE0400.AVI");
    WriteRecording(folder / ".FILE0401.AVI", ShortRecording(options, elsewhere.Plus(1800), 3));
    report.rejected.push_back(folder / ".FILE0401.AVI");
    return report;
}

std::vector<fs::path> MakeBenchFolder(const fs::path& folder, const BenchFolderOptions& options) {
    if (options.count <= 0 || options.count > 9999) {
        throw std::invalid_argument("a bench folder holds 1 to 9999 recordings");
    }
    detail::DriveSimulator simulator(1);
    DriveSpec drive;
    drive.driveStart = {2012, 6, 1, 6, 0, 0};
    drive.width = options.width;
    drive.height = options.height;
    drive.framesPerSecond = options.framesPerSecond;
    std::vector<fs::path> written;
    std::optional<detail::EncodedMedia> media;
    for (int i = 0; i < options.count; ++i) {
        drive.driveOffsetSeconds = std::int64_t{i} * drive.seconds;
        const RecordingSpec recording = simulator.Record(drive);
        if (!media) {
            media = detail::EncodeMedia(recording);
        }
        char name[32];
        std::snprintf(name, sizeof name, "%03dMEDIA", 100 + i / 500);
        const fs::path sub = folder / name;
        if (i % 500 == 0) {
            fs::create_directories(sub);
        }
        std::snprintf(name, sizeof name, "FILE%04d.AVI", i + 1);
        WriteFile(sub / name, detail::AssembleRecording(recording, *media).Serialize());
        written.push_back(sub / name);
    }
    return written;
}

}  // namespace tavrel::samplegen
