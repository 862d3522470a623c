#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogviews.h"
#include "folderwalk.h"
#include "recordinginfo.h"
#include "recordingname.h"

namespace tavrel {

struct RecordingEntry {
    int groupStart = 0;  // 1 when this recording begins a group
    std::uint32_t lockFlags = 0;
    std::string name;
    std::string rootFolder;      // the opened folder, ending with "/"
    std::string relativeFolder;  // each level followed by "/"; empty in the root
    RecordingInfo info;
};

struct RecordingGroup {
    int number = 0;
    int first = 0;  // index in the catalog's recordings of its first recording
    int count = 0;
    std::uint64_t totalLengthMs = 0;
    std::uint64_t totalSize = 0;
    std::uint32_t lockFlags = 0;
    int checked = 0;  // as last read from the group list by ReadGroupChecks
};

struct FileRow {
    int groupNumber = 0;
    int indexInGroup = 0;
    int recordingIndex = 0;
    std::uint64_t size = 0;
    std::uint32_t lengthMs = 0;
};

struct ResolutionNameEntry {
    int width;
    int height;
    const char* name;
};

// Searched from the top; the first row whose width and height both match
// names the size. The last row ends the table and matches no real size.
inline constexpr std::array<ResolutionNameEntry, 14> kResolutionNames = {{
    {2048, 1600, "QXGA"},
    {2048, 1536, "QXGA"},
    {1920, 1080, "1080p HD"},
    {1600, 1200, "UXGA"},
    {1280, 1024, "SXGA"},
    {1280, 720, "720P"},
    {1152, 870, "MAC"},
    {1024, 768, "XGA"},
    {800, 600, "SVGA"},
    {720, 480, "480P"},
    {640, 480, "VGA"},
    {320, 240, "CIF"},
    {1440, 1080, "1080p"},
    {-1, -1, ""},
}};

// The table's name of a picture size, "WxH" for another size, or empty when
// either side is 0.
std::string ResolutionName(int width, int height);

// The recordings of the opened folder: found by walking it, ordered by start
// time, cut into groups of consecutive recordings (runs), listed, and the one
// current recording and group.
class RecordingCatalog {
public:
    void InitCatalog(GroupListView* groupList, FileListView* fileList,
                     GSensorGraphView* gsensorGraph, MapView* map, CatalogOwner* owner);
    void BindVideoSurface(VideoSurfaceView* videoSurface) { m_videoSurface = videoSurface; }
    void BindReadouts(CompassView* compass, SpeedView* speed) {
        m_compass = compass;
        m_speed = speed;
    }
    void BindStatusBoard(StatusBoardView* statusBoard) { m_statusBoard = statusBoard; }
    void BindQuestions(UserQuestions* questions) { m_questions = questions; }

    void ClearCatalog();
    // 0 when the folder does not exist (the catalog is then empty), else 1.
    int FillFromFolder(const std::string& folder);
    void BuildGroups();
    void ShowInLists();

    bool SelectRecording(int index);
    bool SelectGroup(int group);
    int GroupOfRecording(int index) const;
    // The recording automatic play goes on with: the next one in time across
    // group boundaries, and recording 0 after the last or when none is current.
    // -1 when the catalog is empty.
    int NextRecordingIndex() const;

    std::string PathOf(int index) const;
    std::string CurrentPath() const { return PathOf(m_currentFile); }
    bool CurrentVideoSize(int& width, int& height);

    // Reads every group's check box; true when at least one is ticked.
    bool ReadGroupChecks();

    // Telemetry and map tracks (trackplotting.cpp).
    // Loads recording `index`'s telemetry into the catalog and the G-sensor
    // graph, makes it current and draws its track. 1 when its file was opened.
    int LoadRecordingTelemetry(int index);
    // Draws one recording's track as a group-track line; `firstFix`, when
    // given, receives its first usable point in the recording's form.
    struct FirstFix {
        bool found = false;
        double latitude = 0;  // degrees and minutes / 100, not converted
        double longitude = 0;
    };
    int PlotRecordingTrack(int index, FirstFix* firstFix);
    int PlotGroupTracks(int group);
    int ClearGroupTracks();
    int UpdateGroupTracks(int newIndex, int previousIndex);
    // Redraws the driven line up to a playing time.
    int ReplotDrivenPath(std::uint32_t playingMs);

    // Tells the graph, compass, speed read-out and map where playback is
    // (telemetrysync.cpp); 1 when the time falls on a usable fix, which is
    // when the GPS indicator is lit.
    int SyncDisplaysToTime(std::uint64_t playingMs, bool gsensorShown, bool mapShown);

    // File operations on the recordings of the ticked groups
    // (fileoperations.cpp); each returns false when no group is ticked.
    bool CopyCheckedTo(const std::string& destination);
    bool DeleteChecked();
    bool UnlockChecked();

    // KML export of the current recording's track (kmlexport.cpp).
    struct KmlExportResult {
        bool ok = false;
        std::string path;  // the file written, or the one that could not be
    };
    KmlExportResult ExportKml(const std::string& folder);

    const std::vector<RecordingEntry>& Files() const { return m_files; }
    const std::vector<RecordingGroup>& Groups() const { return m_groups; }
    const std::vector<FileRow>& FileRows() const { return m_fileRows; }
    int CurrentFile() const { return m_currentFile; }
    int CurrentGroup() const { return m_currentGroup; }
    int ScanCount() const { return m_scanCount; }
    bool HasGps() const { return m_hasGps; }
    const std::vector<std::uint8_t>& GpsData() const { return m_gpsData; }
    const std::vector<std::uint8_t>& GSensorData() const { return m_gsensorData; }
    double GpsRate() const { return m_gpsRate; }

private:
    void VisitScannedEntry(const FolderEntry& entry);
    void DeleteAllListRows();
    void SetCurrentRowsHighlighted(bool highlighted);
    void RunScript(const std::string& script);
    void ShowNoFix();

    std::vector<RecordingEntry> m_files;
    std::vector<RecordingGroup> m_groups;
    std::vector<FileRow> m_fileRows;

    GroupListView* m_groupList = nullptr;
    FileListView* m_fileList = nullptr;
    GSensorGraphView* m_gsensorGraph = nullptr;
    MapView* m_map = nullptr;
    VideoSurfaceView* m_videoSurface = nullptr;
    CatalogOwner* m_owner = nullptr;
    CompassView* m_compass = nullptr;
    SpeedView* m_speed = nullptr;
    StatusBoardView* m_statusBoard = nullptr;
    UserQuestions* m_questions = nullptr;

    // The current recording's telemetry payloads.
    std::vector<std::uint8_t> m_gpsData;
    std::vector<std::uint8_t> m_gsensorData;
    double m_gpsRate = 1.0;  // GPS records per second of the current recording

    // The GPS record the displays show, and what that report returned: a
    // repeated report on it tells no display again and returns the same.
    int m_lastShownIndex = 0;
    int m_lastShownResult = 0;

    int m_scanCount = 0;
    int m_currentFile = -1;
    int m_currentGroup = 0;
    bool m_hasGps = false;
};

}  // namespace tavrel
