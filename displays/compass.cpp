#include "compass.h"

#include <cstdint>
#include <utility>

#include <QPainter>

#include "colormatrix.h"
#include "numberedresources.h"

namespace tavrel {

Compass::Compass(QWidget* parent) : QWidget(parent) {}

bool Compass::LoadHeadingImages() {
    std::vector<QImage> roses;
    for (int turn = 0; turn < kCompassPictureCount; ++turn) {
        // The roses are numbered one after the other from the north-up one.
        QImage rose = LoadPicture(static_cast<Picture>(Number(Picture::CompassNorth) + turn));
        if (rose.isNull()) {
            return false;
        }
        roses.push_back(std::move(rose));
    }
    m_headingImages = std::move(roses);
    m_noHeadingImage = ApplyColorMatrix(m_headingImages.front(), kGreyscaleMatrix);
    update();
    return true;
}

void Compass::SetHeading(int degrees) {
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

void Compass::ShowNoHeading() {
    SetImageIndex(0);
}

bool Compass::SetImageIndex(unsigned index) {
    if (index > m_headingImages.size()) {
        return false;
    }
    m_imageIndex = index;
    update();
    return true;
}

void Compass::paintEvent(QPaintEvent*) {
    if (m_headingImages.empty()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(),
                      m_imageIndex == 0 ? m_noHeadingImage : m_headingImages[m_imageIndex - 1]);
}

}  // namespace tavrel
