// The run list and the recording list: their cells, pictures, columns and
// clicks, and both filled by the real catalog from generated recordings.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <vector>

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QTest>

#include "languagetable.h"
#include "qtsupport/qtprinters.h"
#include "recordingcatalog.h"
#include "recordinglist.h"
#include "runlist.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using samplegen::WallClock;

constexpr std::uint64_t kMebibyte = 1 << 20;
constexpr std::int64_t kFarFuture = std::numeric_limits<std::int64_t>::max();

QStringList RowTexts(const QTreeWidget& list, int row) {
    QStringList texts;
    for (int column = 0; column < list.columnCount(); ++column) {
        texts << list.topLevelItem(row)->text(column);
    }
    return texts;
}

QStringList ColumnTitles(const QTreeWidget& list) {
    QStringList titles;
    for (int column = 0; column < list.columnCount(); ++column) {
        titles << list.headerItem()->text(column);
    }
    return titles;
}

std::vector<int> ColumnWidths(const QTreeWidget& list) {
    std::vector<int> widths;
    for (int column = 0; column < list.columnCount(); ++column) {
        widths.push_back(list.columnWidth(column));
    }
    return widths;
}

QImage PictureOf(const QIcon& icon) {
    return icon.pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Where the tick box of a row is, as the list's style places it.
QPoint CheckBoxCentre(const QTreeWidget& list, int row) {
    QStyleOptionViewItem option;
    option.initFrom(list.viewport());
    option.rect = list.visualRect(list.model()->index(row, 0));
    option.features = QStyleOptionViewItem::HasCheckIndicator |
                      QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasDisplay;
    option.decorationSize = list.iconSize();
    option.text = list.topLevelItem(row)->text(0);
    return list.style()
        ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &list)
        .center();
}

template <class List>
void ShowSetUp(List& list, QSize size) {
    list.resize(size);
    list.SetUp();
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
}

