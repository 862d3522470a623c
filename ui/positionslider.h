#pragma once

#include "paintedslider.h"

namespace tavrel {

// The playing position under the video: a black bar with a sunken border and
// a light-green thumb.
class PositionSlider : public PaintedSlider {
    Q_OBJECT

public:
    explicit PositionSlider(QWidget* parent = nullptr);

signals:
    // While the thumb is dragged and once when it is let go.
    void seekRequested(int position);

protected:
    void DrawChannel(QPainter& painter) override;
    void ReportDrag(int position) override;
};

}  // namespace tavrel
