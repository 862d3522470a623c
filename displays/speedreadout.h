#pragma once

#include <cstdint>

#include <QString>
#include <QWidget>

#include "catalogviews.h"

namespace tavrel {

// The speed at the playing position, in km/h, as outlined text on the top
// bar's grey.
class SpeedReadout : public QWidget, public SpeedView {
public:
    explicit SpeedReadout(QWidget* parent = nullptr);

    // `visible` false leaves only the background.
    void SetSpeed(bool visible, std::uint16_t speedKmh) override;

    QString SpeedText() const { return m_speedText; }
    QString UnitText() const { return m_unitText; }
    bool IsValueVisible() const { return m_visible; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString m_speedText;
    bool m_visible = true;
    QString m_unitText;
};

}  // namespace tavrel
