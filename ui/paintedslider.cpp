#include "paintedslider.h"

#include <algorithm>
#include <cstdint>

#include <QMouseEvent>
#include <QPainter>

namespace tavrel {

namespace {

// The thumb is a circle; the channel ends where its centre can go.
constexpr int kThumbDiameter = 12;
constexpr int kChannelInset = kThumbDiameter / 2 + 2;
constexpr int kChannelHeight = 4;

}  // namespace

PaintedSlider::PaintedSlider(QColor thumbColor, QColor thumbPressedColor, Release release,
                             QWidget* parent)
    : QSlider(Qt::Horizontal, parent),
      m_thumbColor(thumbColor),
      m_thumbPressedColor(thumbPressedColor),
      m_release(release) {
    setTickPosition(QSlider::NoTicks);
    // The window's own keys seek and change the volume; a slider holding the
    // focus after a click would take the arrow keys for itself.
    setFocusPolicy(Qt::NoFocus);
}

void PaintedSlider::mousePressEvent(QMouseEvent* event) {
    // Only the left button moves the thumb: the style would let the middle
    // one jump it too.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    // The thumb jumps to the point at once; the owner hears of it on a move
    // or the release.
    setValue(PositionFromX(event->position().toPoint().x()));
    m_dragging = true;
    update();
    event->accept();
}

void PaintedSlider::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        setValue(PositionFromX(event->position().toPoint().x()));
        ReportDrag(value());
    }
    event->accept();
}

void PaintedSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_dragging) {
        event->accept();
        return;
    }
    m_dragging = false;
    if (m_release == Release::MovesThumb) {
        setValue(PositionFromX(event->position().toPoint().x()));
    }
    update();
    ReportDrag(value());
    event->accept();
}

QRect PaintedSlider::ChannelRect() const {
    const int left = kChannelInset;
    const int right = std::max(left, width() - kChannelInset);
    return {left, (height() - kChannelHeight) / 2, right - left, kChannelHeight};
}

QRect PaintedSlider::ThumbRect() const {
    const QRect channel = ChannelRect();
    const int span = maximum() - minimum();
    const int centre =
        channel.left() +
        (span > 0 ? static_cast<int>(std::int64_t{value() - minimum()} * channel.width() / span)
                  : 0);
    return {centre - kThumbDiameter / 2, (height() - kThumbDiameter) / 2, kThumbDiameter,
            kThumbDiameter};
}

int PaintedSlider::PositionFromX(int x) const {
    const QRect channel = ChannelRect();
    if (channel.width() <= 0) {
        return value();
    }
    const std::int64_t position =
        std::int64_t{x - channel.left()} * (maximum() - minimum()) / channel.width();
    return static_cast<int>(std::clamp<std::int64_t>(position, INT32_MIN, INT32_MAX));
}

void PaintedSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawChannel(painter);
    DrawThumb(painter);
}

void PaintedSlider::DrawThumb(QPainter& painter) {
    QColor fill = m_dragging ? m_thumbPressedColor : m_thumbColor;
    if (fill == QColor(Qt::black)) {
        fill = palette().color(m_dragging ? QPalette::Highlight : QPalette::Button);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(20, 20, 20), 1));
    painter.setBrush(fill);
    painter.drawEllipse(QRectF(ThumbRect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace tavrel
