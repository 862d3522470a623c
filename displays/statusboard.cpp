#include "statusboard.h"

#include <algorithm>

#include <QPainter>

#include "edges.h"

namespace tavrel {

StatusBoard::StatusBoard(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

void StatusBoard::SetProgress(int percent) {
    show();
    m_percent = std::clamp(percent, 0, 100);
    m_text = QString::asprintf("%d %c", m_percent, '%');
    repaint();
}

void StatusBoard::HideBoard() {
    hide();
}

void StatusBoard::SetFillTile(const QImage& tile) {
    m_fillTile = tile;
    update();
}

void StatusBoard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect client = rect();
    // Whatever is left unpainted shows black, never what was there before.
    painter.fillRect(client, Qt::black);

    const QRect bar(client.left(), client.top(), client.width() * m_percent / 100, client.height());
    if (!m_fillTile) {
        painter.fillRect(bar, m_barColor);
    } else if (!m_fillTile->isNull()) {
        // The tiles start at the board's corner, whatever the bar's width.
        painter.fillRect(bar, QBrush(*m_fillTile));
    }
    painter.fillRect(QRect(QPoint(bar.right() + 1, client.top()), client.bottomRight()),
                     m_emptyColor);

    painter.setPen(m_textColor);
    painter.drawText(client, Qt::AlignCenter | Qt::TextSingleLine, m_text);
    DrawEdge(painter, client, EdgeStyle::Raised);
}

}  // namespace tavrel
