#include "volumeslider.h"

#include <QPainter>

#include "edges.h"

namespace tavrel {

VolumeSlider::VolumeSlider(QWidget* parent)
    : PaintedSlider(QColor(255, 0, 0), QColor(170, 0, 0), Release::KeepsThumb, parent) {}

void VolumeSlider::DrawChannel(QPainter& painter) {
    if (m_backgroundCopy.isNull() && parentWidget() != nullptr) {
        m_backgroundCopy = QPixmap(size() * devicePixelRatioF());
        m_backgroundCopy.setDevicePixelRatio(devicePixelRatioF());
        m_backgroundCopy.fill(Qt::transparent);
        // Only the parent's own drawing: its children, this slider among
        // them, are not part of the background.
        parentWidget()->render(&m_backgroundCopy, QPoint(), QRegion(geometry()),
                               QWidget::DrawWindowBackground);
    }
    painter.drawPixmap(0, 0, m_backgroundCopy);

    QRect groove = ChannelRect();
    if (groove.width() >= groove.height()) {
        groove.adjust(0, -2, 0, 2);
    } else {
        groove.adjust(-1, 0, 1, 0);
    }
    DrawEdge(painter, groove, EdgeStyle::Sunken);
}

void VolumeSlider::ReportDrag(int position) {
    emit volumeMoved(position);
}

void VolumeSlider::moveEvent(QMoveEvent* event) {
    QSlider::moveEvent(event);
    m_backgroundCopy = QPixmap();
    update();
}

}  // namespace tavrel
