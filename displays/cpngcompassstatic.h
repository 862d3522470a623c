#pragma once

#include <vector>

#include <QWidget>

#include "catalogviews.h"
#include "gdiplusbitmap.h"

// The heading as a compass rose turned so that the direction of travel points
// up: one picture per 45-degree sector, and the first one in greyscale while
// there is no heading.
class CPngCompassStatic : public QWidget, public tavrel::CompassView {
public:
    explicit CPngCompassStatic(QWidget* parent = nullptr);

    // Image k shows the rose turned clockwise by k x 45 degrees. False (and
    // nothing added) when the picture cannot be loaded.
    bool AddHeadingImage(int pngId);

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
    std::vector<tavrel::CGdiPlusBitmapResource> m_headingImages;
    unsigned m_imageIndex = 0;
};
