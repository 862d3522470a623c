#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace tavrel {

enum class MessageBoxButtons { Ok, OkCancel };
enum class MessageBoxIcon { None, Exclamation };
enum class MessageBoxAnswer { Ok, Cancel };

struct MessageBoxRequest {
    QString text;
    QString caption;
    MessageBoxButtons buttons = MessageBoxButtons::Ok;
    MessageBoxIcon icon = MessageBoxIcon::None;
};

// Shows a modal message box and returns the button pressed; closing it any
// other way answers Cancel, or Ok when Ok is its only button.
MessageBoxAnswer ShowMessageBox(QWidget* parent, const MessageBoxRequest& request);

using MessageBoxAnswerer = std::function<MessageBoxAnswer(const MessageBoxRequest& request)>;

// While one lives, message boxes are not shown but answered by the answerer,
// so that tests of windows never wait on a modal box. Scopes nest; the
// previous answerer comes back when a scope ends.
class ScopedMessageBoxAnswerer {
public:
    explicit ScopedMessageBoxAnswerer(MessageBoxAnswerer answerer);
    ~ScopedMessageBoxAnswerer();
    ScopedMessageBoxAnswerer(const ScopedMessageBoxAnswerer&) = delete;
    ScopedMessageBoxAnswerer& operator=(const ScopedMessageBoxAnswerer&) = delete;

private:
    MessageBoxAnswerer m_previous;
};

}  // namespace tavrel
