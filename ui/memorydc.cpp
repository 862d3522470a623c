#include "memorydc.h"

#include <QPaintDevice>

namespace tavrel {

CMemoryDC::CMemoryDC(QPainter& target, const QRect& rect) : m_target(target), m_rect(rect) {
    // As many pixels as the screen has under the rectangle, so that the copy
    // stays sharp on scaled screens.
    const qreal ratio = target.device() != nullptr ? target.device()->devicePixelRatioF() : 1.0;
    m_bitmap = QImage(rect.size() * ratio, QImage::Format_RGB32);
    m_bitmap.setDevicePixelRatio(ratio);
    m_bitmap.fill(Qt::black);
    m_painter.begin(&m_bitmap);
    m_painter.translate(-rect.topLeft());
}

CMemoryDC::~CMemoryDC() {
    m_painter.end();
    m_target.drawImage(m_rect.topLeft(), m_bitmap);
}

}  // namespace tavrel
