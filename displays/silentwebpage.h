#pragma once

#include <QWebEnginePage>

namespace tavrel {

// A built-in page that keeps its script messages and dialogs from the user:
// nothing it says or does wrong reaches the screen, and all of it goes to the
// map's log for a bug report.
class SilentWebPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int lineNumber, const QString& sourceId) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& message) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& message) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& message,
                          const QString& defaultValue, QString* result) override;
};

}  // namespace tavrel
