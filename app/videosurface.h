#pragma once

#include <QWidget>

#include "catalogviews.h"

namespace tavrel {

// The native window the media engine draws the video into. While a folder is
// scanned it shows, in large outlined digits, how many files the scan has
// examined.
class VideoSurface : public QWidget, public VideoSurfaceView {
    Q_OBJECT

public:
    explicit VideoSurface(QWidget* parent = nullptr);

    // The counter shows only while the overlay is on.
    void SetOverlayShown(bool shown);
    bool IsOverlayShown() const { return m_overlayShown; }
    void ShowScanCounter(int count) override;
    int ScanCounter() const { return m_scanCounter; }

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    // A press does nothing here: it must not reach the window and move it.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_overlayShown = false;
    int m_scanCounter = 0;
};

}  // namespace tavrel
