#pragma once

#include <memory>

#include <QString>
#include <QVariant>
#include <QWebEnginePage>

#include "runevents.h"

namespace tavrel::test {

// The value of a script expression in the page, waiting for the answer;
// an invalid QVariant when none came within the time. A late answer lands
// in state of its own, not in this call's frame.
inline QVariant Evaluate(QWebEnginePage* page, const QString& expression, int timeoutMs = 10000) {
    struct Answer {
        QVariant value;
        bool arrived = false;
    };
    const auto answer = std::make_shared<Answer>();
    page->runJavaScript(expression, [answer](const QVariant& value) {
        answer->value = value;
        answer->arrived = true;
    });
    RunEventsUntil([&] { return answer->arrived; }, timeoutMs);
    return answer->value;
}

}  // namespace tavrel::test
