#pragma once

#include <string>
#include <string_view>

#include "catalogviews.h"
#include "telemetry.h"

namespace tavrel {

// What the catalog draws, written as calls of the map page's script
// interface, one text per call in the order of the calls. Numbers have six
// decimals and a full stop whatever the user's locale: the page reads them as
// script literals.
class TrackScriptWriter : public TrackMap {
public:
    void ClearRecordingTrack() override;
    void PlotPoint(GeoPoint point) override;
    void ClearDrivenPath() override;
    void PlotDrivenPoint(GeoPoint point) override;
    void BeginRunTrack() override;
    void PlotRunTrackPoint(GeoPoint point) override;
    void EndRunTrack() override;
    void ClearRunTracks() override;
    void MoveMarker(GeoPoint point) override;

protected:
    // Receives each call's text.
    virtual void WriteScript(std::string script) = 0;

private:
    void WritePointCall(std::string_view function, GeoPoint point);
};

}  // namespace tavrel
