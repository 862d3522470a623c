#pragma once

#include <QImage>
#include <QWidget>

namespace tavrel {

// A picture in colour or in greyscale, stretched over the widget: the GPS
// indicator (colour while the playing position has a valid fix) and the logo.
class PictureIndicator : public QWidget {
public:
    explicit PictureIndicator(QWidget* parent = nullptr);

    void SetImage(const QImage& picture);
    void SetActive(bool active);
    bool IsActive() const { return m_active; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    // The picture in grey, made once rather than at every paint.
    QImage m_inactiveImage;
    bool m_active = false;
};

}  // namespace tavrel
