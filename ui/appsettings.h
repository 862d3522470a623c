#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringView>

#include "stringmodule.h"

namespace tavrel {

// The settings file "Orlin.ini" in the working directory, and the two
// settings the program keeps in memory: the interface language and the map
// page type. Other keys are read and written through it by section and key.
class AppSettings {
public:
    // The program's one object, made on the first call; its file stays in the
    // working directory of that moment.
    static AppSettings& Instance();

    // Settings over "Orlin.ini" in the current working directory, with the
    // language read from it. Outside Instance() only tests make one.
    AppSettings();
    AppSettings(const AppSettings&) = delete;
    AppSettings& operator=(const AppSettings&) = delete;

    const QString& IniPath() const { return iniPath; }

    // [UI] LANGID: a code of the language table makes its row current;
    // any other leaves the language as it was. Returns the current LangId.
    LangId ReadLanguage();
    // For a row of the language table: makes it current and stores its
    // code. Any other index changes and writes nothing and returns false.
    bool SetLanguage(int index);

    int ReadInt(QStringView section, QStringView key, int defaultValue) const;
    bool WriteInt(QStringView section, QStringView key, int value) const;

    // [UI] MAP clamped to 0 or 1, kept in mapType.
    int ReadMapType();

    // [WINPOS] fitted to the primary screen (see FitWindowRect), as position
    // and size: RIGHT is x() + width(), BOTTOM is y() + height(). Always true.
    bool LoadWindowRect(QRect& rect) const;
    bool LoadWindowRect(QRect& rect, QSize fullScreenClient) const;

    // [UI] Folder, empty when that folder no longer exists.
    QString GetLastFolder() const;
    // Stores the folder, or an empty one (and empties the caller's) when it
    // does not exist.
    void SetLastFolder(QString& folder) const;

    // Empty when the working directory could not be found; every read then
    // gives its default and every write fails.
    QString iniPath;
    int languageIndex = 0;
    LangId languageId = 0;
    int mapType = 0;
};

// The stored window edges made at least 800 x 560, then no larger than the
// full-screen client area, and moved left and up onto it, but not beyond 0.
QRect FitWindowRect(int left, int top, int right, int bottom, QSize fullScreenClient);

}  // namespace tavrel
