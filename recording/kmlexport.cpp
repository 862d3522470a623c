#include "kmlexport.h"

#include "calendartime.h"
#include "kmltrackwriter.h"
#include "recordingcatalog.h"

namespace tavrel {

KmlExportResult ExportKml(const RecordingCatalog& catalog, const std::string& folder) {
    const int current = catalog.CurrentFile();
    const RecordingTelemetry& telemetry = catalog.Telemetry();
    if (current < 0 || !telemetry.IsLoaded() || telemetry.SourcePath() != catalog.PathOf(current)) {
        return {};
    }
    const RecordingEntry& recording = catalog.Files()[current];
    const std::string stem = recording.name.substr(
        0, recording.name.size() >= 4 ? recording.name.size() - 4 : recording.name.size());
    KmlExportResult result;
    result.path =
        folder + stem + FormatLocalTime(recording.info.startTime, "_%Y_%m_%d_%H-%M-%S") + ".KML";

    KmlTrackWriter writer;
    if (!writer.Create(result.path)) {
        return result;
    }
    const std::string pathText = "\"" + recording.relativeFolder + "/" + recording.name + "\"" +
                                 FormatLocalTime(recording.info.startTime, " %Y/%m/%d %H:%M:%S");
    writer.WriteHeader(recording.name, "", pathText);
    const std::vector<std::uint8_t>& gps = telemetry.GpsData();
    for (std::size_t i = 0; i < GpsRecordCount(gps.size()); ++i) {
        const GpsRecord record = GpsRecordAt(gps, i);
        if (const auto point = ExportPointOf(record)) {
            writer.WritePoint(point->latitude, point->longitude, record.altitude);
        }
    }
    result.ok = writer.WriteFooterAndClose();
    return result;
}

}  // namespace tavrel
