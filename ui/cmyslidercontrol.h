#pragma once

#include <QPixmap>

#include "cpaintedslider.h"

// The volume in the bottom bar: the window's background seen through it, a
// sunken groove and a red thumb. Dragging it sends UM_VOLUME_CHANGED to the
// parent, which reads the position itself.
class CMySliderControl : public CPaintedSlider {
public:
    explicit CMySliderControl(QWidget* parent = nullptr);

    bool HasBackgroundCopy() const { return !m_backgroundCopy.isNull(); }

protected:
    void DrawChannel(QPainter& painter) override;
    void moveEvent(QMoveEvent* event) override;

private:
    // The parent's pixels under the slider, taken on the first paint and
    // again after every move.
    QPixmap m_backgroundCopy;
};
