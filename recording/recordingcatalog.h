#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogviews.h"
#include "folderwalk.h"
#include "recordinginfo.h"
#include "recordingname.h"
#include "recordingtelemetry.h"

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
// time, cut into groups of consecutive recordings (runs) and listed; the one
// current recording and group; and the telemetry loaded from the current
// recording (RecordingTelemetry, bound to its displays through Telemetry()).
// The telemetry is held here because it must always belong to a listed
// recording: the catalog drops it when that recording leaves the list,
// whether the catalog is cleared, refilled or the recording deleted.
//
// The work done on the recordings lives beside it in classes of its own that
// hold a reference to it: TrackPlotter draws tracks on the map,
// RecordingFileOperations copies, deletes and unlocks, and ExportKml
// (kmlexport.h) writes the current track. The viewer's window owns one
// catalog, one plotter and one set of file operations side by side.
class RecordingCatalog {
public:
    void InitCatalog(GroupListView* groupList, FileListView* fileList, CatalogOwner* owner);
    void BindVideoSurface(VideoSurfaceView* videoSurface) { m_videoSurface = videoSurface; }

    // Empties the catalog, the lists and the loaded telemetry.
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
    bool CurrentVideoSize(int& width, int& height) const;

    // Reads every group's check box; true when at least one is ticked.
    bool ReadGroupChecks();

    // Makes recording `index` current, without moving the highlight, and
    // loads its telemetry; false when the index has no recording or its file
    // cannot be read (the recording is current all the same).
    bool LoadTelemetry(int index);
    RecordingTelemetry& Telemetry() { return m_telemetry; }
    const RecordingTelemetry& Telemetry() const { return m_telemetry; }

    // For the file operations. A removed recording that was current leaves
    // none current, and its telemetry is dropped; the current recording
    // keeps being current under its new index. Regroup rebuilds the groups
    // and the lists after removals.
    void RemoveRecording(int index);
    void Regroup();
    void MarkUnlocked(int index);
    void MarkGroupUnlocked(int group);
    // Lists the groups and recordings again, as they are now.
    void Relist();

    const std::vector<RecordingEntry>& Files() const { return m_files; }
    const std::vector<RecordingGroup>& Groups() const { return m_groups; }
    const std::vector<FileRow>& FileRows() const { return m_fileRows; }
    int CurrentFile() const { return m_currentFile; }
    int CurrentGroup() const { return m_currentGroup; }
    int ScanCount() const { return m_scanCount; }
    bool HasGps() const { return m_hasGps; }

private:
    void VisitScannedEntry(const FolderEntry& entry);
    void DeleteAllListRows();
    void SetCurrentRowsHighlighted(bool highlighted);

    std::vector<RecordingEntry> m_files;
    std::vector<RecordingGroup> m_groups;
    std::vector<FileRow> m_fileRows;
    RecordingTelemetry m_telemetry;

    GroupListView* m_groupList = nullptr;
    FileListView* m_fileList = nullptr;
    VideoSurfaceView* m_videoSurface = nullptr;
    CatalogOwner* m_owner = nullptr;

    int m_scanCount = 0;
    int m_currentFile = -1;
    int m_currentGroup = 0;
    bool m_hasGps = false;
};

}  // namespace tavrel
