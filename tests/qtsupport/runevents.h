#pragma once

#include <functional>

#include <QEventLoop>
#include <QTimer>

namespace tavrel::test {

// Runs the event loop until done() holds or the time is up; returns done().
inline bool RunEventsUntil(const std::function<bool()>& done, int timeoutMs) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(1);
    loop.exec();
    return done();
}

// Runs the event loop for that long, whatever happens.
inline void RunEventsFor(int durationMs) {
    RunEventsUntil([] { return false; }, durationMs);
}

}  // namespace tavrel::test
