#pragma once

#include <QString>
#include <QStringView>

namespace tavrel {

// Reading and writing one key of an ini file, with the rules other programs
// and hand edits expect: a missing file or key gives the default, section and
// key names match without regard to case, and a write leaves every other
// line of the file as it was. Values are UTF-8 text.

QString ReadProfileString(const QString& iniPath, QStringView section, QStringView key,
                          const QString& defaultValue);

// The leading decimal number of the value (a value that starts with no digits
// reads as 0, an empty one as the default), saturated to the int range.
int ReadProfileInt(const QString& iniPath, QStringView section, QStringView key, int defaultValue);

// Replaces the key's line in place, or adds the key at the end of its section,
// or the section at the end of the file; the first write creates the file.
// The file is replaced as a whole through a temporary file, so a failed write
// leaves the old one intact. False when the file could not be written or when
// a name or the value could not be stored on one line.
bool WriteProfileString(const QString& iniPath, QStringView section, QStringView key,
                        QStringView value);

}  // namespace tavrel
