// kml, gpx and track: a recording's GPS track and G-sensor samples for other
// tools.

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>

#include "avirecordingreader.h"
#include "commands.h"
#include "decimaltext.h"
#include "directorypath.h"
#include "kmlexport.h"
#include "recordingcatalog.h"
#include "replacingfile.h"
#include "telemetryfile.h"

namespace tavrel::cli {

namespace {

namespace fs = std::filesystem;

// Options of the form "--name VALUE" and bare flags, after the positional
// arguments. Nothing when an option is unknown or lacks its value.
struct ParsedArguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;
};

std::optional<ParsedArguments> Parse(const Arguments& arguments,
                                     const std::vector<std::string>& valueOptions,
                                     const std::vector<std::string>& flags) {
    const auto contains = [](const std::vector<std::string>& list, const std::string& item) {
        return std::find(list.begin(), list.end(), item) != list.end();
    };
    ParsedArguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (contains(valueOptions, argument)) {
            if (i + 1 == arguments.size()) {
                return std::nullopt;
            }
            parsed.options[argument] = arguments[++i];
        } else if (contains(flags, argument)) {
            parsed.options[argument] = "";
        } else if (argument.size() > 1 && argument.front() == '-') {
            return std::nullopt;
        } else {
            parsed.positional.push_back(argument);
        }
    }
    return parsed;
}

std::string Fixed(double value, int decimals) {
    char text[400];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, result.ptr);
}

int Fail(const std::string& message) {
    std::cerr << "tavrel-cli: " << message << '\n';
    return kExitFailure;
}

// How every file this tool writes begins: what tells a previous export,
// which may be replaced, from any other file, which never is.
constexpr const char* kGpxStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<gpx version=\"1.1\" creator=\"Tavrel\" ";

// True when `path` is absent or an earlier export of ours, which the new one
// may take the place of.
bool MayWriteOver(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (status.type() == fs::file_type::not_found) {
        return true;
    }
    if (status.type() != fs::file_type::regular) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::string start(std::strlen(kGpxStart), '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    return in && start == kGpxStart;
}

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

// UTC time in ISO 8601 with milliseconds, as GPX wants it.
std::string IsoTime(std::int64_t seconds, int milliseconds) {
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm utc{};
    ::gmtime_r(&time, &utc);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    char millis[8];
    std::snprintf(millis, sizeof millis, ".%03dZ", milliseconds);
    return std::string(text) + millis;
}

// False when the recording's telemetry cannot be read.
bool WriteGpxSegment(std::ostream& out, const std::string& path, const RecordingInfo& info) {
    const std::optional<TelemetryPayloads> payloads =
        ReadTelemetryPayloads(path, info, Payloads::Gps);
    if (!payloads) {
        return false;
    }
    out << "    <trkseg>\n";
    const int perSecond = GpsRecordsPerSecond(info.gpsRateWord);
    for (std::size_t i = 0; i < GpsRecordCount(payloads->gps.size()); ++i) {
        const GpsRecord record = GpsRecordAt(payloads->gps, i);
        const auto point = ExportPointOf(record);
        if (!point) {
            continue;
        }
        out << "      <trkpt lat=\"" << FormatFixed6(point->latitude) << "\" lon=\""
            << FormatFixed6(point->longitude) << "\">\n"
            << "        <ele>" << record.altitude << "</ele>\n";
        // Recordings without a start time have no time to give their points.
        if (info.startTime != 0) {
            const std::int64_t offsetMs = static_cast<std::int64_t>(i) * 1000 / perSecond;
            out << "        <time>"
                << IsoTime(info.startTime + offsetMs / 1000, static_cast<int>(offsetMs % 1000))
                << "</time>\n";
        }
        out << "        <extensions><gpxtpx:TrackPointExtension>"
            << "<gpxtpx:speed>" << Fixed(record.speedKmh / 3.6, 2) << "</gpxtpx:speed>"
            << "<gpxtpx:course>" << record.HeadingDegrees() << "</gpxtpx:course>"
            << "</gpxtpx:TrackPointExtension></extensions>\n"
            << "      </trkpt>\n";
    }
    out << "    </trkseg>\n";
    return true;
}

}  // namespace

