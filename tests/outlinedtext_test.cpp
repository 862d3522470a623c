#include "outlinedtext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::Literals::StringLiterals;

namespace tavrel {
namespace {

QImage Surface() {
    QImage image(200, 200, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QImage SpeedTextAt(int y) {
    QImage image = Surface();
    QPainter painter(&image);
    DrawSpeedText(u"88"_s, painter, 10, y, 20);
    return image;
}

// The largest difference of any channel of any pixel.
int Difference(const QImage& a, const QImage& b) {
    int most = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return most;
}

// Where anything was drawn.
QRect Inked(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

TEST(OutlinedTextTest, AnEmptyTextDrawsNothing) {
    QImage image = Surface();
    QPainter painter(&image);
    DrawTitleText(QString(), painter, 18);
    DrawSpeedText(QString(), painter, 0, 10, 20);
    DrawOverlayText(QString(), painter, 10, 72);
    painter.end();
    EXPECT_TRUE(Inked(image).isEmpty());
}

TEST(OutlinedTextTest, TheGradientsBelongToTheSurfaceAndRepeatDownIt) {
    const QImage at10 = SpeedTextAt(10);
    const QRect box = Inked(at10);
    ASSERT_FALSE(box.isEmpty());
    // 90 rows is one period of the base ramp and three of the 30-row
    // highlight ramp: the text looks the same there...
    EXPECT_LE(Difference(SpeedTextAt(100).copy(box.translated(0, 90)), at10.copy(box)), 2);
    // ...and clearly different half-way.
    EXPECT_GT(Difference(SpeedTextAt(55).copy(box.translated(0, 45)), at10.copy(box)), 40);
}

TEST(OutlinedTextTest, TheHaloReachesFourPixelsBeyondTheGlyphs) {
    QImage plain = Surface();
    {
        QPainter painter(&plain);
        painter.setRenderHint(QPainter::Antialiasing);
        QFont font(u"Arial"_s);
        font.setPixelSize(20);
        QPainterPath path;
        path.addText(QPointF(50, 50 + QFontMetricsF(font).ascent()), font, u"8"_s);
        painter.fillPath(path, Qt::black);
    }
    QImage outlined = Surface();
    {
        QPainter painter(&outlined);
        DrawSpeedText(u"8"_s, painter, 50, 50, 20);
    }
    const QRect glyph = Inked(plain);
    const QRect drawn = Inked(outlined);
    for (const int grown : {glyph.left() - drawn.left(), drawn.right() - glyph.right(),
                            glyph.top() - drawn.top(), drawn.bottom() - glyph.bottom()}) {
        EXPECT_GE(grown, 3);
        EXPECT_LE(grown, 5);
    }
}

}  // namespace
}  // namespace tavrel
