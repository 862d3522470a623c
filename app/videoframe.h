#pragma once

#include <QWidget>

namespace tavrel {

// The area the video surface is centred in. It paints nothing, so the bars
// beside a picture of another shape show the window's own background.
class VideoFrame : public QWidget {
    Q_OBJECT

public:
    explicit VideoFrame(QWidget* parent = nullptr);

signals:
    void doubleClicked();

protected:
    // A press does nothing here: it must not reach the window and move it.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace tavrel
