#include "compass.h"

#include <gtest/gtest.h>

#include <climits>

#include "qtsupport/widgetinput.h"

namespace tavrel {
namespace {

class CompassTest : public ::testing::Test {
protected:
    void SetUp() override {
        compass.resize(32, 32);
        ASSERT_TRUE(compass.LoadHeadingImages());
    }
    Compass compass;
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
    EXPECT_GT(test::CountPixels(test::RenderWidget(compass), coloured), 10);
    compass.ShowNoHeading();
    EXPECT_EQ(compass.ImageIndex(), 0u);
    EXPECT_EQ(test::CountPixels(test::RenderWidget(compass), coloured), 0);
    EXPECT_FALSE(compass.SetImageIndex(9));
    EXPECT_TRUE(compass.SetImageIndex(8));
}

TEST(CompassWithoutPicturesTest, AHeadingChangesNothing) {
    Compass compass;
    compass.SetHeading(90);
    EXPECT_EQ(compass.ImageIndex(), 0u);
    EXPECT_FALSE(compass.SetImageIndex(1));
}

}  // namespace
}  // namespace tavrel
