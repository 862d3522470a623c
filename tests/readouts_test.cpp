#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "cpngcompassstatic.h"
#include "cpngstatic.h"
#include "cspeedlabelstatic.h"
#include "cstatusboardstatic.h"
#include "numberedresources.h"
#include "qtsupport/qtprinters.h"
#include "qtsupport/widgetinput.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {
namespace {

const QColor kGrey(64, 64, 64);

int CountPixels(const QImage& image, const std::function<bool(QColor)>& which) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += which(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return count;
}

TEST(SpeedLabelTest, ShowsTheSpeedInThreePlacesAndBlanksWithoutAFix) {
    CSpeedLabelStatic label;
    label.resize(80, 40);
    EXPECT_EQ(label.SpeedText(), u"  0"_s);
    EXPECT_EQ(label.UnitText(), u"Km/h"_s);

    label.SetSpeed(true, 5);
    EXPECT_EQ(label.SpeedText(), u"  5"_s);
    const auto notGrey = [](QColor c) { return c != kGrey; };
    EXPECT_GT(CountPixels(test::RenderWidget(label), notGrey), 100);

    label.SetSpeed(false, 0);
    EXPECT_EQ(CountPixels(test::RenderWidget(label), notGrey), 0);

    label.SetSpeed(true, 65535);
    EXPECT_EQ(label.SpeedText(), u"65535"_s);
}

class CompassTest : public ::testing::Test {
protected:
    void SetUp() override {
        compass.resize(32, 32);
        for (int id = 167; id <= 174; ++id) {
            ASSERT_TRUE(compass.AddHeadingImage(id));
        }
    }
    CPngCompassStatic compass;
};

TEST_F(CompassTest, EachPictureCoversTwentyTwoDegreesOnEitherSideOfItsSector) {
    // Image index 1 is picture 0 (north up); heading east turns north to the left.
    const struct {
        int degrees;
        unsigned index;
    } cases[] = {{0, 1},   {22, 1},  {23, 8},   {45, 8},  {90, 7},  {270, 3}, {338, 1},
                 {337, 2}, {360, 1}, {-360, 1}, {-90, 3}, {720, 1}, {510, 6}, {INT32_MIN, 4}};
    for (const auto& c : cases) {
        compass.SetHeading(c.degrees);
        EXPECT_EQ(compass.ImageIndex(), c.index) << c.degrees << " degrees";
    }
}

TEST_F(CompassTest, NoHeadingShowsTheFirstPictureInGrey) {
    const auto coloured = [](QColor c) {
        return c.alpha() > 0 && (c.red() != c.green() || c.green() != c.blue());
    };
    compass.SetHeading(0);
    EXPECT_GT(CountPixels(test::RenderWidget(compass), coloured), 10);
    compass.ShowNoHeading();
    EXPECT_EQ(compass.ImageIndex(), 0u);
    EXPECT_EQ(CountPixels(test::RenderWidget(compass), coloured), 0);
    EXPECT_FALSE(compass.SetImageIndex(9));
    EXPECT_TRUE(compass.SetImageIndex(8));
}

TEST(CompassWithoutPicturesTest, AHeadingChangesNothing) {
    CPngCompassStatic compass;
    EXPECT_FALSE(compass.AddHeadingImage(424242));
    compass.SetHeading(90);
    EXPECT_EQ(compass.ImageIndex(), 0u);
}

TEST(PngStaticTest, ActiveDrawsInColourAndInactiveInGrey) {
    CPngStatic indicator;
    indicator.resize(32, 32);
    const auto grey = [](QColor c) { return c.red() == c.green() && c.green() == c.blue(); };
    const auto coloured = [&](QColor c) { return c.alpha() > 0 && !grey(c); };
    EXPECT_EQ(CountPixels(test::RenderWidget(indicator), coloured), 0) << "no picture yet";

    indicator.SetImage(CGdiPlusBitmapResource(150));
    indicator.SetActive(true);
    EXPECT_GT(CountPixels(test::RenderWidget(indicator), coloured), 10);
    indicator.SetActive(false);
    EXPECT_EQ(CountPixels(test::RenderWidget(indicator), coloured), 0);
}

class StatusBoardTest : public ::testing::Test {
protected:
    void SetUp() override {
        board.resize(401, 30);
        board.SetFillBitmap(189);
    }
    // Row 4 is inside the frame and clear of the text.
    QColor At(const QImage& shown, int x) { return shown.pixelColor(x, 4); }

    CStatusBoardStatic board;
    const QImage tile = LoadBitmapResource(189);
};

TEST_F(StatusBoardTest, TheBarFillsItsShareOfTheWidthWithTheTile) {
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
    board.SetFillBitmap(424242);
    board.SetProgress(50);
    const QImage shown = test::RenderWidget(board);
    EXPECT_EQ(At(shown, 100), QColor(Qt::black));
    EXPECT_EQ(At(shown, 300), kGrey);
}

}  // namespace
}  // namespace tavrel
