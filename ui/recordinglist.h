#pragma once

#include "catalogviews.h"
#include "recordinglistbase.h"

namespace tavrel {

// The list of recordings: one row per recording, in time order. Its six
// columns are together wider than the list, which scrolls sideways.
class RecordingList : public RecordingListBase, public FileListView {
    Q_OBJECT

public:
    explicit RecordingList(QWidget* parent = nullptr);

    void DeleteAllRows() override;
    void SetRowHighlighted(int row, bool highlighted) override;
    void EnsureRowVisible(int row) override;
    // A tree widget takes every row: always true.
    bool AddFileRow(const FileListRow& row) override;

signals:
    // A double click on the recording with that index, or -1 below the last row.
    void recordingActivated(int index);

protected:
    void Activate(int row) override;
};

}  // namespace tavrel
