#include <QLinearGradient>
#include <QPainterPath>

#include "artwork.h"
#include "painting.h"

using namespace Qt::Literals::StringLiterals;

namespace artwork {

namespace {

const QColor kMagenta(255, 0, 255);

// A 24 x 24 padlock with letters on its body.
QImage Padlock(const std::vector<std::pair<QString, QColor>>& letters) {
    QImage cell = Canvas(24, 24);
    QPainter p(&cell);
    Prepare(p);
    QPainterPath shackle;
    shackle.moveTo(7, 11);
    shackle.lineTo(7, 7.5);
    shackle.arcTo(QRectF(7, 2.5, 10, 10), 180, -180);
    shackle.lineTo(17, 11);
    p.setPen(QPen(QColor(40, 40, 44), 4.2, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(shackle);
    p.setPen(QPen(QColor(200, 204, 214), 2.4, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(shackle);
    QPainterPath body;
    body.addRoundedRect(QRectF(2.5, 10, 19, 12.5), 2.5, 2.5);
    p.setPen(QPen(QColor(80, 58, 8), 1.2));
    p.setBrush(VerticalGradient(body.boundingRect(), QColor(255, 222, 120), QColor(214, 160, 36)));
    p.drawPath(body);
    const qreal size = letters.size() > 1 ? 7.5 : 10;
    qreal width = 0;
    std::vector<QPainterPath> paths;
    for (const auto& [text, color] : letters) {
        paths.push_back(TextPath(text, size, QPointF(0, 0)));
        width += paths.back().boundingRect().width() + 0.6;
    }
    qreal x = 12 - width / 2;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const QRectF box = paths[i].boundingRect();
        p.fillPath(paths[i].translated(x - box.left(), 16.5 - box.center().y()), letters[i].second);
        x += box.width() + 0.6;
    }
    return cell;
}

}  // namespace

QImage LockCells() {
    QImage strip(96, 24, QImage::Format_RGB32);
    strip.fill(kMagenta);
    const QImage cells[] = {
        Padlock({{u"G"_s, Qt::black}}),
        Padlock({{u"M"_s, QColor(0, 140, 40)}}),
        Padlock({{u"G"_s, Qt::black}, {u"+"_s, QColor(220, 0, 0)}, {u"M"_s, QColor(0, 140, 40)}}),
    };
    // Magenta is the list's transparent colour: a pixel is either the lock's
    // own, made opaque over a dark grey that reads as an edge, or magenta.
    for (int c = 0; c < 3; ++c) {
        const QImage& cell = cells[c];
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                const QRgb pixel = cell.pixel(x, y);
                const int alpha = qAlpha(pixel);
                if (alpha < 96) {
                    continue;
                }
                const auto over = [alpha](int premultiplied, int ground) {
                    return premultiplied + ground * (255 - alpha) / 255;
                };
                strip.setPixel(
                    24 * (c + 1) + x, y,
                    qRgb(over(qRed(pixel), 44), over(qGreen(pixel), 44), over(qBlue(pixel), 48)));
            }
        }
    }
    return strip;
}

QImage CheckMark() {
    QImage image = Canvas(32, 32);
    QPainter p(&image);
    Prepare(p);
    QPainterPath check;
    check.moveTo(6, 17);
    check.lineTo(13, 24);
    check.lineTo(26.5, 8.5);
    p.setPen(QPen(QColor(18, 84, 30), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(check);
    p.setPen(
        QPen(VerticalGradient(QRectF(4, 6, 24, 20), QColor(150, 240, 120), QColor(40, 170, 60)),
             4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(check);
    return image;
}

QImage ProgressTile() {
    QImage tile(30, 30, QImage::Format_RGB32);
    QPainter p(&tile);
    QLinearGradient band(0, 0, 0, 30);
    band.setColorAt(0, QColor(176, 218, 255));
    band.setColorAt(0.45, QColor(66, 156, 250));
    band.setColorAt(0.55, QColor(48, 140, 244));
    band.setColorAt(1, QColor(150, 200, 252));
    p.fillRect(tile.rect(), band);
    return tile;
}

}  // namespace artwork
