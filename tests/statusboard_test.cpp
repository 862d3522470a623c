#include "statusboard.h"

#include <gtest/gtest.h>

#include "numberedresources.h"
#include "qtsupport/qtprinters.h"
#include "qtsupport/widgetinput.h"

namespace tavrel {
namespace {

const QColor kGrey(64, 64, 64);

class StatusBoardTest : public ::testing::Test {
protected:
    void SetUp() override {
        board.resize(401, 30);
        board.SetFillTile(tile);
    }
    // Row 4 is inside the frame and clear of the text.
    QColor At(const QImage& shown, int x) { return shown.pixelColor(x, 4); }

    const QImage tile = LoadBitmap(Bitmap::ProgressTile);
    StatusBoard board;
};

TEST_F(StatusBoardTest, TheBarFillsItsShareOfTheWidthWithTheTile) {
    ASSERT_FALSE(tile.isNull());
    EXPECT_FALSE(board.isVisible());
    const struct {
        int percent;
        int filled;
        const char* text;
    } cases[] = {{0, 0, "0 %"},       {50, 200, "50 %"},   {42, 168, "42 %"},
                 {100, 401, "100 %"}, {150, 401, "100 %"}, {-5, 0, "0 %"}};
    for (const auto& c : cases) {
        board.SetProgress(c.percent);
        EXPECT_TRUE(board.isVisible());
        EXPECT_EQ(board.Text(), QString::fromLatin1(c.text));
        const QImage shown = test::RenderWidget(board);
        for (const int x : {c.filled - 1, c.filled}) {
            if (x < 2 || x > 398) {
                continue;  // the frame
            }
            EXPECT_EQ(At(shown, x), x < c.filled ? tile.pixelColor(x % 30, 4) : kGrey)
                << c.percent << "% at x = " << x;
        }
    }
    board.HideBoard();
    EXPECT_FALSE(board.isVisible());
}

TEST_F(StatusBoardTest, WithoutItsTileTheBarIsNotPainted) {
    board.SetFillTile(QImage());
    board.SetProgress(50);
    const QImage shown = test::RenderWidget(board);
    EXPECT_EQ(At(shown, 100), QColor(Qt::black));
    EXPECT_EQ(At(shown, 300), kGrey);
}

}  // namespace
}  // namespace tavrel
