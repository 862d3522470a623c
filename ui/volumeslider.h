#pragma once

#include <QPixmap>

#include "paintedslider.h"

namespace tavrel {

// The volume in the bottom bar: the window's background seen through it, a
// sunken groove and a red thumb.
class VolumeSlider : public PaintedSlider {
    Q_OBJECT

public:
    explicit VolumeSlider(QWidget* parent = nullptr);

    bool HasBackgroundCopy() const { return !m_backgroundCopy.isNull(); }

signals:
    // While the thumb is dragged and once when it is let go.
    void volumeMoved(int volume);

protected:
    void DrawChannel(QPainter& painter) override;
    void ReportDrag(int position) override;
    void moveEvent(QMoveEvent* event) override;

private:
    // The parent's pixels under the slider, taken on the first paint and
    // again after every move.
    QPixmap m_backgroundCopy;
};

}  // namespace tavrel
