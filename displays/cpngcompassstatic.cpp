#include "cpngcompassstatic.h"

#include <cstdint>

#include <QPainter>

#include "colormatrix.h"

CPngCompassStatic::CPngCompassStatic(QWidget* parent) : QWidget(parent) {}

bool CPngCompassStatic::AddHeadingImage(int pngId) {
    tavrel::CGdiPlusBitmapResource picture;
    if (!picture.Load(pngId)) {
        return false;
    }
    m_headingImages.push_back(std::move(picture));
    return true;
}

void CPngCompassStatic::SetHeading(int degrees) {
    const auto count = static_cast<std::int64_t>(m_headingImages.size());
    // Without pictures there is no sector to show.
    if (count == 0) {
        return;
    }
    // The rose turns the other way from the vehicle: north moves left when it
    // heads east.
    const std::int64_t r = ((360 - std::int64_t{degrees}) % 360 + 360) % 360;
    std::int64_t s = r / 45;
    if (r - 45 * s > 22) {
        ++s;
    }
    SetImageIndex(static_cast<unsigned>(s % count + 1));
}

void CPngCompassStatic::ShowNoHeading() {
    SetImageIndex(0);
}

bool CPngCompassStatic::SetImageIndex(unsigned index) {
    if (index > m_headingImages.size()) {
        return false;
    }
    m_imageIndex = index;
    update();
    return true;
}

void CPngCompassStatic::paintEvent(QPaintEvent*) {
    if (m_headingImages.empty()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_imageIndex == 0) {
        painter.drawImage(rect(), tavrel::ApplyColorMatrix(m_headingImages.front().Image(),
                                                           tavrel::kGreyscaleMatrix));
    } else {
        painter.drawImage(rect(), m_headingImages[m_imageIndex - 1].Image());
    }
}
