#pragma once

#include <QColor>
#include <QRect>
#include <QSlider>

namespace tavrel {

// A horizontal slider that paints its own channel and round thumb and jumps
// to the point clicked instead of stepping a page. While the thumb is dragged,
// and once when it is let go, it reports its position through its
// subclass's signal. Only the left button moves it, and it never takes the
// keyboard focus. Subclasses draw the channel.
class PaintedSlider : public QSlider {
    Q_OBJECT

public:
    // Whether letting go of the thumb puts it at the release point too.
    enum class Release { KeepsThumb, MovesThumb };

    // A colour of 0 (black) stands for the system's button colours.
    PaintedSlider(QColor thumbColor, QColor thumbPressedColor, Release release, QWidget* parent);

    // The track the thumb's centre runs along, in client coordinates.
    QRect ChannelRect() const;
    QRect ThumbRect() const;

    // The position a point of the channel stands for, counted from 0; the
    // slider clamps it to its range. Without a channel the position stays.
    int PositionFromX(int x) const;

    bool IsDragging() const { return m_dragging; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    virtual void DrawChannel(QPainter& painter) = 0;
    // On every move of a drag and once on the release, with the position
    // the slider then has.
    virtual void ReportDrag(int position) = 0;

private:
    void DrawThumb(QPainter& painter);

    QColor m_thumbColor;
    QColor m_thumbPressedColor;
    Release m_release;
    bool m_dragging = false;
};

}  // namespace tavrel
