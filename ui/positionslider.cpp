#include "positionslider.h"

#include <QPainter>

#include "edges.h"

namespace tavrel {

PositionSlider::PositionSlider(QWidget* parent)
    : PaintedSlider(QColor(100, 250, 100), QColor(240, 0, 180), Release::MovesThumb, parent) {}

void PositionSlider::DrawChannel(QPainter& painter) {
    painter.fillRect(rect(), Qt::black);
    DrawEdge(painter, rect(), EdgeStyle::Sunken);
}

void PositionSlider::ReportDrag(int position) {
    emit seekRequested(position);
}

}  // namespace tavrel
