#include "messagebox.h"

#include <utility>

#include <QMessageBox>

namespace tavrel {

namespace {

MessageBoxAnswerer& CurrentAnswerer() {
    static MessageBoxAnswerer answerer;
    return answerer;
}

}  // namespace

MessageBoxAnswer ShowMessageBox(QWidget* parent, const MessageBoxRequest& request) {
    if (CurrentAnswerer()) {
        return CurrentAnswerer()(request);
    }
    const bool withCancel = request.buttons == MessageBoxButtons::OkCancel;
    QMessageBox box(
        request.icon == MessageBoxIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
        request.caption, request.text,
        withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, parent);
    // File names go into these texts; none of them may turn into markup.
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MessageBoxAnswer::Ok : MessageBoxAnswer::Cancel;
}

ScopedMessageBoxAnswerer::ScopedMessageBoxAnswerer(MessageBoxAnswerer answerer)
    : m_previous(std::exchange(CurrentAnswerer(), std::move(answerer))) {}

ScopedMessageBoxAnswerer::~ScopedMessageBoxAnswerer() {
    CurrentAnswerer() = std::move(m_previous);
}

}  // namespace tavrel
