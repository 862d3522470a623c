#include "pictureindicator.h"

#include <gtest/gtest.h>

#include "numberedresources.h"
#include "qtsupport/widgetinput.h"

namespace tavrel {
namespace {

TEST(PictureIndicatorTest, ActiveDrawsInColourAndInactiveInGrey) {
    PictureIndicator indicator;
    indicator.resize(32, 32);
    const auto grey = [](QColor c) { return c.red() == c.green() && c.green() == c.blue(); };
    const auto coloured = [&](QColor c) { return c.alpha() > 0 && !grey(c); };
    EXPECT_EQ(test::CountPixels(test::RenderWidget(indicator), coloured), 0) << "no picture yet";

    indicator.SetImage(LoadPicture(Picture::GpsIndicator));
    indicator.SetActive(true);
    EXPECT_GT(test::CountPixels(test::RenderWidget(indicator), coloured), 10);
    indicator.SetActive(false);
    EXPECT_EQ(test::CountPixels(test::RenderWidget(indicator), coloured), 0);
}

}  // namespace
}  // namespace tavrel
