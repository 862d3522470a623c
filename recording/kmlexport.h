#pragma once

#include <string>

namespace tavrel {

class RecordingCatalog;

struct KmlExportResult {
    bool ok = false;
    std::string path;  // the file written, or the one that could not be
};

// Writes the GPS track loaded from the catalog's current recording as a KML
// file into `folder` (ending with "/"), named after the recording and its
// start time. Fails, writing nothing, when no recording is current or its
// telemetry is not the one loaded: one recording's name is never written
// over another's track.
KmlExportResult ExportKml(const RecordingCatalog& catalog, const std::string& folder);

}  // namespace tavrel
