#include "painting.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>

using namespace Qt::Literals::StringLiterals;

namespace artwork {

QImage Canvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void Prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QBrush VerticalGradient(const QRectF& over, const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(over.topLeft(), over.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

namespace {

void DrawPlate(QPainter& painter, const QPainterPath& outer, const QPainterPath& inner,
               const QRectF& bounds) {
    painter.save();
    // A dark rim that separates the plate from the window's grey...
    painter.fillPath(outer, QColor(22, 22, 25));
    // ...a body lit from above...
    painter.fillPath(inner, VerticalGradient(bounds, QColor(104, 106, 113), QColor(46, 47, 52)));
    // ...and a thin highlight along its upper edge.
    painter.setClipPath(inner);
    painter.setPen(QPen(QColor(255, 255, 255, 56), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(inner.translated(0, 0.6));
    painter.restore();
}

}  // namespace

void DrawDiscPlate(QPainter& painter, const QRectF& bounds) {
    QPainterPath outer;
    outer.addEllipse(bounds);
    QPainterPath inner;
    inner.addEllipse(bounds.adjusted(1.2, 1.2, -1.2, -1.2));
    DrawPlate(painter, outer, inner, bounds);
}

void DrawRoundPlate(QPainter& painter, const QRectF& bounds, qreal radius) {
    QPainterPath outer;
    outer.addRoundedRect(bounds, radius, radius);
    QPainterPath inner;
    inner.addRoundedRect(bounds.adjusted(1.2, 1.2, -1.2, -1.2), radius - 1, radius - 1);
    DrawPlate(painter, outer, inner, bounds);
}

void FillGlyph(QPainter& painter, const QPainterPath& path, const QBrush& brush) {
    painter.fillPath(path.translated(0, 1), QColor(0, 0, 0, 120));
    painter.fillPath(path, brush);
}

void StrokeGlyph(QPainter& painter, const QPainterPath& path, const QColor& color, qreal width) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 120), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path.translated(0, 1));
    painter.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.restore();
}

QPainterPath TextPath(const QString& text, qreal pixelSize, const QPointF& centre) {
    QFont font(u"Arial"_s);
    font.setBold(true);
    font.setPixelSize(qRound(pixelSize));
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    return path.translated(centre - box.center());
}

}  // namespace artwork
