#include "recordingcatalog.h"

#include <algorithm>
#include <cstdio>

#include "avirecordingreader.h"

namespace tavrel {

namespace {

// Consecutive recordings of one run may start up to this many seconds before
// or after the previous one ends: the camera's clock and file switch jitter.
constexpr std::int64_t kGroupToleranceSeconds = 2;

}  // namespace

std::string ResolutionName(int width, int height) {
    for (const ResolutionNameEntry& entry : kResolutionNames) {
        if (entry.width == width && entry.height == height) {
            return entry.name;
        }
    }
    if (width != 0 && height != 0) {
        char text[32];
        std::snprintf(text, sizeof text, "%dx%d", width, height);
        return text;
    }
    return {};
}

void RecordingCatalog::InitCatalog(GroupListView* groupList, FileListView* fileList,
                                   CatalogOwner* owner) {
    m_groupList = groupList;
    m_fileList = fileList;
    m_owner = owner;
    m_files.clear();
    m_groups.clear();
    m_fileRows.clear();
    m_currentFile = -1;
    m_currentGroup = 0;
    m_telemetry.Drop();
}

void RecordingCatalog::ClearCatalog() {
    m_files.clear();
    m_currentFile = -1;
    m_groups.clear();
    m_fileRows.clear();
    DeleteAllListRows();
    m_telemetry.Drop();
}

int RecordingCatalog::FillFromFolder(const std::string& folder) {
    ClearCatalog();
    m_telemetry.RepaintGraphNow();
    m_scanCount = 0;
    m_hasGps = false;
    if (!WalkFolder(folder, [this](const FolderEntry& entry) { VisitScannedEntry(entry); })) {
        return 0;
    }
    if (m_owner != nullptr) {
        m_owner->ApplyMapEnabled(m_hasGps);
    }
    if (!m_files.empty()) {
        // Stable, so recordings with equal start times keep the order in which
        // the walk met them and every scan of a folder lists them alike.
        std::stable_sort(m_files.begin(), m_files.end(),
                         [](const RecordingEntry& a, const RecordingEntry& b) {
                             return a.info.startTime < b.info.startTime;
                         });
        BuildGroups();
    }
    return 1;
}

void RecordingCatalog::VisitScannedEntry(const FolderEntry& entry) {
    if (entry.isFolder) {
        return;
    }
    const RecordingNameCheck check = IsRecordingName(entry.root + entry.relativeFolder, entry.name);
    if (check.accepted) {
        RecordingEntry recording;
        recording.lockFlags = check.lockFlags;
        recording.name = entry.name;
        recording.rootFolder = entry.root;
        recording.relativeFolder = entry.relativeFolder;
        AviRecordingReader reader;
        if (reader.ReadRecording(entry.root + entry.relativeFolder + entry.name, &recording.info) ==
            0) {
            if (recording.info.gpsOffset != 0 && recording.info.gpsSize != 0) {
                m_hasGps = true;
            }
            m_files.push_back(std::move(recording));
        }
    }
    if (m_videoSurface != nullptr) {
        m_videoSurface->ShowScanCounter(m_scanCount);
    }
    ++m_scanCount;
}

void RecordingCatalog::BuildGroups() {
    m_groups.clear();
    m_fileRows.clear();
    const int count = static_cast<int>(m_files.size());
    for (int i = 0; i < count; ++i) {
        m_files[i].groupStart = 0;
    }
    if (count > 0) {
        m_files[0].groupStart = 1;
    }
    for (int i = 1; i < count; ++i) {
        const RecordingInfo& previous = m_files[i - 1].info;
        const std::int64_t previousEnd = previous.startTime + previous.lengthSeconds;
        const std::int64_t start = m_files[i].info.startTime;
        const bool continues = start >= previousEnd - kGroupToleranceSeconds &&
                               start <= previousEnd + kGroupToleranceSeconds;
        if (!continues) {
            m_files[i].groupStart = 1;
        }
    }

    RecordingGroup group;
    for (int i = 0; i < count; ++i) {
        const RecordingEntry& recording = m_files[i];
        if (recording.groupStart != 0) {
            if (i != 0) {
                m_groups.push_back(group);
            }
            group = RecordingGroup{};
            group.number = static_cast<int>(m_groups.size());
            group.first = i;
        }
        m_fileRows.push_back(
            {group.number, group.count, i, recording.info.fileSize, recording.info.lengthMs});
        ++group.count;
        group.totalLengthMs += recording.info.lengthMs;
        group.totalSize += recording.info.fileSize;
        group.lockFlags |= recording.lockFlags;
    }
    if (count > 0) {
        m_groups.push_back(group);
    }
    ShowInLists();
}

void RecordingCatalog::ShowInLists() {
    if (m_groupList != nullptr) {
        for (const RecordingGroup& group : m_groups) {
            const RecordingInfo& first = m_files[group.first].info;
            // A row that cannot be inserted is left out; the next one is tried.
            m_groupList->AddGroupRow(
                {group.number, ResolutionName(first.videoWidth, first.videoHeight),
                 group.totalLengthMs, group.totalSize, group.lockFlags, first.startTime});
        }
    }
    if (m_fileList != nullptr) {
        for (const FileRow& row : m_fileRows) {
            const RecordingEntry& recording = m_files[row.recordingIndex];
            m_fileList->AddFileRow({row.groupNumber, row.indexInGroup,
                                    recording.rootFolder + recording.relativeFolder, recording.name,
                                    recording.info.lengthMs, recording.info.fileSize,
                                    recording.lockFlags, recording.info.startTime});
        }
    }
}

void RecordingCatalog::DeleteAllListRows() {
    if (m_groupList != nullptr) {
        m_groupList->DeleteAllRows();
    }
    if (m_fileList != nullptr) {
        m_fileList->DeleteAllRows();
    }
}

void RecordingCatalog::SetCurrentRowsHighlighted(bool highlighted) {
    if (m_groupList != nullptr) {
        m_groupList->SetRowHighlighted(m_currentGroup, highlighted);
    }
    if (m_fileList != nullptr) {
        m_fileList->SetRowHighlighted(m_currentFile, highlighted);
    }
}

bool RecordingCatalog::SelectRecording(int index) {
    if (index < 0 || index >= static_cast<int>(m_fileRows.size())) {
        return false;
    }
    SetCurrentRowsHighlighted(false);
    m_currentFile = index;
    m_currentGroup = GroupOfRecording(index);
    SetCurrentRowsHighlighted(true);
    if (m_groupList != nullptr) {
        m_groupList->EnsureRowVisible(m_currentGroup);
    }
    if (m_fileList != nullptr) {
        m_fileList->EnsureRowVisible(m_currentFile);
    }
    return true;
}

bool RecordingCatalog::SelectGroup(int group) {
    if (group < 0 || group >= static_cast<int>(m_groups.size())) {
        return false;
    }
    SetCurrentRowsHighlighted(false);
    m_currentGroup = group;
    m_currentFile = m_groups[group].first;
    SetCurrentRowsHighlighted(true);
    return true;
}

int RecordingCatalog::GroupOfRecording(int index) const {
    if (index < 0) {
        return -1;
    }
    for (const RecordingGroup& group : m_groups) {
        if (group.first + group.count > index) {
            return group.number;
        }
    }
    return -1;
}

int RecordingCatalog::NextRecordingIndex() const {
    if (m_files.empty()) {
        return -1;
    }
    const int next = m_currentFile + 1;
    return next > 0 && next < static_cast<int>(m_files.size()) ? next : 0;
}

std::string RecordingCatalog::PathOf(int index) const {
    if (index < 0 || index >= static_cast<int>(m_files.size())) {
        return {};
    }
    const RecordingEntry& recording = m_files[index];
    return recording.rootFolder + recording.relativeFolder + recording.name;
}

bool RecordingCatalog::CurrentVideoSize(int& width, int& height) const {
    if (m_currentFile < 0 || m_currentFile >= static_cast<int>(m_files.size())) {
        return false;
    }
    width = m_files[m_currentFile].info.videoWidth;
    height = m_files[m_currentFile].info.videoHeight;
    return true;
}

bool RecordingCatalog::ReadGroupChecks() {
    bool anyChecked = false;
    for (RecordingGroup& group : m_groups) {
        const bool checked = m_groupList != nullptr && m_groupList->IsGroupChecked(group.number);
        group.checked = checked ? 1 : 0;
        anyChecked = anyChecked || checked;
    }
    return anyChecked;
}

bool RecordingCatalog::LoadTelemetry(int index) {
    if (index < 0 || index >= static_cast<int>(m_files.size())) {
        return false;
    }
    m_currentFile = index;
    return m_telemetry.Load(PathOf(index), m_files[index].info);
}

void RecordingCatalog::RemoveRecording(int index) {
    if (index < 0 || index >= static_cast<int>(m_files.size())) {
        return;
    }
    if (PathOf(index) == m_telemetry.SourcePath()) {
        m_telemetry.Drop();
    }
    if (index == m_currentFile) {
        m_currentFile = -1;
    } else if (index < m_currentFile) {
        --m_currentFile;
    }
    m_files.erase(m_files.begin() + index);
    if (index < static_cast<int>(m_fileRows.size())) {
        m_fileRows.erase(m_fileRows.begin() + index);
    }
}

void RecordingCatalog::Regroup() {
    m_groups.clear();
    m_fileRows.clear();
    DeleteAllListRows();
    BuildGroups();
    m_currentGroup = m_currentFile >= 0 ? GroupOfRecording(m_currentFile) : 0;
}

void RecordingCatalog::MarkUnlocked(int index) {
    if (index >= 0 && index < static_cast<int>(m_files.size())) {
        m_files[index].lockFlags &= ~(LOCK_EVENT | LOCK_OTHER);
    }
}

void RecordingCatalog::MarkGroupUnlocked(int group) {
    if (group >= 0 && group < static_cast<int>(m_groups.size())) {
        m_groups[group].lockFlags = 0;
    }
}

void RecordingCatalog::Relist() {
    DeleteAllListRows();
    ShowInLists();
}

}  // namespace tavrel
