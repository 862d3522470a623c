#pragma once

#include <cstdint>
#include <string>

#include "telemetry.h"

namespace tavrel {

// What the catalog tells the windows around it. Each binding is optional:
// the catalog skips every update meant for a view that is not bound, so it
// runs the same under the viewer, the command-line tool and the tests.

struct GroupListRow {
    int groupNumber = 0;
    std::string resolution;
    std::uint64_t totalLengthMs = 0;
    std::uint64_t totalSize = 0;
    std::uint32_t lockFlags = 0;
    std::int64_t startTime = 0;
};

struct FileListRow {
    int groupNumber = 0;
    int indexInGroup = 0;
    std::string folder;  // root folder and relative folder
    std::string name;
    std::uint32_t lengthMs = 0;
    std::uint64_t size = 0;
    std::uint32_t lockFlags = 0;
    std::int64_t startTime = 0;
};

// Row handling shared by the group list and the file list. Rows are
// addressed by index; an index with no row is ignored.
class RecordingListView {
public:
    virtual ~RecordingListView() = default;
    virtual void DeleteAllRows() = 0;
    // The highlight that marks the current group or recording.
    virtual void SetRowHighlighted(int row, bool highlighted) = 0;
    virtual void EnsureRowVisible(int row) = 0;
};

class GroupListView : public RecordingListView {
public:
    // False when the row could not be inserted.
    virtual bool AddGroupRow(const GroupListRow& row) = 0;
    // Whether the row of that group is ticked; false when no row shows it.
    // Asked by group, not by row: once a row is left out, rows and groups no
    // longer line up, and a tick must never stand for a neighbouring group.
    virtual bool IsGroupChecked(int groupNumber) const = 0;
};

class FileListView : public RecordingListView {
public:
    virtual bool AddFileRow(const FileListRow& row) = 0;
};

class GSensorGraphView {
public:
    virtual ~GSensorGraphView() = default;
    // Drops all samples, puts the cursor at 0 and asks for a repaint.
    virtual void ClearSamples() = 0;
    virtual void RepaintNow() = 0;
    // The G a raw value of 128 stands for, and the +/- range shown.
    virtual void SetScale(double fullScale, double range) = 0;
    virtual void AddSample(const GSensorSample& sample) = 0;
    virtual void SetSampleRate(double samplesPerMs) = 0;
    virtual void SetPosition(std::uint32_t playingMs) = 0;
    virtual void SetStopped(bool stopped) = 0;
};

// What the catalog draws on the map. Points are in decimal degrees; every
// call is drawn after the ones before it.
class TrackMap {
public:
    virtual ~TrackMap() = default;

    // The current recording's whole track.
    virtual void ClearRecordingTrack() = 0;
    virtual void PlotPoint(GeoPoint point) = 0;

    // The part of the current recording already driven.
    virtual void ClearDrivenPath() = 0;
    virtual void PlotDrivenPoint(GeoPoint point) = 0;

    // The tracks of the current run, one line per recording, each drawn
    // between a begin and an end.
    virtual void BeginRunTrack() = 0;
    virtual void PlotRunTrackPoint(GeoPoint point) = 0;
    virtual void EndRunTrack() = 0;
    virtual void ClearRunTracks() = 0;

    // Centres the map on the point, moves the marker there and extends the
    // driven line to it.
    virtual void MoveMarker(GeoPoint point) = 0;
};

class CompassView {
public:
    virtual ~CompassView() = default;
    virtual void SetHeading(int degrees) = 0;
    virtual void ShowNoHeading() = 0;
};

class SpeedView {
public:
    virtual ~SpeedView() = default;
    // `visible` false blanks the read-out.
    virtual void SetSpeed(bool visible, std::uint16_t speedKmh) = 0;
};

// The board that shows how far a copy has got.
class StatusBoardView {
public:
    virtual ~StatusBoardView() = default;
    // Shows the board with the percentage and repaints it at once.
    virtual void SetProgress(int percent) = 0;
    virtual void HideBoard() = 0;
};

// Questions the file operations put to the user.
class UserQuestions {
public:
    virtual ~UserQuestions() = default;
    // True when the existing file at `path` may be replaced.
    virtual bool ConfirmOverwrite(const std::string& path) = 0;
};

class VideoSurfaceView {
public:
    virtual ~VideoSurfaceView() = default;
    // Shows the number of files a running scan has examined, at once.
    virtual void ShowScanCounter(int count) = 0;
};

class CatalogOwner {
public:
    virtual ~CatalogOwner() = default;
    // Shows or hides the map panel after a scan.
    virtual void ApplyMapEnabled(bool on) = 0;
};

}  // namespace tavrel
