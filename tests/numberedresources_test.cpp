#include "numberedresources.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>

#include "qtsupport/qtprinters.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {
namespace {

// The test carries resources of its own (qtsupport/resources): PNG picture 1,
// bitmap 2, and HTML page 3 that shows its picture "4".

TEST(NumberedResourcesTest, PicturesAreFoundByNumberInTheirOwnKind) {
    EXPECT_EQ(PngResourcePath(129), u":/png/129.png"_s);
    EXPECT_EQ(BitmapResourcePath(158), u":/bitmap/158.png"_s);

    const QImage png = LoadPngResource(1);
    EXPECT_EQ(png.size(), QSize(3, 2));
    EXPECT_EQ(png.pixelColor(2, 1), QColor(255, 0, 0));
    const QImage bitmap = LoadBitmapResource(2);
    EXPECT_EQ(bitmap.size(), QSize(4, 1));
    EXPECT_EQ(bitmap.pixelColor(0, 0), QColor(255, 0, 255));

    EXPECT_TRUE(LoadPngResource(2).isNull());
    EXPECT_TRUE(LoadBitmapResource(1).isNull());
}

TEST(NumberedResourcesTest, APagesRelativeReferenceReachesItsPicture) {
    const QUrl page = HtmlPageUrl(3);
    EXPECT_EQ(page, QUrl(u"qrc:/html/3.html"_s));
    QFile html(u":"_s + page.path());
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    ASSERT_TRUE(html.readAll().contains(R"(src="4")"));
    EXPECT_FALSE(QImage(u":"_s + page.resolved(QUrl(u"4"_s)).path()).isNull());
}

}  // namespace
}  // namespace tavrel
