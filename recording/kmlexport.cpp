// Writing the current recording's GPS track as a KML file.

#include "calendartime.h"
#include "kmltrackwriter.h"
#include "recordingcatalog.h"

namespace tavrel {

RecordingCatalog::KmlExportResult RecordingCatalog::ExportKml(const std::string& folder) {
    if (m_files.empty()) {
        return {};
    }
    if (m_currentFile > static_cast<int>(m_files.size()) - 1) {
        m_currentFile = static_cast<int>(m_files.size()) - 1;
    }
    // With no recording current, no track has been loaded: writing one
    // recording's name over an empty track would mislead, so nothing is.
    if (m_currentFile < 0) {
        return {};
    }
    const RecordingEntry& recording = m_files[m_currentFile];
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
    for (std::size_t i = 0; i < GpsRecordCount(m_gpsData.size()); ++i) {
        const GpsRecord record = GpsRecordAt(m_gpsData, i);
        if (const auto point = ExportPointOf(record)) {
            writer.WritePoint(point->latitude, point->longitude, record.altitude);
        }
    }
    result.ok = writer.WriteFooterAndClose();
    return result;
}

}  // namespace tavrel
