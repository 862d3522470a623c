// Keeping the displays around the video in step with the playing time.

#include "recordingcatalog.h"

namespace tavrel {

void RecordingCatalog::ShowNoFix() {
    if (m_compass != nullptr) {
        m_compass->ShowNoHeading();
    }
    if (m_speed != nullptr) {
        m_speed->SetSpeed(false, 0);
    }
}

int RecordingCatalog::SyncDisplaysToTime(std::uint64_t playingMs, bool gsensorShown,
                                         bool mapShown) {
    if (gsensorShown && m_gsensorGraph != nullptr && !m_gsensorData.empty()) {
        m_gsensorGraph->SetStopped(false);
        m_gsensorGraph->SetPosition(static_cast<std::uint32_t>(playingMs));
    }
    const std::size_t recordCount = GpsRecordCount(m_gpsData.size());
    if (recordCount == 0) {
        ShowNoFix();
        return 0;
    }
    const auto index =
        static_cast<std::uint64_t>(static_cast<double>(playingMs) * m_gpsRate / 1000);
    if (index >= recordCount || !GpsRecordAt(m_gpsData, index).HasFix()) {
        ShowNoFix();
        return 0;
    }
    // Reports come several times a second; those that fall on the record
    // already shown leave the displays alone.
    if (index != 0 && static_cast<int>(index) == m_lastShownIndex) {
        return m_lastShownResult;
    }
    const GpsRecord record = GpsRecordAt(m_gpsData, index);
    m_lastShownIndex = static_cast<int>(index);
    if (m_compass != nullptr) {
        m_compass->SetHeading(record.HeadingDegrees());
    }
    if (m_speed != nullptr) {
        m_speed->SetSpeed(true, record.speedKmh);
    }
    // A fix outside the coordinate range updates compass and speed but not
    // the map, and keeps the GPS indicator off on every report that falls on
    // it, not only the first.
    if (!record.RawPositionInRange()) {
        m_lastShownResult = 0;
        return 0;
    }
    if (mapShown && m_map != nullptr) {
        m_map->MovePosition(record.latitudeRaw / 100, record.longitudeRaw / 100,
                            record.HeadingDegrees());
    }
    m_lastShownResult = 1;
    return 1;
}

}  // namespace tavrel
