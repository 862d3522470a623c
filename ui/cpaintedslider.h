#pragma once

#include <QColor>
#include <QRect>
#include <QSlider>

// A horizontal slider that paints its own channel and round thumb and jumps
// to the point clicked instead of stepping a page. While the thumb is dragged,
// and once when it is let go, it sends its message to its parent, which reads
// the position itself. Subclasses draw the channel.
class CPaintedSlider : public QSlider {
public:
    // Whether letting go of the thumb puts it at the release point too.
    enum class Release { KeepsThumb, MovesThumb };

    // A colour of 0 (black) stands for the system's button colours.
    CPaintedSlider(QColor thumbColor, QColor thumbPressedColor, quint32 dragMessage,
                   Release release, QWidget* parent);

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

private:
    void DrawThumb(QPainter& painter);

    QColor m_thumbColor;
    QColor m_thumbPressedColor;
    quint32 m_dragMessage;
    Release m_release;
    bool m_dragging = false;
};
