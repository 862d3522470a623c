#include "cmyslidercontrol.h"

#include <QPainter>

#include "edges.h"
#include "windowmessage.h"

CMySliderControl::CMySliderControl(QWidget* parent)
    : CPaintedSlider(QColor(255, 0, 0), QColor(170, 0, 0), tavrel::UM_VOLUME_CHANGED,
                     Release::KeepsThumb, parent) {}

void CMySliderControl::DrawChannel(QPainter& painter) {
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
    tavrel::DrawEdge(painter, groove, tavrel::EdgeStyle::Sunken);
}

void CMySliderControl::moveEvent(QMoveEvent* event) {
    QSlider::moveEvent(event);
    m_backgroundCopy = QPixmap();
    update();
}
