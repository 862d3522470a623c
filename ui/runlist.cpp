#include "runlist.h"

#include <array>

#include "listcelltext.h"

namespace tavrel {

namespace {

constexpr std::array<ListColumn, 5> kRunColumns = {{
    {StringId::GroupColumn, 1, 5},
    {StringId::ResolutionColumn, 1, 5},
    {StringId::StartTimeColumn, 1, 5},
    {StringId::LengthColumn, 1, 5},
    {StringId::FileSizeColumn, 1, 5},
}};

constexpr int kGroupNumberRole = Qt::UserRole;

}  // namespace

RunList::RunList(QWidget* parent) : RecordingListBase(kRunColumns, parent) {}

void RunList::DeleteAllRows() {
    ClearRows();
}

void RunList::SetRowHighlighted(int row, bool highlighted) {
    HighlightRow(row, highlighted);
}

void RunList::EnsureRowVisible(int row) {
    ScrollToRow(row);
}

bool RunList::AddGroupRow(const GroupListRow& row) {
    QTreeWidgetItem& item =
        AppendRow({RunIdText(row.groupNumber), QString::fromStdString(row.resolution),
                   LocalTimeText(row.startTime, "%Y-%m-%d %H:%M:%S"),
                   SecondsText(row.totalLengthMs), MebibytesText(row.totalSize)},
                  row.lockFlags);
    item.setData(0, kGroupNumberRole, row.groupNumber);
    item.setFlags(item.flags() | Qt::ItemIsUserCheckable);
    item.setCheckState(0, Qt::Unchecked);
    return true;
}

bool RunList::IsGroupChecked(int groupNumber) const {
    for (int row = 0; row < topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = topLevelItem(row);
        if (item->data(0, kGroupNumberRole).toInt() == groupNumber) {
            return item->checkState(0) == Qt::Checked;
        }
    }
    return false;
}

void RunList::Activate(int row) {
    emit runActivated(row);
}

}  // namespace tavrel
