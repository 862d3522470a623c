// Copying, deleting and unlocking the recordings of the ticked groups.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "directorypath.h"
#include "filecopy.h"
#include "recordingcatalog.h"

namespace tavrel {

namespace {

bool PathExists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

// Joins with one "/" between the parts, however the first one ends.
std::string JoinPath(const std::string& folder, const std::string& rest) {
    return folder.empty() || folder.back() == '/' ? folder + rest : folder + "/" + rest;
}

bool IsFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

bool RecordingCatalog::CopyCheckedTo(const std::string& destination) {
    if (!ReadGroupChecks()) {
        return false;
    }
    int total = 0;
    for (const RecordingGroup& group : m_groups) {
        total += group.checked != 0 ? group.count : 0;
    }
    if (m_statusBoard != nullptr) {
        m_statusBoard->SetProgress(0);
    }
    int progress = 0;
    for (const RecordingGroup& group : m_groups) {
        if (group.checked == 0) {
            continue;
        }
        for (int index = group.first; index < group.first + group.count; ++index) {
            const RecordingEntry& recording = m_files[index];
            // The subfolders below the opened folder are repeated below the
            // destination.
            const std::string folder = JoinPath(destination, recording.relativeFolder);
            const std::string target = JoinPath(folder, recording.name);
            if (!IsFolder(folder)) {
                MakeDirectoryPath(folder);
            }
            const bool replace = !PathExists(target) ||
                                 (m_questions != nullptr && m_questions->ConfirmOverwrite(target));
            if (replace) {
                // A failed copy is not reported; the destination stays as it was.
                CopyFileSafely(PathOf(index), target);
            }
            progress += 100;
            if (m_statusBoard != nullptr) {
                m_statusBoard->SetProgress(std::min(progress / total, 100));
            }
        }
    }
    if (m_statusBoard != nullptr) {
        m_statusBoard->HideBoard();
    }
    return true;
}

bool RecordingCatalog::DeleteChecked() {
    if (!ReadGroupChecks()) {
        return false;
    }
    int deleted = 0;
    // Backwards, so that removing an entry leaves the indexes of those still
    // to be visited as they are.
    for (int g = static_cast<int>(m_groups.size()) - 1; g >= 0; --g) {
        const RecordingGroup& group = m_groups[g];
        if (group.checked == 0) {
            continue;
        }
        for (int index = group.first + group.count - 1; index >= group.first; --index) {
            const std::string path = PathOf(index);
            if (IsReadOnlyFile(path)) {
                continue;  // locked recordings are never deleted
            }
            if (::unlink(path.c_str()) == 0) {
                m_files.erase(m_files.begin() + index);
                m_fileRows.erase(m_fileRows.begin() + index);
                ++deleted;
            }
        }
    }
    if (deleted > 0) {
        m_groups.clear();
        m_fileRows.clear();
        DeleteAllListRows();
        BuildGroups();
        ClearGroupTracks();
        PlotGroupTracks(GroupOfRecording(m_currentFile));
    }
    return true;
}

bool RecordingCatalog::UnlockChecked() {
    if (!ReadGroupChecks()) {
        return false;
    }
    for (RecordingGroup& group : m_groups) {
        if (group.checked == 0) {
            continue;
        }
        for (int index = group.first; index < group.first + group.count; ++index) {
            RecordingEntry& recording = m_files[index];
            if ((recording.lockFlags & (LOCK_EVENT | LOCK_OTHER)) == 0) {
                continue;
            }
            const std::string path = PathOf(index);
            struct stat status {};
            if (::stat(path.c_str(), &status) == 0 &&
                ::chmod(path.c_str(), (status.st_mode & 07777) | S_IWUSR) == 0) {
                recording.lockFlags &= ~(LOCK_EVENT | LOCK_OTHER);
            }
        }
        group.lockFlags = 0;
    }
    DeleteAllListRows();
    ShowInLists();
    return true;
}

}  // namespace tavrel