TEST(RecordingListsTest, RunRowsShowTheirCellTexts) {
    struct Case {
        GroupListRow row;
        QStringList texts;
    };
    const std::int64_t morning = test::UtcSeconds(2012, 5, 1, 10, 0, 0);
    const Case cases[] = {
        {{0, "VGA", 59'999, kMebibyte - 1, 0, morning},
         {u"G0"_s, u"VGA"_s, u"2012-05-01 10:00:00"_s, u" 59 s "_s, u" 0 MB"_s}},
        {{1, "", 0, 5 * 1024 * kMebibyte, 0, 0},
         {u"G1"_s, QString(), u"1970-01-01 00:00:00"_s, u" 0 s "_s, u" 5120 MB"_s}},
        // A start no calendar reaches leaves its cell empty.
        {{12, "1080p HD", 3'600'000, kMebibyte, 0, kFarFuture},
         {u"G12"_s, u"1080p HD"_s, QString(), u" 3600 s "_s, u" 1 MB"_s}},
    };
    RunList list;
    list.SetUp();
    for (const Case& c : cases) {
        EXPECT_TRUE(list.AddGroupRow(c.row));
        EXPECT_EQ(RowTexts(list, list.topLevelItemCount() - 1), c.texts);
    }
}

TEST(RecordingListsTest, RecordingRowsShowTheirCellTexts) {
    struct Case {
        FileListRow row;
        QStringList texts;
    };
    const std::int64_t lateEvening = test::UtcSeconds(2012, 5, 1, 23, 59, 30);
    const Case cases[] = {
        {{0, 0, "/card/", "FILE0001.AVI", 60'000, kMebibyte - 1, 0, lateEvening},
         {u"G0-0"_s, u"FILE0001.AVI"_s, u"23:59:30"_s, u"00:00:30"_s, u" 0 MB"_s, u"/card/"_s}},
        // The end is cut to whole seconds, like the length.
        {{3, 7, "/card/MOVIE/", "EVGS0042.AVI", 59'999, 5 * 1024 * kMebibyte, 1, lateEvening},
         {u"G3-7"_s, u"EVGS0042.AVI"_s, u"23:59:30"_s, u"00:00:29"_s, u" 5120 MB"_s,
          u"/card/MOVIE/"_s}},
        {{4, 0, "/card/運転/", "FILE0002.AVI", 60'000, 0, 0, kFarFuture - 10},
         {u"G4-0"_s, u"FILE0002.AVI"_s, QString(), QString(), u" 0 MB"_s, u"/card/運転/"_s}},
    };
    RecordingList list;
    list.SetUp();
    for (const Case& c : cases) {
        EXPECT_TRUE(list.AddFileRow(c.row));
        EXPECT_EQ(RowTexts(list, list.topLevelItemCount() - 1), c.texts);
    }
}

TEST(RecordingListsTest, RowPicturesAreTheLockCellsOnATransparentGround) {
    const std::array<QIcon, 4> images = RecordingListBase::LoadRowImages();
    std::array<QImage, 4> pictures;
    for (int i = 0; i < 4; ++i) {
        pictures[i] = PictureOf(images[i]);
        ASSERT_EQ(pictures[i].size(), QSize(24, 24)) << i;
        // The magenta ground is gone, in the empty cell and around the locks.
        EXPECT_EQ(qAlpha(pictures[i].pixel(0, 0)), 0) << i;
        for (int j = 0; j < i; ++j) {
            EXPECT_NE(pictures[i], pictures[j]) << i << " " << j;
        }
    }
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            ASSERT_EQ(qAlpha(pictures[0].pixel(x, y)), 0) << x << "," << y;
        }
    }
}

TEST(RecordingListsTest, ColumnsTakeTheirShareOfTheWidthOnce) {
    RunList runs;
    runs.resize(1004, 200);
    runs.SetUp();
    RecordingList recordings;
    recordings.resize(1001, 200);
    recordings.SetUp();

    EXPECT_EQ(ColumnWidths(runs), std::vector<int>(5, 200));
    EXPECT_EQ(ColumnWidths(recordings), std::vector<int>(6, 300));
    EXPECT_EQ(
        ColumnTitles(runs),
        (QStringList{LoadUiString(StringId::GroupColumn), LoadUiString(StringId::ResolutionColumn),
                     LoadUiString(StringId::StartTimeColumn), LoadUiString(StringId::LengthColumn),
                     LoadUiString(StringId::FileSizeColumn)}));
    EXPECT_EQ(ColumnTitles(recordings),
              (QStringList{
                  LoadUiString(StringId::IdColumn), LoadUiString(StringId::FileNameColumn),
                  LoadUiString(StringId::StartTimeColumn), LoadUiString(StringId::EndTimeColumn),
                  LoadUiString(StringId::FileSizeColumn), LoadUiString(StringId::FolderColumn)}));
    for (const QString& title : ColumnTitles(runs) + ColumnTitles(recordings)) {
        EXPECT_FALSE(title.isEmpty());
    }

    runs.resize(500, 200);
    recordings.resize(2000, 200);
    EXPECT_EQ(ColumnWidths(runs), std::vector<int>(5, 200));
    EXPECT_EQ(ColumnWidths(recordings), std::vector<int>(6, 300));
}

TEST(RecordingListsTest, DoubleClickAsksForTheRowOrMinusOneBelowTheRows) {
    RunList runs;
    ShowSetUp(runs, {600, 300});
    RecordingList recordings;
    ShowSetUp(recordings, {600, 300});
    for (int i = 0; i < 3; ++i) {
        runs.AddGroupRow({i, "VGA", 60'000, kMebibyte, 0, 0});
        recordings.AddFileRow({i, 0, "/card/", "FILE0001.AVI", 60'000, kMebibyte, 0, 0});
    }
    QSignalSpy runSpy(&runs, &RunList::runActivated);
    QSignalSpy recordingSpy(&recordings, &RecordingList::recordingActivated);

    struct Target {
        QTreeWidget* list;
        QSignalSpy* spy;
    };
    for (const Target& target : {Target{&runs, &runSpy}, Target{&recordings, &recordingSpy}}) {
        QWidget* viewport = target.list->viewport();
        const QRect second = target.list->visualItemRect(target.list->topLevelItem(1));
        const QRect last = target.list->visualItemRect(target.list->topLevelItem(2));
        const QPoint belowRows(second.center().x(), last.bottom() + second.height());
        ASSERT_LT(belowRows.y(), viewport->height());

        // A single click selects and asks for nothing.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, second.center());
        EXPECT_EQ(target.spy->count(), 0);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, second.center());
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, belowRows);
        QTest::mouseDClick(viewport, Qt::RightButton, {}, second.center());
        ASSERT_EQ(target.spy->count(), 2);
        EXPECT_EQ(target.spy->at(0).at(0).toInt(), 1);
        EXPECT_EQ(target.spy->at(1).at(0).toInt(), -1);
    }
}

TEST(RecordingListsTest, OnlyTheRunListHasTickBoxesAndAClickTogglesThem) {
    RunList runs;
    ShowSetUp(runs, {600, 300});
    RecordingList recordings;
    recordings.SetUp();
    runs.AddGroupRow({0, "VGA", 60'000, kMebibyte, 0, 0});
    recordings.AddFileRow({0, 0, "/card/", "FILE0001.AVI", 60'000, kMebibyte, 0, 0});
    EXPECT_FALSE(recordings.topLevelItem(0)->flags().testFlag(Qt::ItemIsUserCheckable));
    EXPECT_FALSE(recordings.topLevelItem(0)->data(0, Qt::CheckStateRole).isValid());

    EXPECT_FALSE(runs.IsGroupChecked(0));
    QTest::mouseClick(runs.viewport(), Qt::LeftButton, {}, CheckBoxCentre(runs, 0));
    EXPECT_TRUE(runs.IsGroupChecked(0));
    QTest::mouseClick(runs.viewport(), Qt::LeftButton, {}, CheckBoxCentre(runs, 0));
    EXPECT_FALSE(runs.IsGroupChecked(0));
}

TEST(RecordingListsTest, TheCurrentRowIsMarkedUntilItIsCleared) {
    RecordingList list;
    ShowSetUp(list, {400, 120});
    for (int i = 0; i < 40; ++i) {
        list.AddFileRow({0, i, "/card/", "FILE0001.AVI", 60'000, kMebibyte, 0, 0});
    }
    auto marked = [&list](int row) {
        const QTreeWidgetItem* item = list.topLevelItem(row);
        for (int column = 0; column < list.columnCount(); ++column) {
            if (item->background(column).color() != RecordingListBase::kCurrentColor ||
                item->foreground(column).color() != RecordingListBase::kCurrentTextColor) {
                return false;
            }
        }
        return true;
    };
    list.SetRowHighlighted(3, true);
    list.SetRowHighlighted(39, true);
    list.SetRowHighlighted(3, false);
    list.SetRowHighlighted(40, true);  // no such row
    list.SetRowHighlighted(-1, true);
    EXPECT_FALSE(marked(3));
    EXPECT_EQ(list.topLevelItem(3)->data(0, Qt::BackgroundRole), QVariant());
    EXPECT_TRUE(marked(39));
    EXPECT_FALSE(list.topLevelItem(39)->isSelected());

    // The last row comes into view; the columns stay scrolled sideways.
    list.horizontalScrollBar()->setValue(list.horizontalScrollBar()->maximum());
    const int sideways = list.horizontalScrollBar()->value();
    ASSERT_GT(sideways, 0);
    EXPECT_FALSE(list.viewport()->rect().contains(list.visualItemRect(list.topLevelItem(39))));
    list.EnsureRowVisible(39);
    list.EnsureRowVisible(40);
    EXPECT_TRUE(list.viewport()->rect().intersects(list.visualItemRect(list.topLevelItem(39))));
    EXPECT_GE(list.visualItemRect(list.topLevelItem(39)).top(), 0);
    EXPECT_LE(list.visualItemRect(list.topLevelItem(39)).bottom(), list.viewport()->height());
    EXPECT_EQ(list.horizontalScrollBar()->value(), sideways);

    const std::vector<int> widths = ColumnWidths(list);
    list.DeleteAllRows();
    EXPECT_EQ(list.topLevelItemCount(), 0);
    EXPECT_EQ(ColumnWidths(list), widths);
    list.SetRowHighlighted(0, true);
    list.EnsureRowVisible(0);
}

TEST(RecordingListsTest, ReloadedTitlesComeFromTheLanguageAndRowsStay) {
    RunList list;
    list.resize(500, 200);
    list.SetUp();
    list.AddGroupRow({2, "VGA", 60'000, kMebibyte, 3, 0});
    const QStringList titles = ColumnTitles(list);
    const QStringList texts = RowTexts(list, 0);
    const std::vector<int> widths = ColumnWidths(list);
    // Titles of another language, as they stand until the list reloads them.
    for (int column = 0; column < list.columnCount(); ++column) {
        list.headerItem()->setText(column, u"old %1"_s.arg(column));
    }

    list.ReloadColumnTitles();
    EXPECT_EQ(ColumnTitles(list), titles);
    EXPECT_EQ(RowTexts(list, 0), texts);
    EXPECT_EQ(ColumnWidths(list), widths);
    EXPECT_EQ(list.header()->visualIndex(4), 4);
}

// Refuses the row of one group, as a list that could not insert it would.
class RunListRefusing : public RunList {
public:
    explicit RunListRefusing(int refusedGroup) : m_refusedGroup(refusedGroup) {}
    bool AddGroupRow(const GroupListRow& row) override {
        return row.groupNumber != m_refusedGroup && RunList::AddGroupRow(row);
    }

private:
    int m_refusedGroup;
};

class CatalogListsTest : public ::testing::Test {
protected:
    // Three runs on a card: an event recording and a locked one, then one
    // recording an hour later, then one more an hour after that.
    static fs::path MakeCard() {
        const fs::path root = test::FreshFolder("lists");
        const WallClock start{2012, 5, 1, 10, 0, 0};
        Record(root / "EVGS0001.AVI", start);
        Record(root / "FILE0002.AVI", start.Plus(60));
        Record(root / "MOVIE" / "FILE0003.AVI", start.Plus(3600));
        Record(root / "FILE0004.AVI", start.Plus(7200));
        test::MakeReadOnly(root / "EVGS0001.AVI");
        test::MakeReadOnly(root / "FILE0002.AVI");
        return root;
    }

    static void Record(const fs::path& path, const WallClock& start) {
        test::WriteRecording(path, samplegen::BuildRecording(test::ShortRecording(60, start)));
    }

    RecordingCatalog m_catalog;
    RecordingList m_recordings;
};

TEST_F(CatalogListsTest, TicksNameTheirOwnGroupWhenARowIsMissing) {
    RunListRefusing runs(1);
    ShowSetUp(runs, {600, 300});
    m_catalog.InitCatalog(&runs, &m_recordings, nullptr);
    ASSERT_EQ(m_catalog.FillFromFolder(MakeCard().string()), 1);
    ASSERT_EQ(m_catalog.Groups().size(), 3u);
    ASSERT_EQ(runs.topLevelItemCount(), 2);
    EXPECT_EQ(runs.topLevelItem(1)->text(0), u"G2"_s);

    // The user ticks the row that shows G2, the second row.
    QTest::mouseClick(runs.viewport(), Qt::LeftButton, {}, CheckBoxCentre(runs, 1));
    EXPECT_TRUE(m_catalog.ReadGroupChecks());
    EXPECT_EQ(m_catalog.Groups()[0].checked, 0);
    EXPECT_EQ(m_catalog.Groups()[1].checked, 0);
    EXPECT_EQ(m_catalog.Groups()[2].checked, 1);
    EXPECT_FALSE(runs.IsGroupChecked(1));

    runs.topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    runs.topLevelItem(0)->setCheckState(0, Qt::Checked);
    EXPECT_TRUE(m_catalog.ReadGroupChecks());
    EXPECT_EQ(m_catalog.Groups()[0].checked, 1);
    EXPECT_EQ(m_catalog.Groups()[2].checked, 0);
}

TEST_F(CatalogListsTest, TheCatalogFillsBothListsWithTheLockPictures) {
    RunList runs;
    runs.SetUp();
    m_recordings.SetUp();
    m_catalog.InitCatalog(&runs, &m_recordings, nullptr);
    const fs::path root = MakeCard();
    ASSERT_EQ(m_catalog.FillFromFolder(root.string()), 1);

    ASSERT_EQ(runs.topLevelItemCount(), 3);
    ASSERT_EQ(m_recordings.topLevelItemCount(), 4);
    EXPECT_EQ(RowTexts(runs, 0),
              (QStringList{u"G0"_s, u"160x120"_s, u"2012-05-01 10:00:00"_s, u" 120 s "_s,
                           u" %1 MB"_s.arg(m_catalog.Groups()[0].totalSize >> 20)}));
    EXPECT_EQ(RowTexts(m_recordings, 2).mid(0, 4),
              (QStringList{u"G1-0"_s, u"FILE0003.AVI"_s, u"11:00:00"_s, u"11:01:00"_s}));
    EXPECT_EQ(m_recordings.topLevelItem(2)->text(5),
              QString::fromStdString((root / "MOVIE").string() + "/"));

    // An event recording and another locked one make a run of both locks.
    const std::array<QIcon, 4> images = RecordingListBase::LoadRowImages();
    struct Expected {
        const QTreeWidget* list;
        int row;
        int image;
    };
    for (const Expected& e :
         {Expected{&runs, 0, 3}, Expected{&runs, 1, 0}, Expected{&m_recordings, 0, 1},
          Expected{&m_recordings, 1, 2}, Expected{&m_recordings, 2, 0}}) {
        EXPECT_EQ(PictureOf(e.list->topLevelItem(e.row)->icon(0)), PictureOf(images[e.image]))
            << e.row << " " << e.image;
    }

    m_catalog.ClearCatalog();
    EXPECT_EQ(runs.topLevelItemCount(), 0);
    EXPECT_EQ(m_recordings.topLevelItemCount(), 0);
}

}  // namespace
}  // namespace tavrel
