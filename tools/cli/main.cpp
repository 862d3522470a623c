// tavrel-cli: the viewer's reading of recordings and folders, for scripts.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "avirecordingreader.h"
#include "recordingcatalog.h"

namespace {

using nlohmann::json;
using namespace tavrel;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: tavrel-cli info FILE...\n"
    "       tavrel-cli scan FOLDER\n"
    "\n"
    "info  prints one JSON object per file: whether the viewer can play it and,\n"
    "      when it can, what its headers say.\n"
    "scan  scans a folder and its subfolders as the viewer does and prints the\n"
    "      groups of consecutive recordings and the recordings as one JSON object.\n";

int Usage() {
    std::cerr << kUsage;
    return kExitUsage;
}

json InfoJson(const std::string& path) {
    json object = {{"file", path}};
    RecordingInfo info;
    AviRecordingReader reader;
    const bool usable = reader.ReadRecording(path, &info) == 0;
    object["usable"] = usable;
    if (usable) {
        object["gpsOffset"] = info.gpsOffset;
        object["gpsSize"] = info.gpsSize;
        object["gsensorOffset"] = info.gsensorOffset;
        object["gsensorSize"] = info.gsensorSize;
        object["videoWidth"] = info.videoWidth;
        object["videoHeight"] = info.videoHeight;
        object["startTime"] = info.startTime;
        object["lengthSeconds"] = info.lengthSeconds;
        object["lengthMs"] = info.lengthMs;
        object["fileSize"] = info.fileSize;
        object["gpsRateWord"] = info.gpsRateWord;
        object["gsensorRateWord"] = info.gsensorRateWord;
    }
    return object;
}

int RunInfo(const std::vector<std::string>& files) {
    if (files.empty()) {
        return Usage();
    }
    for (const std::string& file : files) {
        // Replace rather than reject bytes that are not UTF-8: a file name
        // from a FAT card may carry any of them.
        std::cout << InfoJson(file).dump(-1, ' ', false, json::error_handler_t::replace) << '\n';
    }
    return kExitOk;
}

json ScanJson(const RecordingCatalog& catalog) {
    json groups = json::array();
    for (const RecordingGroup& group : catalog.Groups()) {
        const RecordingInfo& first = catalog.Files()[group.first].info;
        groups.push_back({{"number", group.number},
                          {"first", group.first},
                          {"count", group.count},
                          {"totalLengthMs", group.totalLengthMs},
                          {"totalSize", group.totalSize},
                          {"lockFlags", group.lockFlags},
                          {"resolution", ResolutionName(first.videoWidth, first.videoHeight)},
                          {"startTime", first.startTime}});
    }
    json files = json::array();
    for (const FileRow& row : catalog.FileRows()) {
        const RecordingEntry& recording = catalog.Files()[row.recordingIndex];
        files.push_back({{"index", row.recordingIndex},
                         {"group", row.groupNumber},
                         {"indexInGroup", row.indexInGroup},
                         {"name", recording.name},
                         {"relativeFolder", recording.relativeFolder},
                         {"startTime", recording.info.startTime},
                         {"lengthMs", recording.info.lengthMs},
                         {"fileSize", recording.info.fileSize},
                         {"lockFlags", recording.lockFlags}});
    }
    return {{"hasGps", catalog.HasGps()},
            {"scanned", catalog.ScanCount()},
            {"groups", groups},
            {"files", files}};
}

int RunScan(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) {
        return Usage();
    }
    RecordingCatalog catalog;
    catalog.InitCatalog(nullptr, nullptr, nullptr, nullptr, nullptr);
    if (catalog.FillFromFolder(arguments[0]) == 0) {
        std::cerr << "tavrel-cli: no such folder: " << arguments[0] << '\n';
        return kExitFailure;
    }
    std::cout << ScanJson(catalog).dump(-1, ' ', false, json::error_handler_t::replace) << '\n';
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    const std::string command = argv[1];
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    if (command == "info") {
        return RunInfo(arguments);
    }
    if (command == "scan") {
        return RunScan(arguments);
    }
    if (command == "--help" || command == "-h") {
        std::cout << kUsage;
        return kExitOk;
    }
    return Usage();
}
