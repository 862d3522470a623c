#include "recordingfileoperations.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "directorypath.h"
#include "filecopy.h"
#include "recordingcatalog.h"
#include "trackplotter.h"

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

bool RecordingFileOperations::CopyCheckedTo(const std::string& destination) {
    if (!m_catalog.ReadGroupChecks()) {
        return false;
    }
    int total = 0;
    for (const RecordingGroup& group : m_catalog.Groups()) {
        total += group.checked != 0 ? group.count : 0;
    }
    if (m_statusBoard != nullptr) {
        m_statusBoard->SetProgress(0);
    }
    int progress = 0;
    for (const RecordingGroup& group : m_catalog.Groups()) {
        if (group.checked == 0) {
            continue;
        }
        for (int index = group.first; index < group.first + group.count; ++index) {
            const RecordingEntry& recording = m_catalog.Files()[index];
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
                CopyFileSafely(m_catalog.PathOf(index), target);
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

bool RecordingFileOperations::DeleteChecked() {
    if (!m_catalog.ReadGroupChecks()) {
        return false;
    }
    int deleted = 0;
    const std::vector<RecordingGroup>& groups = m_catalog.Groups();
    // Backwards, so that removing an entry leaves the indexes of those still
    // to be visited as they are.
    for (int g = static_cast<int>(groups.size()) - 1; g >= 0; --g) {
        const RecordingGroup& group = groups[g];
        if (group.checked == 0) {
            continue;
        }
        for (int index = group.first + group.count - 1; index >= group.first; --index) {
            const std::string path = m_catalog.PathOf(index);
            if (IsReadOnlyFile(path)) {
                continue;  // locked recordings are never deleted
            }
            if (::unlink(path.c_str()) == 0) {
                m_catalog.RemoveRecording(index);
                ++deleted;
            }
        }
    }
    if (deleted > 0) {
        m_catalog.Regroup();
        m_tracks.ClearGroupTracks();
        m_tracks.PlotGroupTracks(m_catalog.GroupOfRecording(m_catalog.CurrentFile()));
    }
    return true;
}

bool RecordingFileOperations::UnlockChecked() {
    if (!m_catalog.ReadGroupChecks()) {
        return false;
    }
    const std::vector<RecordingGroup>& groups = m_catalog.Groups();
    for (int g = 0; g < static_cast<int>(groups.size()); ++g) {
        const RecordingGroup& group = groups[g];
        if (group.checked == 0) {
            continue;
        }
        for (int index = group.first; index < group.first + group.count; ++index) {
            if ((m_catalog.Files()[index].lockFlags & (LOCK_EVENT | LOCK_OTHER)) == 0) {
                continue;
            }
            const std::string path = m_catalog.PathOf(index);
            struct stat status {};
            if (::stat(path.c_str(), &status) == 0 &&
                ::chmod(path.c_str(), (status.st_mode & 07777) | S_IWUSR) == 0) {
                m_catalog.MarkUnlocked(index);
            }
        }
        m_catalog.MarkGroupUnlocked(g);
    }
    m_catalog.Relist();
    return true;
}

}  // namespace tavrel
