#pragma once

#include <string>

#include "catalogviews.h"

namespace tavrel {

class RecordingCatalog;
class TrackPlotter;

// Copying, deleting and unlocking the recordings of the groups ticked in the
// group list. The recordings and lists are the catalog's; after a deletion
// the run tracks are redrawn through the plotter. Holds only the bindings of
// the status board and the questions put to the user.
class RecordingFileOperations {
public:
    RecordingFileOperations(RecordingCatalog& catalog, TrackPlotter& tracks)
        : m_catalog(catalog), m_tracks(tracks) {}

    void BindStatusBoard(StatusBoardView* statusBoard) { m_statusBoard = statusBoard; }
    void BindQuestions(UserQuestions* questions) { m_questions = questions; }

    // Each returns false when no group is ticked.
    bool CopyCheckedTo(const std::string& destination);
    bool DeleteChecked();
    bool UnlockChecked();

private:
    RecordingCatalog& m_catalog;
    TrackPlotter& m_tracks;
    StatusBoardView* m_statusBoard = nullptr;
    UserQuestions* m_questions = nullptr;
};

}  // namespace tavrel
