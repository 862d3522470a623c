#include "videosurface.h"

#include <QMouseEvent>
#include <QPainter>

#include "outlinedtext.h"
#include "windowlayout.h"

namespace tavrel {

namespace {

constexpr int kOverlayTop = 10;
constexpr int kOverlayEmSize = 72;

}  // namespace

VideoSurface::VideoSurface(QWidget* parent) : QWidget(parent) {
    // The engine needs an X window of its own to draw into; the window around
    // it and its other children stay ordinary widgets.
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    // Every paint covers the whole surface: nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VideoSurface::SetOverlayShown(bool shown) {
    m_overlayShown = shown;
    repaint();
}

void VideoSurface::ShowScanCounter(int count) {
    m_scanCounter = count;
    // The scan holds the user-interface thread: the count must show now.
    repaint();
}

void VideoSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackgroundColor);
    if (m_overlayShown) {
        DrawOverlayText(QStringLiteral("%1\n").arg(m_scanCounter), painter, kOverlayTop,
                        kOverlayEmSize);
    }
}

void VideoSurface::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void VideoSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

}  // namespace tavrel
