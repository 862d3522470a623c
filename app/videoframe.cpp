#include "videoframe.h"

#include <QMouseEvent>

namespace tavrel {

VideoFrame::VideoFrame(QWidget* parent) : QWidget(parent) {}

void VideoFrame::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void VideoFrame::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

}  // namespace tavrel
