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

    const QString& IniPath() const { return m_iniPath; }
    // The current row of the language table and its LangId.
    int LanguageIndex() const { return m_languageIndex; }
    LangId LanguageId() const { return m_languageId; }
    // As ReadMapType last found it.
    int MapType() const { return m_mapType; }

    // [UI] LANGID: a code of the language table makes its row current;
    // any other leaves the language as it was. Returns the current LangId.
    LangId ReadLanguage();
    // For a row of the language table: makes it current and stores its
    // code. Any other index changes and writes nothing and returns false.
    bool SetLanguage(int index);

    int ReadInt(QStringView section, QStringView key, int defaultValue) const;
    bool WriteInt(QStringView section, QStringView key, int value) const;

    // [UI] MAP clamped to 0 or 1, kept for MapType().
    int ReadMapType();

    // [WINPOS] fitted to the primary screen (see FitWindowRect), as position
    // and size: RIGHT is x() + width(), BOTTOM is y() + height().
    QRect LoadWindowRect() const;
    QRect LoadWindowRect(QSize fullScreenClient) const;

    // [UI] Folder, empty when that folder no longer exists.
    QString GetLastFolder() const;
    // Stores the folder, or an empty one (and empties the caller's) when it
    // does not exist. False when the file could not be written.
    bool SetLastFolder(QString& folder) const;

private:
    // Empty when the working directory could not be found; every read then
    // gives its default and every write fails.
    QString m_iniPath;
    int m_languageIndex = 0;
    LangId m_languageId = 0;
    int m_mapType = 0;
};

// The stored window edges made at least 800 x 560, then no larger than the
// full-screen client area, and moved left and up onto it, but not beyond 0.
QRect FitWindowRect(int left, int top, int right, int bottom, QSize fullScreenClient);

}  // namespace tavrel
