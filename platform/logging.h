#pragma once

#include <QLoggingCategory>

namespace tavrel {

// What a user's bug report needs to say and the user never sees: switch an
// area on with QT_LOGGING_RULES="tavrel.*.debug=true" (warnings show anyway).
Q_DECLARE_LOGGING_CATEGORY(lcEngine)    // the media engine and its binding
Q_DECLARE_LOGGING_CATEGORY(lcMap)       // the map and about pages in the web view
Q_DECLARE_LOGGING_CATEGORY(lcSettings)  // the settings file and the string tables
Q_DECLARE_LOGGING_CATEGORY(lcFiles)     // snapshots, copies and other files written

}  // namespace tavrel
