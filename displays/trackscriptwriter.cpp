#include "trackscriptwriter.h"

#include "decimaltext.h"

namespace tavrel {

void TrackScriptWriter::ClearRecordingTrack() {
    WriteScript("path_delete()");
}

void TrackScriptWriter::PlotPoint(GeoPoint point) {
    WritePointCall("path_plot", point);
}

void TrackScriptWriter::ClearDrivenPath() {
    WriteScript("pathdrived_delete()");
}

void TrackScriptWriter::PlotDrivenPoint(GeoPoint point) {
    WritePointCall("pathdrived_plot", point);
}

void TrackScriptWriter::BeginRunTrack() {
    WriteScript("draw_file_path_begin()");
}

void TrackScriptWriter::PlotRunTrackPoint(GeoPoint point) {
    WritePointCall("draw_file_path_plot", point);
}

void TrackScriptWriter::EndRunTrack() {
    WriteScript("draw_file_path_end()");
}

void TrackScriptWriter::ClearRunTracks() {
    WriteScript("draw_file_path_clear_all()");
}

void TrackScriptWriter::MoveMarker(GeoPoint point) {
    // The one call written with a space after the comma, as it always has been.
    WriteScript("movpos(" + FormatFixed6(point.latitude) + ", " + FormatFixed6(point.longitude) +
                ")");
}

void TrackScriptWriter::WritePointCall(std::string_view function, GeoPoint point) {
    WriteScript(std::string(function) + "(" + FormatFixed6(point.latitude) + "," +
                FormatFixed6(point.longitude) + ")");
}

}  // namespace tavrel
