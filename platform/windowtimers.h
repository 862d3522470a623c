#pragma once

#include <functional>
#include <map>
#include <memory>

#include <QTimer>

namespace tavrel {

// A window's timers, known by the ids the window gives them. Every tick of
// any of them calls the window's one timer handler with the timer's id.
class WindowTimers {
public:
    explicit WindowTimers(std::function<void(int timerId)> onTimer);
    WindowTimers(const WindowTimers&) = delete;
    WindowTimers& operator=(const WindowTimers&) = delete;

    // Starts the timer, or starts it again from now with the new period.
    void SetTimer(int timerId, int periodMs);
    // False when the timer was not running.
    bool KillTimer(int timerId);
    bool IsRunning(int timerId) const;

private:
    std::function<void(int timerId)> m_onTimer;
    // A stopped timer is kept rather than deleted: handlers stop their own
    // timer while it is still delivering its tick.
    std::map<int, std::unique_ptr<QTimer>> m_timers;
};

}  // namespace tavrel
