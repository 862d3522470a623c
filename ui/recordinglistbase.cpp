#include "recordinglistbase.h"

#include <algorithm>

#include <QBitmap>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "languagetable.h"
#include "numberedresources.h"

namespace tavrel {

namespace {

constexpr int kRowImageSize = 24;
constexpr QRgb kTransparentKey = qRgb(255, 0, 255);
// Kept on a row's first cell while it is the current one.
constexpr int kCurrentRole = Qt::UserRole + 100;

const QColor kGridColor(68, 68, 72);
const QColor kHeaderColor(54, 54, 58);
const QColor kSelectionColor(60, 82, 110);

// Draws each cell with its grid lines. The current row keeps its own colour
// when it is also selected: which recording plays matters more than which
// row was clicked last.
class GridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem cell = option;
        if (index.siblingAtColumn(0).data(kCurrentRole).toBool()) {
            cell.state &= ~QStyle::State_Selected;
        }
        QStyledItemDelegate::paint(painter, cell, index);
        painter->save();
        painter->setPen(kGridColor);
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
};

// The platform style draws tick boxes from the window's colours, which on
// the dark lists leaves them nearly invisible: these are drawn light on dark.
class TickBoxStyle : public QProxyStyle {
public:
    explicit TickBoxStyle(QObject* owner) { setParent(owner); }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_IndicatorItemViewItemCheck) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const int side = std::min({option->rect.width(), option->rect.height(), 14});
        QRectF box(0, 0, side - 1, side - 1);
        box.moveCenter(QRectF(option->rect).center());
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(kTickFrameColor, 1));
        painter->setBrush(kTickFillColor);
        painter->drawRoundedRect(box, 2, 2);
        if (option->state & State_On) {
            painter->setPen(QPen(kTickMarkColor, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            const QPointF mark[] = {
                {box.left() + box.width() * 0.22, box.top() + box.height() * 0.52},
                {box.left() + box.width() * 0.42, box.top() + box.height() * 0.74},
                {box.left() + box.width() * 0.78, box.top() + box.height() * 0.28},
            };
            painter->drawPolyline(mark, 3);
        }
        painter->restore();
    }

private:
    static inline const QColor kTickFrameColor{176, 176, 184};
    static inline const QColor kTickFillColor{24, 24, 26};
    static inline const QColor kTickMarkColor{236, 236, 240};
};

}  // namespace

std::array<QIcon, 4> RecordingListBase::LoadRowImages() {
    QPixmap cells =
        QPixmap::fromImage(LoadBitmap(Bitmap::LockCells).convertToFormat(QImage::Format_ARGB32));
    std::array<QIcon, 4> images;
    if (cells.isNull()) {
        return images;
    }
    cells.setMask(cells.createMaskFromColor(QColor(kTransparentKey), Qt::MaskInColor));
    for (int index = 0; index < static_cast<int>(images.size()); ++index) {
        images[index] = QIcon(cells.copy(index * kRowImageSize, 0, kRowImageSize, kRowImageSize));
    }
    return images;
}

RecordingListBase::RecordingListBase(std::span<const ListColumn> columns, QWidget* parent)
    : QTreeWidget(parent), m_columns(columns) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, kBaseColor);
    palette.setColor(QPalette::AlternateBase, kBaseColor);
    palette.setColor(QPalette::Text, kTextColor);
    palette.setColor(QPalette::Window, kHeaderColor);
    palette.setColor(QPalette::WindowText, kTextColor);
    palette.setColor(QPalette::Button, kHeaderColor);
    palette.setColor(QPalette::ButtonText, kTextColor);
    palette.setColor(QPalette::Highlight, kSelectionColor);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    setPalette(palette);
    setStyle(new TickBoxStyle(this));
}

void RecordingListBase::SetUp() {
    // A report: one level of rows under column titles, no sorting, no editing.
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAllColumnsShowFocus(true);
    setItemDelegate(new GridDelegate(this));

    m_rowImages = LoadRowImages();
    setIconSize(QSize(kRowImageSize, kRowImageSize));

    const int outerWidth = width();
    setColumnCount(static_cast<int>(m_columns.size()));
    ReloadColumnTitles();
    for (int column = 0; column < static_cast<int>(m_columns.size()); ++column) {
        const ListColumn& share = m_columns[column];
        setColumnWidth(column, outerWidth * share.widthNumerator / share.widthDenominator);
    }
}

void RecordingListBase::ReloadColumnTitles() {
    QTreeWidgetItem* titles = headerItem();
    for (int column = 0; column < static_cast<int>(m_columns.size()); ++column) {
        titles->setText(column, LoadUiString(m_columns[column].title));
    }
}

QTreeWidgetItem& RecordingListBase::AppendRow(const QStringList& texts, std::uint32_t lockFlags) {
    auto* item = new QTreeWidgetItem(texts);
    // Rows are only looked at and clicked: no ticks, drags or edits unless a list adds them.
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (lockFlags < m_rowImages.size()) {
        item->setIcon(0, m_rowImages[lockFlags]);
    }
    addTopLevelItem(item);
    return *item;
}

void RecordingListBase::ClearRows() {
    clear();
}

void RecordingListBase::HighlightRow(int row, bool highlighted) {
    QTreeWidgetItem* item = topLevelItem(row);
    if (item == nullptr) {
        return;
    }
    item->setData(0, kCurrentRole, highlighted);
    for (int column = 0; column < columnCount(); ++column) {
        if (highlighted) {
            item->setBackground(column, kCurrentColor);
            item->setForeground(column, kCurrentTextColor);
        } else {
            item->setData(column, Qt::BackgroundRole, QVariant());
            item->setData(column, Qt::ForegroundRole, QVariant());
        }
    }
}

void RecordingListBase::ScrollToRow(int row) {
    QTreeWidgetItem* item = topLevelItem(row);
    if (item == nullptr) {
        return;
    }
    // Only up or down: the columns stay where the user scrolled them.
    const int sideways = horizontalScrollBar()->value();
    scrollToItem(item, QAbstractItemView::EnsureVisible);
    horizontalScrollBar()->setValue(sideways);
}

void RecordingListBase::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidget::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    Activate(index.isValid() ? index.row() : -1);
}

}  // namespace tavrel
