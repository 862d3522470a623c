#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogviews.h"
#include "recordinginfo.h"

namespace tavrel {

// The telemetry of the recording being played: its GPS records and G-sensor
// samples, the path of the recording they were read from, and the displays
// that follow the playing time through them (the G-sensor graph, compass,
// speed read-out and map marker). The RecordingCatalog holds the one
// instance and drops it when that recording leaves the list, so what is
// loaded always belongs to a listed recording.
class RecordingTelemetry {
public:
    void BindGraph(GSensorGraphView* gsensorGraph) { m_gsensorGraph = gsensorGraph; }
    void BindReadouts(CompassView* compass, SpeedView* speed) {
        m_compass = compass;
        m_speed = speed;
    }
    void BindMap(TrackMap* map) { m_map = map; }

    // Reads the payloads of the recording at `path` and hands its G-sensor
    // samples to the graph. False, with nothing loaded, when the file cannot
    // be read.
    bool Load(const std::string& path, const RecordingInfo& info);
    // Forgets what was loaded and empties the graph.
    void Drop();
    // A scan holds the user-interface thread for a while: the graph shows
    // itself emptied before one starts.
    void RepaintGraphNow();

    bool IsLoaded() const { return !m_sourcePath.empty(); }
    // The recording the telemetry came from; empty when none is loaded.
    const std::string& SourcePath() const { return m_sourcePath; }

    // Tells the graph, compass, speed read-out and map where playback is; 1
    // when the time falls on a usable fix, which is when the GPS indicator
    // is lit.
    int SyncDisplaysToTime(std::uint64_t playingMs, bool gsensorShown, bool mapShown);

    const std::vector<std::uint8_t>& GpsData() const { return m_gpsData; }
    const std::vector<std::uint8_t>& GSensorData() const { return m_gsensorData; }
    double GpsRate() const { return m_gpsRate; }

private:
    void ShowNoFix();

    GSensorGraphView* m_gsensorGraph = nullptr;
    CompassView* m_compass = nullptr;
    SpeedView* m_speed = nullptr;
    TrackMap* m_map = nullptr;

    std::string m_sourcePath;
    std::vector<std::uint8_t> m_gpsData;
    std::vector<std::uint8_t> m_gsensorData;
    double m_gpsRate = 1.0;  // GPS records per second

    // The GPS record the displays show and what the report on it returned:
    // a repeated report on it tells no display again and returns the same.
    // Forgotten whenever the displays stop showing it.
    std::optional<std::size_t> m_lastShownIndex;
    int m_lastShownResult = 0;
};

}  // namespace tavrel
