#include "trackplotter.h"

#include <algorithm>

#include "recordingcatalog.h"
#include "telemetryfile.h"

namespace tavrel {

int TrackPlotter::LoadRecordingTelemetry(int index) {
    if (index < 0 || index >= static_cast<int>(m_catalog.Files().size())) {
        return 0;
    }
    if (m_map != nullptr) {
        m_map->ClearDrivenPath();
        m_map->ClearRecordingTrack();
    }
    if (!m_catalog.LoadTelemetry(index)) {
        return 0;
    }
    const std::vector<std::uint8_t>& gps = m_catalog.Telemetry().GpsData();
    if (m_map != nullptr) {
        for (std::size_t i = 0; i < GpsRecordCount(gps.size()); ++i) {
            if (const auto point = MapPointOf(GpsRecordAt(gps, i))) {
                m_map->PlotPoint(*point);
            }
        }
    }
    return 1;
}

int TrackPlotter::PlotRecordingTrack(int index, std::optional<GeoPoint>* firstPoint) {
    if (firstPoint != nullptr) {
        firstPoint->reset();
    }
    if (index < 0 || index >= static_cast<int>(m_catalog.Files().size())) {
        return 0;
    }
    const RecordingInfo& info = m_catalog.Files()[index].info;
    if (info.gpsSize == 0) {
        return 1;
    }
    const std::optional<TelemetryPayloads> payloads =
        ReadTelemetryPayloads(m_catalog.PathOf(index), info, Payloads::Gps);
    if (!payloads) {
        return 0;
    }
    const std::vector<std::uint8_t>& gps = payloads->gps;
    if (m_map == nullptr || GpsRecordCount(gps.size()) == 0) {
        return 1;
    }
    m_map->BeginRunTrack();
    for (std::size_t i = 0; i < GpsRecordCount(gps.size()); ++i) {
        const auto point = MapPointOf(GpsRecordAt(gps, i));
        if (!point) {
            continue;
        }
        if (firstPoint != nullptr && !*firstPoint) {
            *firstPoint = point;
        }
        m_map->PlotRunTrackPoint(*point);
    }
    m_map->EndRunTrack();
    return 1;
}

void TrackPlotter::PlotGroupTracks(int group) {
    const std::vector<RecordingGroup>& groups = m_catalog.Groups();
    if (group < 0 || group >= static_cast<int>(groups.size())) {
        return;
    }
    const RecordingGroup& run = groups[group];
    std::optional<GeoPoint> runFirstPoint;
    for (int index = run.first; index < run.first + run.count; ++index) {
        std::optional<GeoPoint> firstPoint;
        PlotRecordingTrack(index, &firstPoint);
        if (!runFirstPoint) {
            runFirstPoint = firstPoint;
        }
    }
    if (runFirstPoint && m_map != nullptr) {
        m_map->MoveMarker(*runFirstPoint);
    }
}

void TrackPlotter::ClearGroupTracks() {
    if (m_map != nullptr) {
        m_map->ClearRunTracks();
    }
}

void TrackPlotter::UpdateGroupTracks(int newIndex, int previousIndex) {
    const int group = m_catalog.GroupOfRecording(newIndex);
    if (previousIndex == -1 || group != m_catalog.GroupOfRecording(previousIndex)) {
        ClearGroupTracks();
        PlotGroupTracks(group);
    }
}

void TrackPlotter::ReplotDrivenPath(std::uint32_t playingMs) {
    if (m_map == nullptr) {
        return;
    }
    const RecordingTelemetry& telemetry = m_catalog.Telemetry();
    const std::vector<std::uint8_t>& gps = telemetry.GpsData();
    // The records that lie before the target time, by the same rule that
    // turns a playing time into a record index.
    const auto before = static_cast<std::uint64_t>(playingMs * telemetry.GpsRate() / 1000);
    const std::uint64_t count = std::min<std::uint64_t>(before, GpsRecordCount(gps.size()));
    m_map->ClearDrivenPath();
    for (std::size_t i = 0; i < count; ++i) {
        if (const auto point = MapPointOf(GpsRecordAt(gps, i))) {
            m_map->PlotDrivenPoint(*point);
        }
    }
}

}  // namespace tavrel
