#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

namespace tavrel {

// An off-screen buffer over a painter: everything is drawn into an image the
// size of the rectangle (black to begin with), in the painter's coordinates,
// and copied to the painter in one block when the buffer goes away.
class CMemoryDC {
public:
    CMemoryDC(QPainter& target, const QRect& rect);
    ~CMemoryDC();
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    QPainter& Painter() { return m_painter; }

private:
    QPainter& m_target;
    QRect m_rect;
    QImage m_bitmap;
    QPainter m_painter;
};

}  // namespace tavrel
