#include "silentwebpage.h"

#include "logging.h"

namespace tavrel {

void SilentWebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                             const QString& message, int lineNumber,
                                             const QString& sourceId) {
    if (level == ErrorMessageLevel) {
        qCWarning(lcMap).noquote() << sourceId << lineNumber << message;
    } else {
        qCDebug(lcMap).noquote() << sourceId << lineNumber << message;
    }
}

void SilentWebPage::javaScriptAlert(const QUrl&, const QString& message) {
    qCDebug(lcMap).noquote() << "alert not shown:" << message;
}

bool SilentWebPage::javaScriptConfirm(const QUrl&, const QString& message) {
    qCDebug(lcMap).noquote() << "confirm refused:" << message;
    return false;
}

bool SilentWebPage::javaScriptPrompt(const QUrl&, const QString& message, const QString&,
                                     QString*) {
    qCDebug(lcMap).noquote() << "prompt refused:" << message;
    return false;
}

}  // namespace tavrel
