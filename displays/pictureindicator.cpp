#include "pictureindicator.h"

#include <QPainter>

#include "colormatrix.h"

namespace tavrel {

PictureIndicator::PictureIndicator(QWidget* parent) : QWidget(parent) {}

void PictureIndicator::SetImage(const QImage& picture) {
    m_image = picture;
    m_inactiveImage = ApplyColorMatrix(picture, kGreyscaleMatrix);
    update();
}

void PictureIndicator::SetActive(bool active) {
    m_active = active;
    update();
}

void PictureIndicator::paintEvent(QPaintEvent*) {
    if (m_image.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_active ? m_image : m_inactiveImage);
}

}  // namespace tavrel
