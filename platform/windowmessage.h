#pragma once

#include <functional>
#include <map>
#include <utility>

#include <QEvent>
#include <QObject>

namespace tavrel {

// The program's own window messages, all addressed to the main window. The
// values are part of how the windows talk to each other and keep their
// numbers; 0xC03 and 0xC05 are unused.
inline constexpr quint32 UM_PLAYER_ERROR = 0xC01;
inline constexpr quint32 UM_LANGUAGE_CHANGED = 0xC02;
inline constexpr quint32 UM_VIDEO_DBLCLICK = 0xC04;
inline constexpr quint32 UM_PLAYER_STATE = 0xC06;
inline constexpr quint32 UM_PLAYER_TIME = 0xC07;
inline constexpr quint32 UM_PLAYER_END = 0xC08;
inline constexpr quint32 UM_GROUP_SELECTED = 0xC09;
inline constexpr quint32 UM_FILE_ACTIVATED = 0xC0A;
inline constexpr quint32 UM_MAP_CHANGED = 0xC0B;
inline constexpr quint32 UM_VOLUME_CHANGED = 0xC0C;
inline constexpr quint32 UM_SEEK_REQUEST = 0xC0D;

// One window message: its number and its two parameters.
class WindowMessageEvent : public QEvent {
public:
    WindowMessageEvent(quint32 message, quintptr wParam, qintptr lParam)
        : QEvent(Type()), message(message), wParam(wParam), lParam(lParam) {}

    static QEvent::Type Type();

    const quint32 message;
    const quintptr wParam;
    const qintptr lParam;
};

// Queues the message for the window's thread and returns at once; safe from
// any thread, and messages posted to one window arrive in the order posted.
// False when there is no window.
bool PostWindowMessage(QObject* window, quint32 message, quintptr wParam = 0, qintptr lParam = 0);

// Delivers the message before returning; only from the window's own thread.
// Without a window it does nothing.
void SendWindowMessage(QObject* window, quint32 message, quintptr wParam = 0, qintptr lParam = 0);

// A window's message map. The window fills it once and lets it look at every
// event first:
//     bool CTavrelDlg::event(QEvent* e) { return m_messages.Dispatch(e) || QDialog::event(e); }
class WindowMessageMap {
public:
    using Handler = std::function<void(quintptr wParam, qintptr lParam)>;

    void On(quint32 message, Handler handler) { m_handlers[message] = std::move(handler); }

    template <class Window>
    void On(quint32 message, Window* window, void (Window::*handler)(quintptr, qintptr)) {
        On(message, [window, handler](quintptr wParam, qintptr lParam) {
            (window->*handler)(wParam, lParam);
        });
    }

    // Runs the handler of a window message; false for other events and for
    // messages without a handler, which the window then passes on.
    bool Dispatch(QEvent* event) const;

private:
    std::map<quint32, Handler> m_handlers;
};

}  // namespace tavrel
