#pragma once

#include <QWidget>

#include "gdiplusbitmap.h"

// A picture in colour or in greyscale, stretched over the control: the GPS
// indicator (colour while the playing position has a valid fix) and the logo.
class CPngStatic : public QWidget {
public:
    explicit CPngStatic(QWidget* parent = nullptr);

    void SetImage(const tavrel::CGdiPlusBitmap& picture);
    void SetActive(bool active);
    bool IsActive() const { return m_active; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    tavrel::CGdiPlusBitmap m_image;
    bool m_active = false;
};
