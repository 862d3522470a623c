#include "windowtimers.h"

#include <utility>

namespace tavrel {

WindowTimers::WindowTimers(std::function<void(int timerId)> onTimer)
    : m_onTimer(std::move(onTimer)) {}

void WindowTimers::SetTimer(int timerId, int periodMs) {
    std::unique_ptr<QTimer>& timer = m_timers[timerId];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, timer.get(),
                         [this, timerId] { m_onTimer(timerId); });
    }
    timer->start(periodMs);
}

bool WindowTimers::KillTimer(int timerId) {
    const auto timer = m_timers.find(timerId);
    if (timer == m_timers.end() || !timer->second->isActive()) {
        return false;
    }
    timer->second->stop();
    return true;
}

bool WindowTimers::IsRunning(int timerId) const {
    const auto timer = m_timers.find(timerId);
    return timer != m_timers.end() && timer->second->isActive();
}

}  // namespace tavrel
