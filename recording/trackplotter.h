#pragma once

#include <cstdint>
#include <optional>

#include "catalogviews.h"
#include "telemetry.h"

namespace tavrel {

class RecordingCatalog;

// Draws the catalog's tracks on the map: the current recording's whole track
// and the part of it already driven, and one line per recording of the
// current run. Holds no state of its own beyond the map it draws on; every
// drawing call is skipped while no map is bound.
class TrackPlotter {
public:
    explicit TrackPlotter(RecordingCatalog& catalog) : m_catalog(catalog) {}

    void BindMap(TrackMap* map) { m_map = map; }

    // Loads recording `index`'s telemetry into the catalog (and the G-sensor
    // graph), makes it current and draws its track. 1 when its file was read.
    int LoadRecordingTelemetry(int index);
    // Draws one recording's track as a run-track line; `firstPoint`, when
    // given, receives its first usable point. 1 when done or when the
    // recording has no GPS data, 0 when its file cannot be read.
    int PlotRecordingTrack(int index, std::optional<GeoPoint>* firstPoint);
    // Draws the tracks of a run and moves the marker to its first usable point.
    void PlotGroupTracks(int group);
    void ClearGroupTracks();
    // Redraws the run tracks when the new recording belongs to another run
    // than the previous one (-1: none).
    void UpdateGroupTracks(int newIndex, int previousIndex);
    // Redraws the driven line up to a playing time.
    void ReplotDrivenPath(std::uint32_t playingMs);

private:
    RecordingCatalog& m_catalog;
    TrackMap* m_map = nullptr;
};

}  // namespace tavrel
