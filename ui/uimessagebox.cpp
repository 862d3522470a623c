#include "uimessagebox.h"

#include "languagetable.h"

namespace tavrel {

MessageBoxAnswer ShowUiMessageBox(QWidget* parent, StringId textId, StringId captionId,
                                  MessageBoxButtons buttons, MessageBoxIcon icon,
                                  QStringView argument) {
    QString text = LoadUiString(textId);
    // Only the first "%s" is filled, and the argument is not searched again,
    // so a "%s" inside a file name stays as it is.
    const qsizetype placeholder = text.indexOf(u"%s");
    if (placeholder >= 0) {
        text.replace(placeholder, 2, argument.toString());
    }
    return ShowMessageBox(parent, {text, LoadUiString(captionId), buttons, icon});
}

}  // namespace tavrel
