#include "cstatusboardstatic.h"

#include <algorithm>

#include <QPainter>

#include "edges.h"
#include "memorydc.h"
#include "numberedresources.h"

CStatusBoardStatic::CStatusBoardStatic(QWidget* parent) : QWidget(parent) {
    hide();
}

void CStatusBoardStatic::SetProgress(int percent) {
    show();
    m_percent = std::clamp(percent, 0, 100);
    m_text = QString::asprintf("%d %c", m_percent, '%');
    repaint();
}

void CStatusBoardStatic::HideBoard() {
    hide();
}

void CStatusBoardStatic::SetFillBitmap(int bitmapId) {
    m_fillBitmap = bitmapId;
    update();
}

void CStatusBoardStatic::paintEvent(QPaintEvent*) {
    QPainter target(this);
    tavrel::CMemoryDC buffer(target, rect());
    QPainter& painter = buffer.Painter();

    const QRect client = rect();
    const QRect bar(client.left(), client.top(), client.width() * m_percent / 100, client.height());
    if (m_fillBitmap == 0) {
        painter.fillRect(bar, m_barColor);
    } else if (const QImage tile = tavrel::LoadBitmapResource(m_fillBitmap); !tile.isNull()) {
        // The tiles start at the board's corner, whatever the bar's width.
        painter.fillRect(bar, QBrush(tile));
    }
    painter.fillRect(QRect(QPoint(bar.right() + 1, client.top()), client.bottomRight()),
                     m_emptyColor);

    painter.setPen(m_textColor);
    painter.drawText(client, Qt::AlignCenter | Qt::TextSingleLine, m_text);
    tavrel::DrawEdge(painter, client, tavrel::EdgeStyle::Raised);
}
