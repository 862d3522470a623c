#pragma once

#include <functional>

#include <QApplication>
#include <QColor>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

namespace tavrel::test {

// What the widget's own paint handler draws, on a transparent ground.
inline QImage RenderWidget(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

// How many of the image's pixels the predicate picks.
inline int CountPixels(const QImage& image, const std::function<bool(QColor)>& which) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += which(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// Mouse input delivered straight to the widget, as the window system's would be.
inline void SendMouse(QWidget& widget, QEvent::Type type, QPoint at,
                      Qt::MouseButton button = Qt::LeftButton,
                      Qt::MouseButtons held = Qt::LeftButton) {
    QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

inline void Press(QWidget& widget, QPoint at) {
    SendMouse(widget, QEvent::MouseButtonPress, at);
}
inline void DragTo(QWidget& widget, QPoint at) {
    SendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
}
inline void Release(QWidget& widget, QPoint at) {
    SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}
inline void Click(QWidget& widget, QPoint at) {
    Press(widget, at);
    Release(widget, at);
}

// The pointer coming to rest on the widget.
inline void Hover(QWidget& widget, QPoint at) {
    const QPointF local(at);
    QEnterEvent enter(local, local, QPointF(widget.mapToGlobal(at)));
    QApplication::sendEvent(&widget, &enter);
    SendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}

}  // namespace tavrel::test
