// Loading the current recording's telemetry and drawing tracks on the map.

#include <algorithm>

#include "mapscripts.h"
#include "recordingcatalog.h"
#include "telemetryfile.h"

namespace tavrel {

namespace {

// The vertical range of the G-sensor graph, in G either side of zero.
constexpr double kGSensorGraphRange = 5.0;

}  // namespace

void RecordingCatalog::RunScript(const std::string& script) {
    if (m_map != nullptr) {
        m_map->RunScript(script);
    }
}

int RecordingCatalog::LoadRecordingTelemetry(int index) {
    if (index < 0 || index >= static_cast<int>(m_files.size())) {
        return 0;
    }
    RunScript(kDrivenPathDelete);
    RunScript(kPathDelete);
    m_gpsData.clear();
    m_gsensorData.clear();
    m_currentFile = index;

    const RecordingEntry& recording = m_files[index];
    const RecordingInfo& info = recording.info;
    std::optional<TelemetryPayloads> payloads =
        ReadTelemetryPayloads(PathOf(index), info, Payloads::GpsAndGSensor);
    if (!payloads) {
        return 0;
    }
    m_gpsData = std::move(payloads->gps);
    m_gsensorData = std::move(payloads->gsensor);
    // Samples without a finite rate cannot be placed in time: such a
    // recording counts as one without G-sensor data.
    const std::optional<double> samplesPerMs =
        GSensorSamplesPerMs(info.gsensorRateWord, info.gsensorSize, info.lengthMs);
    if (!samplesPerMs) {
        m_gsensorData.clear();
    }

    if (m_gsensorGraph != nullptr) {
        m_gsensorGraph->ClearSamples();
    }
    if (!m_gsensorData.empty() && m_gsensorGraph != nullptr) {
        m_gsensorGraph->SetScale(GSensorFullScale(info.gsensorRateWord), kGSensorGraphRange);
        m_gsensorGraph->ClearSamples();
        for (std::size_t at = 0; at + GSensorSample::kSize <= m_gsensorData.size();
             at += GSensorSample::kSize) {
            m_gsensorGraph->AddSample(GSensorSample::Decode(m_gsensorData.data() + at));
        }
        m_gsensorGraph->SetSampleRate(*samplesPerMs);
    }
    if (!m_gpsData.empty()) {
        m_gpsRate = GpsRecordsPerSecond(info.gpsRateWord);
        if (m_map != nullptr) {
            for (std::size_t i = 0; i < GpsRecordCount(m_gpsData.size()); ++i) {
                if (const auto point = MapPointOf(GpsRecordAt(m_gpsData, i))) {
                    m_map->RunScript(PointScript(kPathPlot, point->latitude, point->longitude));
                }
            }
        }
    }
    return 1;
}

int RecordingCatalog::PlotRecordingTrack(int index, FirstFix* firstFix) {
    if (firstFix != nullptr) {
        firstFix->found = false;
    }
    if (index < 0 || index >= static_cast<int>(m_files.size())) {
        return 0;
    }
    const RecordingInfo& info = m_files[index].info;
    if (info.gpsSize == 0) {
        return 1;
    }
    const std::optional<TelemetryPayloads> payloads =
        ReadTelemetryPayloads(PathOf(index), info, Payloads::Gps);
    if (!payloads) {
        return 0;
    }
    const std::vector<std::uint8_t>& gps = payloads->gps;
    if (m_map == nullptr || GpsRecordCount(gps.size()) == 0) {
        return 1;
    }
    m_map->RunScript(kGroupPathBegin);
    for (std::size_t i = 0; i < GpsRecordCount(gps.size()); ++i) {
        const GpsRecord record = GpsRecordAt(gps, i);
        const auto point = MapPointOf(record);
        if (!point) {
            continue;
        }
        if (firstFix != nullptr && !firstFix->found) {
            *firstFix = {true, record.latitudeRaw / 100, record.longitudeRaw / 100};
        }
        m_map->RunScript(PointScript(kGroupPathPlot, point->latitude, point->longitude));
    }
    m_map->RunScript(kGroupPathEnd);
    return 1;
}

int RecordingCatalog::PlotGroupTracks(int group) {
    if (group < 0 || group >= static_cast<int>(m_groups.size())) {
        return 1;
    }
    const RecordingGroup& run = m_groups[group];
    FirstFix groupFirstFix;
    for (int index = run.first; index < run.first + run.count; ++index) {
        FirstFix firstFix;
        PlotRecordingTrack(index, &firstFix);
        if (firstFix.found && !groupFirstFix.found) {
            groupFirstFix = firstFix;
        }
    }
    if (groupFirstFix.found && m_map != nullptr) {
        m_map->MovePosition(groupFirstFix.latitude, groupFirstFix.longitude, 0);
    }
    return 1;
}

int RecordingCatalog::ClearGroupTracks() {
    RunScript(kGroupPathClearAll);
    return 1;
}

int RecordingCatalog::UpdateGroupTracks(int newIndex, int previousIndex) {
    const int group = GroupOfRecording(newIndex);
    if (previousIndex == -1 || group != GroupOfRecording(previousIndex)) {
        ClearGroupTracks();
        PlotGroupTracks(group);
    }
    return 1;
}

int RecordingCatalog::ReplotDrivenPath(std::uint32_t playingMs) {
    if (m_map == nullptr) {
        return 1;
    }
    // The records that lie before the target time, by the same rule that
    // turns a playing time into a record index.
    const auto before = static_cast<std::uint64_t>(playingMs * m_gpsRate / 1000);
    const std::uint64_t count = std::min<std::uint64_t>(before, GpsRecordCount(m_gpsData.size()));
    m_map->RunScript(kDrivenPathDelete);
    for (std::size_t i = 0; i < count; ++i) {
        if (const auto point = MapPointOf(GpsRecordAt(m_gpsData, i))) {
            m_map->RunScript(PointScript(kDrivenPathPlot, point->latitude, point->longitude));
        }
    }
    return 1;
}

}  // namespace tavrel
