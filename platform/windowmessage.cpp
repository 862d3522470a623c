#include "windowmessage.h"

#include <QCoreApplication>

namespace tavrel {

QEvent::Type WindowMessageEvent::Type() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool PostWindowMessage(QObject* window, quint32 message, quintptr wParam, qintptr lParam) {
    if (window == nullptr) {
        return false;
    }
    QCoreApplication::postEvent(window, new WindowMessageEvent(message, wParam, lParam));
    return true;
}

void SendWindowMessage(QObject* window, quint32 message, quintptr wParam, qintptr lParam) {
    if (window != nullptr) {
        WindowMessageEvent event(message, wParam, lParam);
        QCoreApplication::sendEvent(window, &event);
    }
}

bool WindowMessageMap::Dispatch(QEvent* event) const {
    if (event->type() != WindowMessageEvent::Type()) {
        return false;
    }
    const auto* windowMessage = static_cast<const WindowMessageEvent*>(event);
    const auto handler = m_handlers.find(windowMessage->message);
    if (handler == m_handlers.end()) {
        return false;
    }
    handler->second(windowMessage->wParam, windowMessage->lParam);
    return true;
}

}  // namespace tavrel
