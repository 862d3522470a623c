#pragma once

#include "catalogviews.h"
#include "recordinglistbase.h"

namespace tavrel {

// The list of runs: one row per group of consecutive recordings, with a tick
// box on each that chooses the runs the unlock, copy and delete commands
// work on. Each row keeps the number of the group it shows, and the ticks
// are read by that number.
class RunList : public RecordingListBase, public GroupListView {
    Q_OBJECT

public:
    explicit RunList(QWidget* parent = nullptr);

    void DeleteAllRows() override;
    void SetRowHighlighted(int row, bool highlighted) override;
    void EnsureRowVisible(int row) override;
    // A tree widget takes every row: always true.
    bool AddGroupRow(const GroupListRow& row) override;
    bool IsGroupChecked(int groupNumber) const override;

signals:
    // A double click on the row with that index, or -1 below the last row.
    void runActivated(int row);

protected:
    void Activate(int row) override;
};

}  // namespace tavrel
