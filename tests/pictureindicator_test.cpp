#include "pictureindicator.h"

#include <gtest/gtest.h>

#include <functional>

#include "numberedresources.h"
#include "qtsupport/widgetinput.h"

namespace tavrel {
namespace {

int CountPixels(const QImage& image, const std::function<bool(QColor)>& which) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += which(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return count;
}

TEST(PictureIndicatorTest, ActiveDrawsInColourAndInactiveInGrey) {
    PictureIndicator indicator;
    indicator.resize(32, 32);
    const auto grey = [](QColor c) { return c.red() == c.green() && c.green() == c.blue(); };
    const auto coloured = [&](QColor c) { return c.alpha() > 0 && !grey(c); };
    EXPECT_EQ(CountPixels(test::RenderWidget(indicator), coloured), 0) << "no picture yet";

    indicator.SetImage(LoadPicture(Picture::GpsIndicator));
    indicator.SetActive(true);
    EXPECT_GT(CountPixels(test::RenderWidget(indicator), coloured), 10);
    indicator.SetActive(false);
    EXPECT_EQ(CountPixels(test::RenderWidget(indicator), coloured), 0);
}

}  // namespace
}  // namespace tavrel
