#include "edges.h"

#include <QPainter>

namespace tavrel {

namespace {

const QColor kDarkShadow(16, 16, 16);
const QColor kShadow(36, 36, 36);
const QColor kLight(98, 98, 98);
const QColor kHighlight(128, 128, 128);

}  // namespace

void Draw3dRect(QPainter& painter, const QRect& rect, const QColor& topLeft,
                const QColor& bottomRight) {
    if (rect.width() <= 0 || rect.height() <= 0) {
        return;
    }
    painter.fillRect(rect.left(), rect.top(), rect.width() - 1, 1, topLeft);
    painter.fillRect(rect.left(), rect.top(), 1, rect.height() - 1, topLeft);
    painter.fillRect(rect.right(), rect.top(), 1, rect.height(), bottomRight);
    painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, bottomRight);
}

QRect DrawEdge(QPainter& painter, const QRect& rect, EdgeStyle style) {
    const bool sunken = style == EdgeStyle::Sunken;
    Draw3dRect(painter, rect, sunken ? kShadow : kLight, sunken ? kHighlight : kDarkShadow);
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    Draw3dRect(painter, inner, sunken ? kDarkShadow : kHighlight, sunken ? kLight : kShadow);
    return inner.adjusted(1, 1, -1, -1);
}

}  // namespace tavrel
