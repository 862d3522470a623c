#include "recordinglist.h"

#include <array>

#include "listcelltext.h"

namespace tavrel {

namespace {

constexpr std::array<ListColumn, 6> kRecordingColumns = {{
    {StringId::IdColumn, 3, 10},
    {StringId::FileNameColumn, 3, 10},
    {StringId::StartTimeColumn, 3, 10},
    {StringId::EndTimeColumn, 3, 10},
    {StringId::FileSizeColumn, 3, 10},
    {StringId::FolderColumn, 3, 10},
}};

}  // namespace

RecordingList::RecordingList(QWidget* parent) : RecordingListBase(kRecordingColumns, parent) {}

void RecordingList::DeleteAllRows() {
    ClearRows();
}

void RecordingList::SetRowHighlighted(int row, bool highlighted) {
    HighlightRow(row, highlighted);
}

void RecordingList::EnsureRowVisible(int row) {
    ScrollToRow(row);
}

bool RecordingList::AddFileRow(const FileListRow& row) {
    AppendRow({RecordingIdText(row.groupNumber, row.indexInGroup), QString::fromStdString(row.name),
               LocalTimeText(row.startTime, "%H:%M:%S"),
               LocalTimeText(EndTime(row.startTime, row.lengthMs), "%H:%M:%S"),
               MebibytesText(row.size), QString::fromStdString(row.folder)},
              row.lockFlags);
    return true;
}

void RecordingList::Activate(int row) {
    emit recordingActivated(row);
}

}  // namespace tavrel
