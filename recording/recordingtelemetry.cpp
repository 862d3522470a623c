#include "recordingtelemetry.h"

#include "telemetry.h"
#include "telemetryfile.h"

namespace tavrel {

namespace {

// The vertical range of the G-sensor graph, in G either side of zero.
constexpr double kGSensorGraphRange = 5.0;

}  // namespace

bool RecordingTelemetry::Load(const std::string& path, const RecordingInfo& info) {
    m_sourcePath.clear();
    m_gpsData.clear();
    m_gsensorData.clear();
    m_lastShownIndex.reset();
    std::optional<TelemetryPayloads> payloads =
        ReadTelemetryPayloads(path, info, Payloads::GpsAndGSensor);
    if (!payloads) {
        return false;
    }
    m_sourcePath = path;
    m_gpsData = std::move(payloads->gps);
    m_gsensorData = std::move(payloads->gsensor);
    m_gpsRate = GpsRecordsPerSecond(info.gpsRateWord);
    // Samples without a finite rate cannot be placed in time: such a
    // recording counts as one without G-sensor data.
    const std::optional<double> samplesPerMs =
        GSensorSamplesPerMs(info.gsensorRateWord, info.gsensorSize, info.lengthMs);
    if (!samplesPerMs) {
        m_gsensorData.clear();
    }
    if (m_gsensorGraph == nullptr) {
        return true;
    }
    m_gsensorGraph->ClearSamples();
    if (!m_gsensorData.empty()) {
        m_gsensorGraph->SetScale(GSensorFullScale(info.gsensorRateWord), kGSensorGraphRange);
        m_gsensorGraph->ClearSamples();
        for (std::size_t at = 0; at + GSensorSample::kSize <= m_gsensorData.size();
             at += GSensorSample::kSize) {
            m_gsensorGraph->AddSample(GSensorSample::Decode(m_gsensorData.data() + at));
        }
        m_gsensorGraph->SetSampleRate(*samplesPerMs);
    }
    return true;
}

void RecordingTelemetry::Drop() {
    m_sourcePath.clear();
    m_gpsData.clear();
    m_gsensorData.clear();
    m_lastShownIndex.reset();
    if (m_gsensorGraph != nullptr) {
        m_gsensorGraph->ClearSamples();
    }
}

void RecordingTelemetry::RepaintGraphNow() {
    if (m_gsensorGraph != nullptr) {
        m_gsensorGraph->RepaintNow();
    }
}

void RecordingTelemetry::ShowNoFix() {
    m_lastShownIndex.reset();
    if (m_compass != nullptr) {
        m_compass->ShowNoHeading();
    }
    if (m_speed != nullptr) {
        m_speed->SetSpeed(false, 0);
    }
}

int RecordingTelemetry::SyncDisplaysToTime(std::uint64_t playingMs, bool gsensorShown,
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
    const auto index = static_cast<std::size_t>(static_cast<double>(playingMs) * m_gpsRate / 1000);
    if (index >= recordCount || !GpsRecordAt(m_gpsData, index).HasFix()) {
        ShowNoFix();
        return 0;
    }
    // Reports come several times a second; those that fall on the record
    // already shown leave the displays alone. Record 0 is always shown.
    if (index != 0 && m_lastShownIndex == index) {
        return m_lastShownResult;
    }
    const GpsRecord record = GpsRecordAt(m_gpsData, index);
    m_lastShownIndex = index;
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
        m_map->MoveMarker(
            {NmeaToDegrees(record.latitudeRaw / 100), NmeaToDegrees(record.longitudeRaw / 100)});
    }
    m_lastShownResult = 1;
    return 1;
}

}  // namespace tavrel
