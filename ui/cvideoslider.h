#pragma once

#include "cpaintedslider.h"

// The playing position under the video: a black bar with a sunken border and
// a light-green thumb. Dragging it sends UM_SEEK_REQUEST to the parent, which
// reads the position itself.
class CVideoSlider : public CPaintedSlider {
public:
    explicit CVideoSlider(QWidget* parent = nullptr);

protected:
    void DrawChannel(QPainter& painter) override;
};
