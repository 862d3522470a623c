#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include "artwork.h"
#include "painting.h"

using namespace Qt::Literals::StringLiterals;

namespace artwork {

namespace {

QPainterPath RoundRect(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath Ellipse(const QPointF& centre, qreal rx, qreal ry) {
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

// A car seen from the front, drawn into a 32 x 24 box; the painter's
// transform places and scales it.
void DrawCarFront(QPainter& p, const QColor& body, const QColor& outline, qreal outlineWidth) {
    QPainterPath cabin;
    cabin.moveTo(9.5, 2.5);
    cabin.lineTo(22.5, 2.5);
    cabin.lineTo(26.5, 11);
    cabin.lineTo(5.5, 11);
    cabin.closeSubpath();
    QPainterPath shell = RoundRect(QRectF(2, 10, 28, 9.5), 3);
    shell.addPath(cabin);
    QPainterPath wheels = RoundRect(QRectF(4, 17, 5.5, 6), 1.5);
    wheels.addPath(RoundRect(QRectF(22.5, 17, 5.5, 6), 1.5));
    QPainterPath mirrors = RoundRect(QRectF(1, 8, 4, 2.6), 1);
    mirrors.addPath(RoundRect(QRectF(27, 8, 4, 2.6), 1));

    QPainterPath silhouette = shell.united(wheels).united(mirrors);
    if (outlineWidth > 0) {
        p.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(silhouette);
    }
    p.fillPath(wheels, QColor(24, 24, 28));
    p.fillPath(mirrors.united(shell),
               VerticalGradient(QRectF(0, 2, 32, 18), body.lighter(130), body.darker(125)));
    QPainterPath windshield;
    windshield.moveTo(10.6, 4.2);
    windshield.lineTo(21.4, 4.2);
    windshield.lineTo(24.2, 10);
    windshield.lineTo(7.8, 10);
    windshield.closeSubpath();
    p.fillPath(windshield, VerticalGradient(windshield.boundingRect(), QColor(196, 228, 255),
                                            QColor(96, 150, 210)));
    for (const qreal x : {7.0, 25.0}) {
        p.fillPath(Ellipse(QPointF(x, 14.2), 2.6, 2.0), QColor(255, 246, 200));
    }
    p.fillPath(RoundRect(QRectF(11.5, 13, 9, 3.6), 1.2), QColor(30, 32, 38));
    p.fillRect(QRectF(12.5, 14.6, 7, 0.6), QColor(120, 124, 134));
}

}  // namespace

QImage GpsIndicator() {
    QImage image = Canvas(32, 32);
    QPainter p(&image);
    Prepare(p);
    // Dish on a stand, its feed pointing up and right at the signal.
    const QPainterPath stand = [] {
        QPainterPath path;
        path.moveTo(11, 21);
        path.lineTo(7, 29);
        path.lineTo(17, 29);
        path.lineTo(13.5, 21);
        path.closeSubpath();
        return path;
    }();
    FillGlyph(p, stand, QColor(150, 154, 162));
    p.save();
    p.translate(12.5, 17.5);
    p.rotate(-40);
    QPainterPath bowl;
    bowl.moveTo(-10, 0);
    bowl.cubicTo(-10, 9, 10, 9, 10, 0);
    bowl.closeSubpath();
    FillGlyph(
        p, bowl,
        VerticalGradient(QRectF(-10, 0, 20, 7), QColor(246, 248, 252), QColor(168, 174, 186)));
    QPainterPath arm;
    arm.moveTo(0, 5);
    arm.lineTo(0, -6);
    StrokeGlyph(p, arm, QColor(214, 218, 226), 1.6);
    p.fillPath(Ellipse(QPointF(0, -6.5), 1.8, 1.8), kRed);
    p.restore();
    for (int i = 0; i < 3; ++i) {
        const qreal r = 4 + 4 * i;
        QPainterPath wave;
        const QRectF circle(21 - r, 10 - r, 2 * r, 2 * r);
        wave.arcMoveTo(circle, 0);
        wave.arcTo(circle, 0, 90);
        StrokeGlyph(p, wave.translated(1, 0), kGreen, 2.0);
    }
    return image;
}

QImage Logo() {
    QImage image = Canvas(40, 40);
    QPainter p(&image);
    Prepare(p);
    p.translate(2, 6);
    p.scale(36.0 / 32, 30.0 / 24);
    DrawCarFront(p, QColor(52, 128, 224), QColor(16, 16, 20), 1.6);
    return image;
}

QImage Compass(int eighthsOfATurn) {
    QImage image = Canvas(48, 48);
    QPainter p(&image);
    Prepare(p);
    const QPointF centre(24, 24);
    p.fillPath(Ellipse(centre, 23, 23), QColor(18, 18, 22));
    p.fillPath(Ellipse(centre, 21.8, 21.8),
               VerticalGradient(QRectF(2, 2, 44, 44), QColor(72, 76, 86), QColor(34, 36, 42)));
    p.translate(centre);
    p.rotate(45.0 * eighthsOfATurn);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.rotate(45.0 * i);
        p.setPen(QPen(i % 2 == 0 ? kGlyph : kGlyphDim, i % 2 == 0 ? 2.0 : 1.4, Qt::SolidLine,
                      Qt::RoundCap));
        p.drawLine(QPointF(0, -20), QPointF(0, i % 2 == 0 ? -16.5 : -18));
        p.restore();
    }
    // The needle: a long red half to the north, a shorter pale one to the south.
    QPainterPath north;
    north.addPolygon(QPolygonF({{0, -17.5}, {5, 0}, {-5, 0}}));
    QPainterPath south;
    south.addPolygon(QPolygonF({{0, 13}, {5, 0}, {-5, 0}}));
    p.fillPath(south, VerticalGradient(QRectF(-5, 0, 10, 13), kGlyph, QColor(160, 164, 174)));
    p.fillPath(north, VerticalGradient(QRectF(-5, -17.5, 10, 17.5), QColor(255, 128, 108),
                                       kRed.darker(115)));
    p.fillPath(Ellipse(QPointF(0, 0), 2.4, 2.4), QColor(36, 38, 44));
    return image;
}

QImage MapMarker() {
    QImage image = Canvas(32, 24);
    QPainter p(&image);
    Prepare(p);
    // A white edge keeps the car visible on light and dark map tiles alike.
    p.translate(16, 12);
    p.scale(0.9, 0.9);
    p.translate(-16, -12);
    DrawCarFront(p, QColor(214, 58, 48), QColor(255, 255, 255), 3.0);
    return image;
}

QImage Eraser() {
    QImage image = Canvas(32, 32);
    QPainter p(&image);
    Prepare(p);
    QPainterPath trail;
    trail.moveTo(4, 28.5);
    trail.lineTo(28, 28.5);
    p.setPen(QPen(QColor(60, 60, 66, 200), 1.6, Qt::DashLine, Qt::RoundCap));
    p.drawPath(trail);
    p.translate(16, 15);
    p.rotate(-35);
    const QRectF rubber(-12, -6, 10, 12);
    const QRectF sleeve(-2, -6, 14, 12);
    QPainterPath whole = RoundRect(rubber.united(sleeve), 2.5);
    p.setPen(QPen(QColor(40, 40, 46), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(whole);
    p.save();
    p.setClipPath(whole);
    p.fillRect(rubber, VerticalGradient(rubber, QColor(255, 190, 200), QColor(228, 118, 140)));
    p.fillRect(sleeve, VerticalGradient(sleeve, QColor(110, 176, 255), QColor(40, 104, 206)));
    p.fillRect(QRectF(-2, -6, 1.2, 12), QColor(255, 255, 255, 170));
    p.restore();
    return image;
}

QImage AboutLogo() {
    QImage image = Canvas(128, 128);
    QPainter p(&image);
    Prepare(p);
    const QRectF square(4, 4, 120, 120);
    p.fillPath(RoundRect(square.adjusted(-1, -1, 1, 1), 26), QColor(90, 78, 140));
    p.fillPath(RoundRect(square, 25),
               VerticalGradient(square, QColor(214, 204, 246), QColor(156, 140, 218)));
    QPainterPath sheen = RoundRect(QRectF(10, 8, 108, 46), 22);
    p.fillPath(sheen, QColor(255, 255, 255, 44));

    // The maker's mark: a lens in a ring, the camera's eye.
    const QPointF mark(64, 30);
    p.fillPath(
        Ellipse(mark, 13, 13),
        VerticalGradient(QRectF(51, 17, 26, 26), QColor(250, 250, 255), QColor(150, 154, 170)));
    p.fillPath(Ellipse(mark, 9.5, 9.5), QColor(52, 46, 84));
    p.fillPath(Ellipse(mark, 6, 6), VerticalGradient(QRectF(58, 24, 12, 12), QColor(120, 170, 255),
                                                     QColor(40, 70, 170)));
    p.fillPath(Ellipse(mark + QPointF(-2.2, -2.2), 1.8, 1.8), QColor(255, 255, 255, 220));

    p.save();
    p.translate(16, 52);
    p.scale(3.0, 3.0);
    DrawCarFront(p, QColor(196, 200, 212), QColor(70, 62, 110), 0.8);
    p.restore();
    return image;
}

QImage ApplicationIcon() {
    QImage image = Canvas(256, 256);
    QPainter p(&image);
    Prepare(p);
    const QRectF square(8, 8, 240, 240);
    p.fillPath(RoundRect(square, 52), QColor(20, 20, 24));
    p.fillPath(RoundRect(square.adjusted(4, 4, -4, -4), 48),
               VerticalGradient(square, QColor(92, 96, 106), QColor(40, 42, 48)));

    // The camera's lens...
    const QPointF lens(128, 116);
    p.fillPath(Ellipse(lens, 76, 76), QColor(16, 16, 20));
    p.fillPath(Ellipse(lens, 70, 70), VerticalGradient(QRectF(58, 46, 140, 140),
                                                       QColor(150, 156, 170), QColor(60, 64, 74)));
    p.fillPath(Ellipse(lens, 56, 56), QColor(22, 24, 30));
    QRadialGradient iris(lens + QPointF(-10, -12), 50);
    iris.setColorAt(0, QColor(120, 190, 255));
    iris.setColorAt(0.55, QColor(34, 96, 200));
    iris.setColorAt(1, QColor(12, 24, 60));
    p.fillPath(Ellipse(lens, 44, 44), iris);
    p.fillPath(Ellipse(lens, 16, 16), QColor(8, 10, 16));
    p.fillPath(Ellipse(lens + QPointF(-18, -20), 9, 9), QColor(255, 255, 255, 200));

    // ...recording, with the road's bumps traced underneath.
    p.fillPath(Ellipse(QPointF(206, 50), 13, 13), QColor(255, 255, 255, 60));
    p.fillPath(Ellipse(QPointF(206, 50), 10, 10), kRed);
    const QColor traces[] = {QColor(255, 255, 0), QColor(60, 255, 60), QColor(255, 60, 60)};
    for (int axis = 0; axis < 3; ++axis) {
        QPainterPath wave;
        for (qreal x = 44; x <= 212; x += 2) {
            const qreal y = 214 - (6 + 2 * axis) * qSin((x - 44) / (13.0 + 5 * axis) + axis * 1.7);
            if (x == 44) {
                wave.moveTo(x, y);
            } else {
                wave.lineTo(x, y);
            }
        }
        p.setPen(QPen(traces[axis], 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave);
    }
    return image;
}

}  // namespace artwork
