#pragma once

#include <array>
#include <cstdint>
#include <span>

#include <QColor>
#include <QIcon>
#include <QStringList>
#include <QTreeWidget>

#include "stringids.h"

namespace tavrel {

// One column of a recording list: its title and its share of the list's width.
struct ListColumn {
    StringId title;
    int widthNumerator;
    int widthDenominator;
};

// What the run list and the recording list share: a report of text columns
// with a lock picture at the start of each row, grid lines, whole-row
// selection, the highlight of the current row and the double click that asks
// for a row to be played. The lists keep no recording data of their own.
class RecordingListBase : public QTreeWidget {
    Q_OBJECT

public:
    // The row colours on the viewer's dark window.
    static inline const QColor kBaseColor{36, 36, 38};
    static inline const QColor kTextColor{222, 222, 226};
    static inline const QColor kCurrentColor{196, 148, 44};
    static inline const QColor kCurrentTextColor{20, 20, 20};

    // The lock pictures of the rows, indexed by lock flags: none, event,
    // other, both. Null icons when the bitmap is missing.
    static std::array<QIcon, 4> LoadRowImages();

    // Report form, grid lines, whole-row selection, row pictures and the
    // columns, each as wide as its share of the list's outer width now. The
    // window calls it once, when the list has its size; the widths are never
    // recomputed afterwards.
    void SetUp();

    // Every column's title again, in the current interface language; widths,
    // order and rows stay.
    void ReloadColumnTitles();

protected:
    RecordingListBase(std::span<const ListColumn> columns, QWidget* parent);

    // A double click on a row, or -1 on no row.
    virtual void Activate(int row) = 0;

    // Appends a row with these texts, column by column, and the picture of
    // `lockFlags` (none for flags beyond the four pictures).
    QTreeWidgetItem& AppendRow(const QStringList& texts, std::uint32_t lockFlags);

    void ClearRows();
    void HighlightRow(int row, bool highlighted);
    void ScrollToRow(int row);

    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::span<const ListColumn> m_columns;
    std::array<QIcon, 4> m_rowImages;
};

}  // namespace tavrel
