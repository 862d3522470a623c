#pragma once

#include <QString>
#include <QStringView>

#include "messagebox.h"
#include "stringids.h"

class QWidget;

namespace tavrel {

// A message box whose text and caption are string ids of the interface
// language; the argument takes the place of the text's "%s".
MessageBoxAnswer ShowUiMessageBox(QWidget* parent, StringId textId, StringId captionId,
                                  MessageBoxButtons buttons = MessageBoxButtons::Ok,
                                  MessageBoxIcon icon = MessageBoxIcon::None,
                                  QStringView argument = {});

}  // namespace tavrel