int RunKml(const Arguments& arguments) {
    const auto parsed = Parse(arguments, {"--root", "--folder"}, {});
    if (!parsed || parsed->positional.size() != 1 || parsed->options.count("--folder") == 0) {
        return Usage();
    }
    const fs::path file = fs::absolute(parsed->positional[0]).lexically_normal();
    const std::string root = parsed->options.count("--root") != 0
                                 ? fs::absolute(parsed->options.at("--root")).string()
                                 : file.parent_path().string();
    // The viewer exports what it lists: scan the opened folder and find the
    // recording there, so the name, subfolder and start time are its own.
    RecordingCatalog catalog;
    if (catalog.FillFromFolder(root) == 0) {
        return Fail("no such folder: " + root);
    }
    int index = -1;
    for (int i = 0; i < static_cast<int>(catalog.Files().size()); ++i) {
        if (fs::path(catalog.PathOf(i)).lexically_normal() == file) {
            index = i;
        }
    }
    if (index < 0) {
        return Fail("not a recording the viewer lists under " + root + ": " + file.string());
    }
    const std::string folder = WithSlash(parsed->options.at("--folder"));
    MakeDirectoryPath(folder);
    if (!catalog.LoadTelemetry(index)) {
        return Fail("cannot read " + file.string());
    }
    const KmlExportResult result = ExportKml(catalog, folder);
    if (!result.ok) {
        return Fail("cannot write " + result.path);
    }
    std::cout << result.path << '\n';
    return FinishOutput();
}

int RunGpx(const Arguments& arguments) {
    const auto parsed = Parse(arguments, {"-o"}, {});
    if (!parsed || parsed->positional.size() != 1 || parsed->options.count("-o") == 0) {
        return Usage();
    }
    RecordingCatalog catalog;
    if (catalog.FillFromFolder(parsed->positional[0]) == 0) {
        return Fail("no such folder: " + parsed->positional[0]);
    }
    const std::string output = parsed->options.at("-o");
    for (int index = 0; index < static_cast<int>(catalog.Files().size()); ++index) {
        std::error_code error;
        if (fs::equivalent(output, catalog.PathOf(index), error)) {
            return Fail("will not write over a recording: " + output);
        }
    }
    if (!MayWriteOver(output)) {
        return Fail("will not write over " + output + ": not a GPX file this tool wrote");
    }
    // The whole track is read before the file is written, so that a
    // recording that cannot be read leaves no file behind.
    std::ostringstream gpx;
    gpx << kGpxStart
        << "xmlns=\"http://www.topografix.com/GPX/1/1\" "
           "xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v2\">\n";
    for (const RecordingGroup& group : catalog.Groups()) {
        gpx << "  <trk>\n    <name>G" << group.number << "</name>\n";
        for (int index = group.first; index < group.first + group.count; ++index) {
            if (!WriteGpxSegment(gpx, catalog.PathOf(index), catalog.Files()[index].info)) {
                return Fail("cannot read " + catalog.PathOf(index));
            }
        }
        gpx << "  </trk>\n";
    }
    gpx << "</gpx>\n";
    ReplacingFile out;
    if (!out.Open(output)) {
        return Fail("cannot write " + output);
    }
    out.Write(gpx.str());
    if (!out.Commit()) {
        return Fail("cannot write " + output);
    }
    return kExitOk;
}

int RunTrack(const Arguments& arguments) {
    const auto parsed = Parse(arguments, {}, {"--gsensor"});
    if (!parsed || parsed->positional.size() != 1) {
        return Usage();
    }
    const std::string& path = parsed->positional[0];
    RecordingInfo info;
    if (AviRecordingReader().ReadRecording(path, &info) != 0) {
        return Fail("not a usable recording: " + path);
    }
    const std::optional<TelemetryPayloads> payloads =
        ReadTelemetryPayloads(path, info, Payloads::GpsAndGSensor);
    if (!payloads) {
        return Fail("cannot read " + path);
    }
    if (parsed->options.count("--gsensor") != 0) {
        const std::optional<double> perMs =
            GSensorSamplesPerMs(info.gsensorRateWord, info.gsensorSize, info.lengthMs);
        std::cout << "time_ms,x_g,y_g,z_g\n";
        const std::size_t count = perMs ? payloads->gsensor.size() / GSensorSample::kSize : 0;
        for (std::size_t j = 0; j < count; ++j) {
            const GSensorSample sample =
                GSensorSample::Decode(payloads->gsensor.data() + j * GSensorSample::kSize);
            std::cout << Fixed(j / *perMs, 0) << ','
                      << Fixed(GSensorValueInG(sample.x, info.gsensorRateWord), 4) << ','
                      << Fixed(GSensorValueInG(sample.y, info.gsensorRateWord), 4) << ','
                      << Fixed(GSensorValueInG(sample.z, info.gsensorRateWord), 4) << '\n';
        }
        return FinishOutput();
    }
    std::cout << "time_ms,latitude,longitude,altitude,speed_kmh,heading_degrees\n";
    const int perSecond = GpsRecordsPerSecond(info.gpsRateWord);
    for (std::size_t i = 0; i < GpsRecordCount(payloads->gps.size()); ++i) {
        const GpsRecord record = GpsRecordAt(payloads->gps, i);
        if (const auto point = ExportPointOf(record)) {
            std::cout << i * 1000 / perSecond << ',' << FormatFixed6(point->latitude) << ','
                      << FormatFixed6(point->longitude) << ',' << record.altitude << ','
                      << record.speedKmh << ',' << record.HeadingDegrees() << '\n';
        }
    }
    return FinishOutput();
}

}  // namespace tavrel::cli
