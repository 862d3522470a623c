// info and scan: what the viewer reads from recordings and folders, as JSON.

#include <iostream>

#include <nlohmann/json.hpp>

#include "avirecordingreader.h"
#include "commands.h"
#include "recordingcatalog.h"

namespace tavrel::cli {

namespace {

using nlohmann::json;

// Replace rather than reject bytes that are not UTF-8: a file name from a
// FAT card may carry any of them.
void Print(const json& object) {
    std::cout << object.dump(-1, ' ', false, json::error_handler_t::replace) << '\n';
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

}  // namespace

int RunInfo(const Arguments& arguments) {
    if (arguments.empty()) {
        return Usage();
    }
    for (const std::string& file : arguments) {
        Print(InfoJson(file));
    }
    return FinishOutput();
}

int RunScan(const Arguments& arguments) {
    if (arguments.size() != 1) {
        return Usage();
    }
    RecordingCatalog catalog;
    if (catalog.FillFromFolder(arguments[0]) == 0) {
        std::cerr << "tavrel-cli: no such folder: " << arguments[0] << '\n';
        return kExitFailure;
    }
    Print(ScanJson(catalog));
    return FinishOutput();
}

}  // namespace tavrel::cli
