#include "richtooltip.h"

#include <algorithm>
#include <utility>

#include <QGuiApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QScreen>

#include "languagetable.h"
#include "numberedresources.h"

namespace tavrel {

namespace {

constexpr int kMargin = 6;
constexpr int kGap = 8;
constexpr int kDescriptionWidth = 320;
// The platform's tooltips disappear after five seconds of rest.
constexpr int kAutoPopMs = 5000;

const QColor kFill(40, 40, 44);
const QColor kBorder(112, 112, 118);
const QColor kLabelColor(240, 240, 240);
const QColor kDescriptionColor(190, 190, 196);

QFont LabelFont(const QFont& base) {
    QFont font = base;
    font.setBold(true);
    return font;
}

}  // namespace

RichToolTip::RichToolTip() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_autoPop.setSingleShot(true);
    m_autoPop.setInterval(kAutoPopMs);
    connect(&m_autoPop, &QTimer::timeout, this, &QWidget::hide);
}

void RichToolTip::InitTooltip(QWidget* owner) {
    m_owner = owner;
}

void RichToolTip::AddTool(QWidget* window, const QString& label, const QRect& rect, int toolId) {
    Register({window, toolId, label, rect, std::nullopt});
}

void RichToolTip::AddTool(QWidget* window, const QString& label, const ToolEntry& entry,
                          const QRect& rect, int toolId) {
    Register({window, toolId, label, rect, entry});
}

void RichToolTip::Register(Registration registration) {
    QWidget* window = registration.window.data();
    if (window == nullptr) {
        return;
    }
    m_registrations.push_back(std::move(registration));
    window->installEventFilter(this);
}

void RichToolTip::DelTool(QWidget* window, int toolId) {
    Unregister(window, toolId);
}

void RichToolTip::RemoveAllTools() {
    for (const Registration& r : m_registrations) {
        if (!r.window.isNull()) {
            r.window->removeEventFilter(this);
        }
    }
    m_registrations.clear();
}

void RichToolTip::Unregister(QWidget* window, int toolId) {
    std::erase_if(m_registrations, [&](const Registration& r) {
        return r.window.isNull() || (r.window == window && r.toolId == toolId);
    });
    if (window != nullptr && ToolCount(window) == 0) {
        window->removeEventFilter(this);
    }
}

int RichToolTip::ToolCount(const QWidget* window) const {
    return static_cast<int>(
        std::count_if(m_registrations.begin(), m_registrations.end(),
                      [&](const Registration& r) { return r.window == window; }));
}

QString RichToolTip::ToolLabel(const QWidget* window) const {
    for (const Registration& r : m_registrations) {
        if (r.window == window) {
            return r.label;
        }
    }
    return {};
}

bool RichToolTip::eventFilter(QObject* watched, QEvent* event) {
    auto* window = qobject_cast<QWidget*>(watched);
    if (window == nullptr || m_owner.isNull()) {
        return false;
    }
    switch (event->type()) {
        case QEvent::ToolTip: {
            const auto* help = static_cast<QHelpEvent*>(event);
            for (const Registration& r : m_registrations) {
                if (r.window == window && (r.rect.isEmpty() || r.rect.contains(help->pos()))) {
                    OnShow(r, help->globalPos());
                    return true;
                }
            }
            return false;
        }
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::Hide:
            hide();
            return false;
        default:
            return false;
    }
}

void RichToolTip::OnShow(const Registration& registration, const QPoint& globalPos) {
    m_current = registration.window.data();
    m_label = registration.label;
    m_currentIcon = registration.entry ? registration.entry->icon : std::nullopt;
    if (registration.entry) {
        const std::optional<StringId>& description = registration.entry->description;
        m_description = description ? LoadUiString(*description) : QString();
    }

    const QFontMetrics labelMetrics(LabelFont(font()));
    int textWidth = labelMetrics.horizontalAdvance(m_label);
    int textHeight = labelMetrics.height();
    if (!m_description.isEmpty()) {
        const QRect described = QFontMetrics(font()).boundingRect(
            QRect(0, 0, kDescriptionWidth, 1000), Qt::TextWordWrap, m_description);
        textWidth = std::max(textWidth, described.width());
        textHeight += kMargin + described.height();
    }
    const bool hasIcon = m_currentIcon.has_value();
    const QSize icon = GetIconSize();
    resize(2 * kMargin + (hasIcon ? icon.width() + kGap : 0) + textWidth,
           2 * kMargin + std::max(textHeight, hasIcon ? icon.height() : 0));

    // Below the pointer, kept on its screen.
    QPoint at = globalPos + QPoint(0, 20);
    if (const QScreen* screen = QGuiApplication::screenAt(globalPos)) {
        const QRect room = screen->availableGeometry();
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - width())));
        if (at.y() + height() > room.bottom()) {
            at.setY(globalPos.y() - 4 - height());
        }
    }
    move(at);
    show();
    raise();
    update();
    m_autoPop.start();
}

bool RichToolTip::OnDrawIcon(QPainter& painter, const QRect& rect) const {
    if (!m_currentIcon) {
        return false;
    }
    const QImage icon = LoadBitmap(*m_currentIcon);
    if (!icon.isNull()) {
        painter.drawImage(rect.topLeft(), icon, QRect(QPoint(0, 0), GetIconSize()));
    }
    return true;
}

void RichToolTip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kFill);
    painter.setPen(kBorder);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    int x = kMargin;
    if (OnDrawIcon(painter, QRect(QPoint(kMargin, kMargin), GetIconSize()))) {
        x += GetIconSize().width() + kGap;
    }
    const QFont labelFont = LabelFont(font());
    const QFontMetrics labelMetrics(labelFont);
    painter.setFont(labelFont);
    painter.setPen(kLabelColor);
    painter.drawText(QRect(x, kMargin, width() - x - kMargin, labelMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, m_label);
    if (!m_description.isEmpty()) {
        painter.setFont(font());
        painter.setPen(kDescriptionColor);
        painter.drawText(
            QRect(x, kMargin + labelMetrics.height() + kMargin, width() - x - kMargin, height()),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_description);
    }
}

}  // namespace tavrel
