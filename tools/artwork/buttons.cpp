#include <QPainterPath>
#include <QtMath>

#include "artwork.h"
#include "painting.h"

using namespace Qt::Literals::StringLiterals;

namespace artwork {

namespace {

QPainterPath Polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

QPainterPath RoundRect(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QBrush GlyphBrush(const QRectF& over) {
    return VerticalGradient(over, QColor(250, 251, 253), QColor(200, 203, 210));
}

QBrush AccentBrush(const QRectF& over, const QColor& accent) {
    return VerticalGradient(over, accent.lighter(125), accent.darker(112));
}

// A disc button of the given size with its glyph.
template <class DrawGlyph>
QImage DiscButton(int size, DrawGlyph draw) {
    QImage image = Canvas(size, size);
    QPainter painter(&image);
    Prepare(painter);
    DrawDiscPlate(painter, QRectF(0.5, 0.5, size - 1, size - 1));
    draw(painter);
    return image;
}

template <class DrawGlyph>
QImage PlateButton(int width, int height, qreal radius, DrawGlyph draw) {
    QImage image = Canvas(width, height);
    QPainter painter(&image);
    Prepare(painter);
    DrawRoundPlate(painter, QRectF(0.5, 0.5, width - 1, height - 1), radius);
    draw(painter);
    return image;
}

// Two triangles pointing right, or one, as on every player.
QPainterPath Triangle(qreal left, qreal top, qreal width, qreal height) {
    return Polygon({{left, top}, {left, top + height}, {left + width, top + height / 2}});
}

}  // namespace

QImage Play() {
    return DiscButton(48, [](QPainter& p) {
        const QPainterPath glyph = Triangle(18.5, 13, 17, 22);
        FillGlyph(p, glyph, AccentBrush(glyph.boundingRect(), kGreen));
    });
}

QImage Pause() {
    return DiscButton(48, [](QPainter& p) {
        QPainterPath glyph = RoundRect(QRectF(16, 14, 6, 20), 1.5);
        glyph.addPath(RoundRect(QRectF(26, 14, 6, 20), 1.5));
        FillGlyph(p, glyph, AccentBrush(glyph.boundingRect(), kGreen));
    });
}

QImage Stop() {
    return DiscButton(40, [](QPainter& p) {
        const QPainterPath glyph = RoundRect(QRectF(13, 13, 14, 14), 2);
        FillGlyph(p, glyph, GlyphBrush(glyph.boundingRect()));
    });
}

// The rate buttons: a speed dial whose needle leans up for faster and down
// for slower, with a plus or a minus under it.
namespace {

QImage RateButton(bool faster) {
    return DiscButton(40, [faster](QPainter& p) {
        const QPointF hub(20, 20.5);
        QPainterPath dial;
        dial.arcMoveTo(QRectF(hub.x() - 11, hub.y() - 11, 22, 22), 200);
        dial.arcTo(QRectF(hub.x() - 11, hub.y() - 11, 22, 22), 200, -220);
        StrokeGlyph(p, dial, kGlyphDim, 2.0);

        const qreal angle = qDegreesToRadians(faster ? 35.0 : 145.0);
        QPainterPath needle;
        needle.moveTo(hub);
        needle.lineTo(hub.x() + 9 * qCos(angle), hub.y() - 9 * qSin(angle));
        StrokeGlyph(p, needle, faster ? kAmber : kBlue, 2.4);
        QPainterPath boss;
        boss.addEllipse(hub, 2.2, 2.2);
        FillGlyph(p, boss, GlyphBrush(boss.boundingRect()));

        QPainterPath sign;
        sign.moveTo(16.5, 30);
        sign.lineTo(23.5, 30);
        if (faster) {
            sign.moveTo(20, 26.5);
            sign.lineTo(20, 33.5);
        }
        StrokeGlyph(p, sign, kGlyph, 2.0);
    });
}

}  // namespace

QImage Faster() {
    return RateButton(true);
}

QImage Slower() {
    return RateButton(false);
}

QImage Open() {
    return PlateButton(48, 36, 6, [](QPainter& p) {
        // A folder with its front flap opened towards the viewer.
        const QPainterPath back =
            Polygon({{13, 10}, {20, 10}, {22.5, 12.5}, {35, 12.5}, {35, 26}, {13, 26}});
        FillGlyph(p, back,
                  VerticalGradient(back.boundingRect(), kAmber.darker(115), kAmber.darker(150)));
        const QPainterPath flap = Polygon({{15.5, 16}, {38, 16}, {34.5, 26.5}, {12, 26.5}});
        FillGlyph(p, flap, AccentBrush(flap.boundingRect(), kAmber));
    });
}

QImage Snapshot() {
    return PlateButton(48, 36, 6, [](QPainter& p) {
        QPainterPath body = RoundRect(QRectF(12, 12, 24, 15), 2.5);
        body.addPath(RoundRect(QRectF(19, 9.5, 10, 4), 1.5));
        body.setFillRule(Qt::WindingFill);
        FillGlyph(p, body.simplified(), GlyphBrush(body.boundingRect()));
        QPainterPath ring;
        ring.addEllipse(QPointF(24, 19.5), 5.6, 5.6);
        p.fillPath(ring, QColor(40, 42, 48));
        QPainterPath lens;
        lens.addEllipse(QPointF(24, 19.5), 3.8, 3.8);
        p.fillPath(lens, AccentBrush(lens.boundingRect(), kBlue));
        QPainterPath glint;
        glint.addEllipse(QPointF(22.6, 18.2), 1.1, 1.1);
        p.fillPath(glint, QColor(255, 255, 255, 220));
        QPainterPath lamp;
        lamp.addEllipse(QPointF(32, 15), 1.2, 1.2);
        p.fillPath(lamp, kAmber);
    });
}

QImage SaveAs() {
    return PlateButton(48, 36, 6, [](QPainter& p) {
        // Copies going down into a folder.
        const QPainterPath tray = Polygon(
            {{12, 19}, {17, 19}, {19, 22}, {29, 22}, {31, 19}, {36, 19}, {36, 28}, {12, 28}});
        FillGlyph(p, tray, GlyphBrush(tray.boundingRect()));
        QPainterPath arrow;
        arrow.moveTo(24, 7.5);
        arrow.lineTo(24, 18);
        arrow.moveTo(19.5, 13.5);
        arrow.lineTo(24, 18);
        arrow.lineTo(28.5, 13.5);
        StrokeGlyph(p, arrow, kGreen, 2.6);
    });
}

QImage Delete() {
    return PlateButton(48, 36, 6, [](QPainter& p) {
        const QPainterPath bin = Polygon({{17.5, 12.5}, {30.5, 12.5}, {29, 28}, {19, 28}});
        FillGlyph(p, bin, GlyphBrush(bin.boundingRect()));
        QPainterPath ribs;
        for (const qreal x : {21.5, 24.0, 26.5}) {
            ribs.moveTo(x, 15.5);
            ribs.lineTo(x, 25);
        }
        p.setPen(QPen(QColor(120, 122, 130), 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(ribs);
        QPainterPath lid = RoundRect(QRectF(15, 9, 18, 2.6), 1.2);
        lid.addPath(RoundRect(QRectF(21, 7, 6, 2.6), 1));
        FillGlyph(p, lid, AccentBrush(lid.boundingRect(), kRed));
    });
}

namespace {

// A circular arrow around a play triangle: the next recording follows.
QImage AutoPlayNext(bool on) {
    return PlateButton(32, 32, 5, [on](QPainter& p) {
        const QColor color = on ? kBlue : kGlyphDim;
        QPainterPath loop;
        const QRectF circle(7, 7, 18, 18);
        loop.arcMoveTo(circle, 110);
        loop.arcTo(circle, 110, 290);
        StrokeGlyph(p, loop, color, 2.2);
        QPointF tip;
        {
            QPainterPath probe;
            probe.arcMoveTo(circle, 40);
            tip = probe.currentPosition();
        }
        const QPainterPath head =
            Polygon({tip + QPointF(-4.5, -1.5), tip + QPointF(2.5, -4.5), tip + QPointF(1.5, 3)});
        FillGlyph(p, head, color);
        const QPainterPath play = Triangle(14, 11.5, 7, 9);
        FillGlyph(p, play, on ? QBrush(kGlyph) : QBrush(kGlyphDim));
        if (!on) {
            QPainterPath slash;
            slash.moveTo(8, 25);
            slash.lineTo(25, 7);
            StrokeGlyph(p, slash, kRed, 2.2);
        }
    });
}

}  // namespace

QImage AutoPlayNextOn() {
    return AutoPlayNext(true);
}

QImage AutoPlayNextOff() {
    return AutoPlayNext(false);
}

QImage Kml() {
    return PlateButton(32, 32, 5, [](QPainter& p) {
        // A track file: a sheet with a route and its end pin.
        const QPainterPath sheet =
            Polygon({{8, 5.5}, {19.5, 5.5}, {24.5, 10.5}, {24.5, 26.5}, {8, 26.5}});
        FillGlyph(p, sheet, GlyphBrush(sheet.boundingRect()));
        p.fillPath(Polygon({{19.5, 5.5}, {19.5, 10.5}, {24.5, 10.5}}), QColor(160, 163, 172));
        QPainterPath route;
        route.moveTo(11, 23.5);
        route.cubicTo(14, 18, 19, 24, 17.5, 15.5);
        p.setPen(QPen(kBlue.darker(115), 1.6, Qt::DashLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(route);
        QPainterPath pin;
        pin.moveTo(17.5, 16.5);
        pin.cubicTo(15, 13, 14, 11.5, 14, 10.5);
        pin.arcTo(QRectF(14, 7, 7, 7), 180, -180);
        pin.cubicTo(21, 11.5, 20, 13, 17.5, 16.5);
        p.fillPath(pin, kRed);
        QPainterPath hole;
        hole.addEllipse(QPointF(17.5, 10.5), 1.3, 1.3);
        p.fillPath(hole, QColor(255, 255, 255, 230));
    });
}

QImage Map() {
    return PlateButton(32, 32, 5, [](QPainter& p) {
        // A folded map of three panels.
        const QPainterPath left = Polygon({{6, 9}, {12.5, 6.5}, {12.5, 23}, {6, 25.5}});
        const QPainterPath middle = Polygon({{12.5, 6.5}, {19.5, 9}, {19.5, 25.5}, {12.5, 23}});
        const QPainterPath right = Polygon({{19.5, 9}, {26, 6.5}, {26, 23}, {19.5, 25.5}});
        FillGlyph(
            p, left,
            VerticalGradient(left.boundingRect(), QColor(140, 214, 150), QColor(92, 176, 108)));
        FillGlyph(
            p, middle,
            VerticalGradient(middle.boundingRect(), QColor(196, 228, 200), QColor(150, 196, 160)));
        FillGlyph(
            p, right,
            VerticalGradient(right.boundingRect(), QColor(140, 214, 150), QColor(92, 176, 108)));
        QPainterPath road;
        road.moveTo(7.5, 20);
        road.cubicTo(12, 14, 16, 21, 20, 15);
        road.lineTo(24.5, 11.5);
        p.setPen(QPen(kAmber, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(road);
    });
}

QImage GSensor() {
    return PlateButton(32, 32, 5, [](QPainter& p) {
        // A small screen with the graph's three curves in their own colours.
        const QRectF screen(5.5, 7.5, 21, 17);
        p.fillPath(RoundRect(screen, 2), QColor(12, 12, 14));
        p.setPen(QPen(QColor(102, 102, 102), 1));
        p.drawLine(QPointF(7, 16), QPointF(25, 16));
        const struct {
            QColor color;
            qreal amplitude;
            qreal phase;
        } curves[] = {{QColor(255, 255, 0), 2.0, 0.0},
                      {QColor(60, 255, 60), 3.0, 2.1},
                      {QColor(255, 60, 60), 5.0, 4.0}};
        for (const auto& curve : curves) {
            QPainterPath wave;
            for (qreal x = 7; x <= 25; x += 0.5) {
                const qreal y = 16 - curve.amplitude * qSin((x - 7) / 4.2 + curve.phase);
                if (x == 7) {
                    wave.moveTo(x, y);
                } else {
                    wave.lineTo(x, y);
                }
            }
            p.setPen(QPen(curve.color, 1.3));
            p.drawPath(wave);
        }
    });
}

QImage Unlock() {
    return PlateButton(32, 32, 5, [](QPainter& p) {
        // A padlock with its shackle swung open.
        QPainterPath shackle;
        shackle.moveTo(19.5, 15);
        shackle.lineTo(19.5, 10);
        shackle.arcTo(QRectF(19.5, 5, 8, 10), 180, -180);
        shackle.lineTo(27.5, 12);
        StrokeGlyph(p, shackle, kGlyph, 2.4);
        const QPainterPath body = RoundRect(QRectF(6.5, 14.5, 16, 12), 2);
        FillGlyph(p, body, AccentBrush(body.boundingRect(), kGold));
        QPainterPath keyhole;
        keyhole.addEllipse(QPointF(14.5, 19.2), 1.7, 1.7);
        keyhole.addRect(QRectF(13.8, 19.5, 1.4, 4));
        keyhole.setFillRule(Qt::WindingFill);
        p.fillPath(keyhole, QColor(70, 52, 10));
    });
}

QImage Rotate() {
    return PlateButton(32, 32, 5, [](QPainter& p) {
        // A picture frame with two half-turn arrows around it.
        const QRectF frame(11.5, 11.5, 9, 9);
        p.setPen(QPen(kGlyph, 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawRect(frame);
        p.fillRect(QRectF(13.5, 15.5, 5, 3), kBlue);
        const QRectF circle(6, 6, 20, 20);
        for (const qreal start : {20.0, 200.0}) {
            QPainterPath arc;
            arc.arcMoveTo(circle, start);
            arc.arcTo(circle, start, 130);
            StrokeGlyph(p, arc, kAmber, 1.8);
            QPainterPath probe;
            probe.arcMoveTo(circle, start + 130);
            const QPointF tip = probe.currentPosition();
            const QPointF out = (tip - circle.center()) / 10.0;
            const QPointF along(out.y(), -out.x());
            const QPainterPath head =
                Polygon({tip + out * 2.6, tip - out * 2.6, tip - along * 3.6});
            FillGlyph(p, head, kAmber);
        }
    });
}

namespace {

template <class DrawGlyph>
QImage TitleButton(DrawGlyph draw) {
    return PlateButton(25, 25, 4, draw);
}

}  // namespace

QImage Close() {
    return TitleButton([](QPainter& p) {
        QPainterPath cross;
        cross.moveTo(8, 8);
        cross.lineTo(17, 17);
        cross.moveTo(17, 8);
        cross.lineTo(8, 17);
        StrokeGlyph(p, cross, QColor(255, 120, 108), 2.2);
    });
}

QImage Maximise() {
    return TitleButton([](QPainter& p) {
        QPainterPath frame = RoundRect(QRectF(7, 7.5, 11, 10), 1);
        StrokeGlyph(p, frame, kGlyph, 1.6);
        p.fillRect(QRectF(7, 7.5, 11, 2.5), kGlyph);
    });
}

QImage Minimise() {
    return TitleButton([](QPainter& p) {
        QPainterPath bar;
        bar.moveTo(8, 16.5);
        bar.lineTo(17, 16.5);
        StrokeGlyph(p, bar, kGlyph, 2.2);
    });
}

QImage About() {
    return TitleButton([](QPainter& p) {
        const QPainterPath mark = TextPath(u"?"_s, 17, QPointF(12.5, 12.5));
        FillGlyph(p, mark, kGlyph);
    });
}

namespace {

// A window outline whose size says which preset the button chooses.
QImage PresetButton(qreal width, qreal height) {
    return PlateButton(16, 16, 3, [=](QPainter& p) {
        const QRectF window(8 - width / 2, 8 - height / 2, width, height);
        p.setPen(QPen(kGlyph, 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(window.adjusted(0.5, 0.5, -0.5, -0.5));
        p.fillRect(QRectF(window.left(), window.top(), window.width(), 2), kGlyph);
    });
}

}  // namespace

QImage SmallWindow() {
    return PresetButton(6, 5);
}

QImage MediumWindow() {
    return PresetButton(8, 7);
}

QImage LargeWindow() {
    return PresetButton(11, 10);
}

namespace {

QImage Speaker(bool muted) {
    return PlateButton(12, 24, 3, [muted](QPainter& p) {
        const QPainterPath speaker =
            Polygon({{2, 9.5}, {4, 9.5}, {7.5, 6}, {7.5, 18}, {4, 14.5}, {2, 14.5}});
        FillGlyph(p, speaker, muted ? QBrush(kGlyphDim) : QBrush(kGlyph));
        if (muted) {
            QPainterPath slash;
            slash.moveTo(2.5, 19);
            slash.lineTo(9.5, 5);
            StrokeGlyph(p, slash, kRed, 1.6);
        } else {
            QPainterPath wave;
            wave.arcMoveTo(QRectF(3.5, 7, 7, 10), 55);
            wave.arcTo(QRectF(3.5, 7, 7, 10), 55, -110);
            StrokeGlyph(p, wave, kGreen, 1.3);
        }
    });
}

}  // namespace

QImage Volume() {
    return Speaker(false);
}

QImage Muted() {
    return Speaker(true);
}

}  // namespace artwork
