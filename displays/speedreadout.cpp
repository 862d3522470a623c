#include "speedreadout.h"

#include <QMouseEvent>
#include <QPainter>

#include "outlinedtext.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {

namespace {

const QColor kBackground(64, 64, 64);

// Right-aligned in three characters, so that the digits do not jump.
QString FormatSpeed(std::uint16_t speedKmh) {
    return QString::asprintf("%3d", static_cast<int>(speedKmh));
}

}  // namespace

SpeedReadout::SpeedReadout(QWidget* parent)
    : QWidget(parent), m_speedText(FormatSpeed(0)), m_unitText(u"Km/h"_s) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SpeedReadout::SetSpeed(bool visible, std::uint16_t speedKmh) {
    m_visible = visible;
    m_speedText = FormatSpeed(speedKmh);
    update();
}

void SpeedReadout::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    if (m_visible) {
        DrawSpeedText(m_speedText, painter, 0, 10, 20);
        DrawSpeedText(m_unitText, painter, 40, 18, 12);
    }
}

// A left press on the window's surface starts moving the window: on the
// read-out it is taken, with its release, and does nothing.
void SpeedReadout::mousePressEvent(QMouseEvent* event) {
    event->setAccepted(event->button() == Qt::LeftButton);
}

void SpeedReadout::mouseReleaseEvent(QMouseEvent* event) {
    event->setAccepted(event->button() == Qt::LeftButton);
}

// The double click changes the display mode, which is the window's to do.
void SpeedReadout::mouseDoubleClickEvent(QMouseEvent* event) {
    event->ignore();
}

}  // namespace tavrel
