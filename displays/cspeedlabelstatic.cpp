#include "cspeedlabelstatic.h"

#include <QPainter>

#include "memorydc.h"
#include "outlinedtext.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QColor kBackground(64, 64, 64);

// Right-aligned in three characters, so that the digits do not jump.
QString FormatSpeed(std::uint16_t speedKmh) {
    return QString::asprintf("%3d", static_cast<int>(speedKmh));
}

}  // namespace

CSpeedLabelStatic::CSpeedLabelStatic(QWidget* parent)
    : QWidget(parent), m_speedText(FormatSpeed(0)), m_unitText(u"Km/h"_s) {}

void CSpeedLabelStatic::SetSpeed(bool visible, std::uint16_t speedKmh) {
    m_visible = visible;
    m_unitText = u"Km/h"_s;
    m_speedText = FormatSpeed(speedKmh);
    update();
}

void CSpeedLabelStatic::paintEvent(QPaintEvent*) {
    QPainter target(this);
    tavrel::CMemoryDC buffer(target, rect());
    QPainter& painter = buffer.Painter();
    painter.fillRect(rect(), kBackground);
    if (m_visible) {
        tavrel::DrawSpeedText(m_speedText, painter, 0, 10, 20);
        tavrel::DrawSpeedText(m_unitText, painter, 40, 18, 12);
    }
}
