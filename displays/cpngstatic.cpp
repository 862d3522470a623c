#include "cpngstatic.h"

#include <QPainter>

#include "colormatrix.h"

CPngStatic::CPngStatic(QWidget* parent) : QWidget(parent) {}

void CPngStatic::SetImage(const tavrel::CGdiPlusBitmap& picture) {
    m_image = picture;
    update();
}

void CPngStatic::SetActive(bool active) {
    m_active = active;
    update();
}

void CPngStatic::paintEvent(QPaintEvent*) {
    if (m_image.IsNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(
        rect(), m_active ? m_image.Image()
                         : tavrel::ApplyColorMatrix(m_image.Image(), tavrel::kGreyscaleMatrix));
}
