#pragma once

#include <vector>

#include <QImage>
#include <QWidget>

#include "catalogviews.h"

namespace tavrel {

// The heading as a compass rose turned so that the direction of travel points
// up: one picture per 45-degree sector, and the first one in greyscale while
// there is no heading.
class Compass : public QWidget, public CompassView {
public:
    explicit Compass(QWidget* parent = nullptr);

    // The built-in roses, rose k turned clockwise by k x 45 degrees. False
    // (and no rose kept) when one of them cannot be loaded.
    bool LoadHeadingImages();

    // Degrees clockwise from north; each picture covers 22 degrees on either side.
    void SetHeading(int degrees) override;
    void ShowNoHeading() override;
    // 0: no heading; 1..N: picture index - 1 in colour. False for an index
    // beyond the pictures.
    bool SetImageIndex(unsigned index);
    unsigned ImageIndex() const { return m_imageIndex; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<QImage> m_headingImages;
    // The first rose in grey, made once rather than at every paint.
    QImage m_noHeadingImage;
    unsigned m_imageIndex = 0;
};

}  // namespace tavrel
