#include "cvideoslider.h"

#include <QPainter>

#include "edges.h"
#include "windowmessage.h"

CVideoSlider::CVideoSlider(QWidget* parent)
    : CPaintedSlider(QColor(100, 250, 100), QColor(240, 0, 180), tavrel::UM_SEEK_REQUEST,
                     Release::MovesThumb, parent) {}

void CVideoSlider::DrawChannel(QPainter& painter) {
    painter.fillRect(rect(), Qt::black);
    tavrel::DrawEdge(painter, rect(), tavrel::EdgeStyle::Sunken);
}
