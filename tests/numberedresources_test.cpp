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
constexpr auto kTestPicture = static_cast<Picture>(1);
constexpr auto kTestBitmap = static_cast<Bitmap>(2);
constexpr auto kTestPage = static_cast<Page>(3);

TEST(NumberedResourcesTest, PicturesAreFoundByNumberInTheirOwnKind) {
    EXPECT_EQ(PicturePath(Picture::Play), u":/png/129.png"_s);
    EXPECT_EQ(BitmapPath(Bitmap::LockCells), u":/bitmap/158.png"_s);

    const QImage png = LoadPicture(kTestPicture);
    EXPECT_EQ(png.size(), QSize(3, 2));
    EXPECT_EQ(png.pixelColor(2, 1), QColor(255, 0, 0));
    const QImage bitmap = LoadBitmap(kTestBitmap);
    EXPECT_EQ(bitmap.size(), QSize(4, 1));
    EXPECT_EQ(bitmap.pixelColor(0, 0), QColor(255, 0, 255));

    // The same number in the other kind is another resource.
    EXPECT_TRUE(LoadPicture(static_cast<Picture>(Number(kTestBitmap))).isNull());
    EXPECT_TRUE(LoadBitmap(static_cast<Bitmap>(Number(kTestPicture))).isNull());
}

TEST(NumberedResourcesTest, APagesRelativeReferenceReachesItsPicture) {
    const QUrl page = PageUrl(kTestPage);
    EXPECT_EQ(page, QUrl(u"qrc:/html/3.html"_s));
    QFile html(u":"_s + page.path());
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    ASSERT_TRUE(html.readAll().contains(R"(src="4")"));
    EXPECT_FALSE(QImage(u":"_s + page.resolved(QUrl(u"4"_s)).path()).isNull());
}

}  // namespace
}  // namespace tavrel
